// "Régi adatok átvétele" driven with the keys, headless, on a new
// installation: from the main window's menu and from the question of the
// first start, an earlier data folder chosen in the folder dialog is taken
// over and the program starts again on it; a folder the take-over refuses
// leaves the database as it was; a database with the shop's own data is
// never offered for it. With KAZETTORA_KEPEK set, a picture of the window
// after a run is saved there.
#include "windows/admin/tfrm_atvetel.h"
#include "windows/admin/tfrm_login.h"
#include "windows/app/alkalmazas.h"
#include "windows/app/indulas.h"
#include "windows/app/tfrm_main.h"
#include "core/common/listamodell.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "tests/core/paradoxiro.h"
#include "tests/windows/tesztsegito.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

const QString Kerdes = QStringLiteral("Új telepítés: átveszi egy korábbi Kazettora adatmappa adatait?");

// What an installation's data folder holds, byte for byte.
QByteArray adatMappaTartalma(const QString& mappa)
{
    QByteArray b;
    for (const QFileInfo& f : QDir(mappa).entryInfoList(QDir::Files, QDir::Name)) {
        QFile be(f.absoluteFilePath());
        if (!be.open(QIODevice::ReadOnly)) qFatal("cannot read %s", qPrintable(f.absoluteFilePath()));
        b += f.fileName().toUtf8() + '\n' + be.readAll();
    }
    return b;
}

// The login of the shop taken over (its user "pult").
void belep(Tfrm_Login* l)
{
    l->varakozas = 0;
    Gepel(l->edtFelhasznalo, "pult");
    Gepel(l->edtJelszo, "Jelszó1");
    l->edtJelszo->setFocus();
    Nyom(l, Qt::Key_Return);   // to OK
    Nyom(l, Qt::Key_Return);
}

} // namespace

class TstAtvetelAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;

    QString regiMappa(const QString& nev)
    {
        const QString m = m_dir.filePath(nev);
        QDir().mkpath(m);
        ParadoxIro::kisBolt(m);
        return m;
    }
    QStringList lemezen(const QString& sql) { return Lemezen(m_t->adatMappa(), sql); }

    // The folder chosen with the keys (Tab to "Mappa…", Space, the dialog
    // answered), Enter starts; the window shows every table done and the
    // check figures, then Esc closes it.
    void atvesz(Tfrm_Atvetel* a, const QString& regi)
    {
        QCOMPARE(a->windowTitle(), QString("Régi adatok átvétele"));
        QCOMPARE(QApplication::focusWidget(), a->EditRegi);
        Nyom(a, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), a->btnMappa);
        m_t->parbeszed.fajlValaszok = {regi};
        Nyom(a, Qt::Key_Space);
        QCOMPARE(QDir::fromNativeSeparators(a->EditRegi->text()), regi);
        const QString kepek = qEnvironmentVariable("KAZETTORA_KEPEK");
        // The first paint of the run is its first table's start.
        if (!kepek.isEmpty()) QTimer::singleShot(0, a, [a, kepek] { a->grab().save(kepek + "/atvetel-fut.png"); });
        Nyom(a, Qt::Key_Return);
        QCOMPARE(m_t->parbeszed.hibak(), QStringList());
        QVERIFY(a->atvette());
        for (const char* t : {"video", "ugyfel", "ugyfel_video", "cassa", "indexek"}) {
            QProgressBar* s = a->sav(t);
            QVERIFY2(s && s->value() == s->maximum() && s->value() > 0, t);
        }
        const QString jelentes = a->MemoEredmeny->toPlainText();
        QVERIFY2(jelentes.contains("A pénztár összege") && !jelentes.contains("ELTÉR"), qPrintable(jelentes));
        if (!kepek.isEmpty()) a->grab().save(kepek + "/atvetel.png");
        Nyom(a, Qt::Key_Escape);
    }

    // The shop taken over is what the program runs on now.
    void atvettAdatok()
    {
        QCOMPARE(lemezen("SELECT tulajdonos FROM tulajdonos"), QStringList{"Öreg Mozi Bt."});
        QCOMPARE(lemezen("SELECT video_nev FROM video WHERE video = 1"), QStringList{"Égető Űrhajó: ŐSZI ÜLDÖZÉS"});
        QCOMPARE(lemezen("SELECT felhasznalo FROM felhasznalo"), QStringList{"pult"});
        QVERIFY(Adatbazis::nyitva());
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt(), lemezen("SELECT COUNT(*) FROM video").first().toInt());
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init() { m_t = std::make_unique<TesztTelepites>(); }
    void cleanup()
    {
        ModalisAblakokatBezar();
        Adatbazis::zar();
        m_t.reset();
    }

    // "Rendszer / Régi adatok átvétele" on the delivered database: asked,
    // the window and the session close, the take-over runs with the session
    // closed, and the start afterwards runs on the data taken over.
    void aMenubol()
    {
        {
            Tfrm_Main f;
            QVERIFY(f.indult());
            f.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f));
            m_t->parbeszed.kerdesValaszok = {true};
            f.muvelet("aAtvetel")->trigger();
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
            QCOMPARE(m_t->parbeszed.dobozok.at(0).fajta, Parbeszed::Doboz::Kerdes);
            QVERIFY(f.atvetelKell());
            QVERIFY(!f.isVisible());
            QVERIFY(!Adatbazis::nyitva());
        }
        // What the program does once the main window has gone.
        const QString regi = regiMappa("menubol");
        {
            VartAblak v([&](Tfrm_Atvetel* a) { atvesz(a, regi); });
            QVERIFY(RegiAdatokAtvetele(nullptr));
            QVERIFY(v.kesz());
        }
        // The settings file names the new data folder; the start asks for
        // the login of the shop taken over.
        VartAblak v([&](Tfrm_Login* l) { belep(l); });
        const std::optional<Munkamenet> m = Indulas();
        QVERIFY(v.kesz());
        QVERIFY(m);
        QCOMPARE(m->tulajdonos, QString("Öreg Mozi Bt."));
        QCOMPARE(QDir(TBeall.Utvonal).absolutePath(), QDir(m_t->adatMappa()).absolutePath());
        atvettAdatok();
        QCOMPARE(m_t->parbeszed.hibak(), QStringList());
    }

    // The first start of a new installation asks once. Yes: the window, then
    // the start goes on with the data taken over. No: never asked again.
    void elsoIndulaskor_data()
    {
        QTest::addColumn<bool>("igen");
        QTest::newRow("igen") << true;
        QTest::newRow("nem") << false;
    }
    void elsoIndulaskor()
    {
        QFETCH(bool, igen);
        {
            const QString nev = QStringLiteral("teszt-jelzo");
            {
                QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", nev);
                d.setDatabaseName(Adatbazis::fajlUtvonal(m_t->adatMappa()));
                QSqlQuery q(d);
                QVERIFY(d.open() && q.exec("DELETE FROM rendszer WHERE nev = 'atvetel_felajanlva'"));
            }
            QSqlDatabase::removeDatabase(nev);
        }
        m_t->parbeszed.kerdesValaszok = {igen};
        const QString regi = regiMappa(QStringLiteral("elso-%1").arg(igen));
        std::optional<Munkamenet> m;
        if (igen) {
            VartAblak v([&](Tfrm_Atvetel* a) { atvesz(a, regi); });
            v.majd([&](Tfrm_Login* l) { belep(l); });
            m = Indulas();
            QVERIFY(v.kesz());
        } else {
            VartAblak soha(VartAblak::Soha<Tfrm_Atvetel>{});
            m = Indulas();
        }
        QVERIFY(m);
        QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
        QCOMPARE(m_t->parbeszed.dobozok.at(0).szoveg, Kerdes);
        if (igen) {
            atvettAdatok();
        } else {
            QCOMPARE(lemezen("SELECT COUNT(*) FROM video"), QStringList{"0"});
            // The next start asks nothing.
            Adatbazis::zar();
            VartAblak soha(VartAblak::Soha<Tfrm_Atvetel>{});
            QVERIFY(Indulas());
            QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
        }
    }

    // A folder without one of its tables: the core's reason shown, the
    // window as before, the data folder untouched byte for byte.
    void hianyzoTabla()
    {
        const QString regi = regiMappa("hianyos");
        QVERIFY(QFile::remove(regi + "/cassa.DB"));
        const QByteArray elotte = adatMappaTartalma(m_t->adatMappa());
        const QByteArray iniElotte = adatMappaTartalma(m_t->mappa());
        VartAblak v([&](Tfrm_Atvetel* a) {
            m_t->parbeszed.fajlValaszok = {regi};
            a->btnMappa->setFocus();
            Nyom(a, Qt::Key_Space);
            Nyom(a, Qt::Key_Return);
            QCOMPARE(m_t->parbeszed.hibak(),
                     QStringList{"Hiányzik a(z) cassa tábla (cassa.DB) a régi adatmappából: " + QDir::toNativeSeparators(regi)});
            QVERIFY(a->isVisible());
            QVERIFY(!a->atvette());
            QCOMPARE(a->sav("video")->value(), 0);
            QCOMPARE(a->MemoEredmeny->toPlainText(), QString());
            QCOMPARE(QApplication::focusWidget(), a->EditRegi);
            Nyom(a, Qt::Key_Escape);
        });
        QVERIFY(!RegiAdatokAtvetele(nullptr));
        QVERIFY(v.kesz());
        QCOMPARE(adatMappaTartalma(m_t->adatMappa()), elotte);
        QCOMPARE(adatMappaTartalma(m_t->mappa()), iniElotte);
    }

    // A database holding the shop's own data is never replaced: the menu
    // says why, asks nothing, and the window and its session stay.
    void adatokMellettNem()
    {
        m_t.reset();   // its end takes the modal seam away
        m_t = std::make_unique<TesztTelepites>(true);
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        {
            VartAblak soha(VartAblak::Soha<Tfrm_Atvetel>{});
            f.muvelet("aAtvetel")->trigger();
        }
        QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
        QCOMPARE(m_t->parbeszed.dobozok.at(0).fajta, Parbeszed::Doboz::Hiba);
        QVERIFY(m_t->parbeszed.dobozok.at(0).szoveg.startsWith("Régi adatokat csak egy új, még üres telepítésbe lehet átvenni."));
        QVERIFY(!f.atvetelKell());
        QVERIFY(f.isVisible());
        QVERIFY(Adatbazis::nyitva());
        QVERIFY(f.TblModell->rowCount() > 0);
    }
};

QTEST_MAIN(TstAtvetelAblak)
#include "tst_atvetel_ablak.moc"
