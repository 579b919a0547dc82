// The archive from the main window: the menu action with its save dialog,
// the closing reminder at 4 and at 5 days, the closing kept open when the
// archive folder cannot be made, and the counter going on after an archive.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/rental/kolcsonzes.h"
#include "tests/windows/tesztfoablak.h"
#include "tests/windows/tesztsegito.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {

// Records what the save dialog was asked with.
class MentoParbeszed : public TesztParbeszed {
public:
    QStringList cimek, javasoltak, szurok;
    QString mentendoFajl(QWidget* w, const QString& cim, const QString& javasolt, const QString& szuro) override
    {
        cimek << cim;
        javasoltak << javasolt;
        szurok << szuro;
        return TesztParbeszed::mentendoFajl(w, cim, javasolt, szuro);
    }
};

bool zipRendben(const QString& zip)
{
    QProcess p;
    p.start("unzip", {"-tq", zip});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

const QString Kerdes = QStringLiteral("Az adatbázis több mint 5 napja nem lett archiválva. Archiváljam most?");

} // namespace

class TstArchivAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    MentoParbeszed m_p;
    std::unique_ptr<Tfrm_Main> m_f;

    QString ini() const { return m_t->mappa() + "/Kazettora.ini"; }
    QString archivMappa() const { return m_t->mappa() + "/Archiv"; }

    // The window started with the last archive `napja` days before today.
    Tfrm_Main& indit(int napja)
    {
        IniFajl f;
        f.ir("Archiv", "MentesDatum", TesztMost.date().addDays(-napja));
        if (!f.ment(ini(), nullptr)) qFatal("ini");
        return FoablakIndit(m_f, m_p);
    }
    QDate rogzitett() const
    {
        IniFajl f;
        f.beolvas(ini());
        return f.datum("Archiv", "MentesDatum", QDate());
    }
    QList<TesztParbeszed::Doboz_> kerdesek() const
    {
        QList<TesztParbeszed::Doboz_> l;
        for (const auto& d : m_p.dobozok)
            if (d.fajta == Parbeszed::Doboz::Kerdes) l << d;
        return l;
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
        if (QStandardPaths::findExecutable("unzip").isEmpty()) QSKIP("unzip nincs telepítve");
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>(true);
        m_p = MentoParbeszed();
        parbeszedBeallit(&m_p);
    }
    void cleanup()
    {
        m_f.reset();
        parbeszedBeallit(&m_t->parbeszed);
        m_t.reset();
    }

    void menubol()
    {
        Tfrm_Main& f = indit(1);
        const int sorok = f.TblModell->rowCount();
        const QString zip = archivMappa() + "/masik nev";   // no extension: the dialog adds it
        m_p.fajlValaszok << zip;
        f.muvelet("aArchival")->trigger();

        QCOMPARE(m_p.cimek, QStringList{"Adatbázis mentése"});
        QCOMPARE(m_p.javasoltak, QStringList{archivMappa() + "/20260314.zip"});
        QVERIFY(m_p.szurok.constFirst().contains("*.zip"));
        QCOMPARE(m_p.hibak(), QStringList());
        QCOMPARE(m_p.dobozok.size(), 1);
        QCOMPARE(m_p.dobozok[0].szoveg, QString("Archív állomány kész."));
        QVERIFY(zipRendben(zip + ".zip"));
        QCOMPARE(TBeall.MentesDatum, TesztMost.date());

        // The counter goes on: the list shows its rows and a rental is made.
        QCOMPARE(f.TblModell->rowCount(), sorok);
        const qint64 video = Adatbazis::ertek("SELECT MIN(video) FROM video WHERE kint = 'N' AND torolve = 'N'").toLongLong();
        Kolcsonzes k(Adatbazis::ertek("SELECT MIN(azon) FROM ugyfel").toInt(), "teszt", 1, 24);
        k.hozzaad(video);
        QVERIFY(k.befejez() > 0);

        // Cancelling the dialog changes nothing.
        m_p.dobozok.clear();
        TBeall.MentesDatum = TesztMost.date().addDays(-3);
        f.muvelet("aArchival")->trigger();
        QCOMPARE(m_p.dobozok.size(), 0);
        QCOMPARE(TBeall.MentesDatum, TesztMost.date().addDays(-3));
    }

    void hibaMenubol()
    {
        Tfrm_Main& f = indit(1);
        m_p.fajlValaszok << m_t->mappa() + "/nincs/ilyen/mappa.zip";
        f.muvelet("aArchival")->trigger();
        QCOMPARE(m_p.hibak().size(), 1);
        QVERIFY2(m_p.hibak().constFirst().startsWith("Hiba az archiválás közben\n"), qPrintable(m_p.hibak().constFirst()));
        QCOMPARE(TBeall.MentesDatum, TesztMost.date().addDays(-1));
        QVERIFY(f.TblModell->rowCount() > 0);
    }

    void zaraskor_data()
    {
        QTest::addColumn<int>("napja");
        QTest::addColumn<bool>("kerdez");
        QTest::addColumn<bool>("igen");
        QTest::newRow("4 napja: nem kérdez") << 4 << false << false;
        QTest::newRow("5 napja, nem") << 5 << true << false;
        QTest::newRow("5 napja, igen") << 5 << true << true;
    }
    void zaraskor()
    {
        QFETCH(int, napja);
        QFETCH(bool, kerdez);
        QFETCH(bool, igen);
        Tfrm_Main& f = indit(napja);
        m_p.kerdesValaszok << igen;
        m_p.fajlValaszok << archivMappa() + "/20260314.zip";
        QVERIFY(f.close());
        QVERIFY(!f.isVisible());

        const auto k = kerdesek();
        QCOMPARE(k.size(), kerdez ? 1 : 0);
        if (kerdez) {
            QCOMPARE(k[0].cim, QString("Kérdés"));
            QCOMPARE(k[0].szoveg, Kerdes);
        }
        QCOMPARE(QFileInfo::exists(archivMappa() + "/20260314.zip"), igen);
        if (igen) QVERIFY(zipRendben(archivMappa() + "/20260314.zip"));
        QCOMPARE(rogzitett(), igen ? TesztMost.date() : TesztMost.date().addDays(-napja));
    }

    // A nightly archive from the command line while the program ran: its
    // day counts at close and is not written over with the older one.
    void ejjeliArchivUtan()
    {
        Tfrm_Main& f = indit(7);
        IniFajl ini;
        ini.beolvas(this->ini());
        ini.ir("Archiv", "MentesDatum", TesztMost.date().addDays(-1));
        QVERIFY(ini.ment(this->ini(), nullptr));
        QVERIFY(f.close());
        QCOMPARE(kerdesek().size(), 0);
        QCOMPARE(rogzitett(), TesztMost.date().addDays(-1));
    }

    // An archive folder that cannot be made (a file stands in its way)
    // keeps the program open with nothing written; answering No then closes.
    void zarasMappaHiba()
    {
        Tfrm_Main& f = indit(7);
        TBeall.MentesUtvonal = m_t->adatMappa() + "/kazettora.db/Archiv";
        m_p.kerdesValaszok << true;
        QVERIFY(!f.close());
        QVERIFY(f.isVisible());
        QCOMPARE(m_p.hibak().size(), 1);
        QVERIFY2(m_p.hibak().constFirst().contains("nem hozható létre"), qPrintable(m_p.hibak().constFirst()));
        QCOMPARE(rogzitett(), TesztMost.date().addDays(-7));
        QVERIFY(Adatbazis::nyitva());
        m_p.kerdesValaszok << false;
        QVERIFY(f.close());
        QVERIFY(!Adatbazis::nyitva());
    }
};

QTEST_MAIN(TstArchivAblak)
#include "tst_archiv_ablak.moc"
