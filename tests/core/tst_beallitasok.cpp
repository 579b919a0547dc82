// Saving the settings window: the beallit row and the three settings-file
// values go together or not at all, and what the operator left alone is
// written back as it was stored.
#include "core/admin/beallitasok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "tests/core/tesztmag.h"
#include "tests/core/tesztfajl.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

namespace {

QString sor()
{
    QSqlQuery q = Adatbazis::vegrehajt(
        "SELECT vanbelep, dijnegyed, dijfel, dijev, autonyom, kolcsszoveg, elorefizet FROM beallit ORDER BY beallit");
    QStringList sorok;
    while (q.next()) {
        QStringList m;
        for (int i = 0; i < 7; ++i) m << (q.value(i).isNull() ? QString("∅") : q.value(i).toString());
        sorok << m.join('|');
    }
    return sorok.join('\n');
}

QByteArray tartalom(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(nincs)");
}

} // namespace

class TstBeallitasok : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;
    QString ini() const { return m_t->mappa() + "/Kazettora.ini"; }
    const QByteArray m_regiIni = "[Alapertek]\nTeljesKep=1\nBal=3\n; megjegyzés\n[Archiv]\nMentesDatum=2026. 02. 28.\n"
                                 "[Sajat]\nValami=marad\n";

    void tbeallKezdet()
    {
        TBeall.TeljesKep = true;
        TBeall.Utvonal = m_t->adatMappa();
        TBeall.MentesUtvonal = m_t->mappa() + "/Archiv";
    }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
        tbeallKezdet();
    }
    void cleanup() { m_t.reset(); }

    // The first row by key is read and written; the others stay.
    void olvasasEsIras()
    {
        Adatbazis::vegrehajt("INSERT INTO beallit (vanbelep, dijnegyed) VALUES ('I', 9)");
        FajlIr(ini(), m_regiIni);
        BeallitSor s = BeallitSorOlvas();
        QVERIFY(s.beallit.isValid());
        QCOMPARE(s.vanbelep.toString(), QString("N"));
        QCOMPARE(s.dijfel.toDouble(), 2800.0);
        s.vanbelep = "I";
        s.dijnegyed = 1750.5;
        s.dijev = QVariant();
        s.elorefizet = "I";
        s.kolcsszoveg = "Köszönjük!\nViszontlátásra.";
        BeallitasokMent(s, {false, "/uj/adat", "/uj/archiv"}, ini());
        QCOMPARE(sor(), QString("I|1750.5|2800|∅|N|Köszönjük!\nViszontlátásra.|I\nI|9|∅|∅|∅|∅|∅"));
        QCOMPARE(TBeall.TeljesKep, false);
        QCOMPARE(TBeall.Utvonal, QString("/uj/adat"));
        QCOMPARE(TBeall.MentesUtvonal, QString("/uj/archiv"));
        // The three keys changed in place or added; every other line kept.
        QCOMPARE(tartalom(ini()), QByteArray("[Alapertek]\nTeljesKep=0\nBal=3\n; megjegyzés\n[Archiv]\n"
                                             "MentesDatum=2026. 02. 28.\nMentesUtvonal=/uj/archiv\n[Sajat]\n"
                                             "Valami=marad\n[Adatbazis]\nUtvonal=/uj/adat\n"));
        // What the program reads at the next start.
        TBeall = TBeallRekord{};
        BeallitBetoltAdatbazisbol();
        QVERIFY(TBeall.vanbelep);
        QVERIFY(TBeall.elorefizet);
        QCOMPARE(TBeall.dijnegyed, 1750.5);
        QCOMPARE(TBeall.dijev, 0.0);
    }

    // Values the window does not know ("i", empty) go back as they were; an
    // unchanged row still saves the file.
    void valtozatlanSor()
    {
        Adatbazis::vegrehajt("UPDATE beallit SET vanbelep = 'i', autonyom = NULL, dijfel = NULL");
        const QString elotte = sor();
        const BeallitSor s = BeallitSorOlvas();
        QVERIFY(s.autonyom.isNull());
        QCOMPARE(s.vanbelep.toString(), QString("i"));
        BeallitasokMent(s, BeallitFajlErtekekTBeallbol(), ini());
        QCOMPARE(sor(), elotte);
        IniFajl f;
        QVERIFY(f.beolvas(ini()));
        QCOMPARE(f.logikai("Alapertek", "TeljesKep", false), true);
        QCOMPARE(f.szoveg("Adatbazis", "Utvonal", {}), m_t->adatMappa());
        QCOMPARE(f.szoveg("Archiv", "MentesUtvonal", {}), m_t->mappa() + "/Archiv");
    }

    // Login cannot be switched on while nobody holds the administrator right;
    // switched off it still saves.
    void belepesRendszergazdaNelkul()
    {
        Adatbazis::vegrehajt("UPDATE felhasznalo SET rendszergazda = 'N'");
        FajlIr(ini(), m_regiIni);
        const QString elotte = sor();
        BeallitSor s = BeallitSorOlvas();
        s.vanbelep = "I";
        s.dijnegyed = 1;
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, BeallitasokMent(s, {false, "/uj/adat", "/uj/archiv"}, ini()));
        QCOMPARE(sor(), elotte);
        QCOMPARE(tartalom(ini()), m_regiIni);
        s.vanbelep = "N";
        BeallitasokMent(s, {false, "/uj/adat", "/uj/archiv"}, ini());
        QVERIFY(sor() != elotte);
    }

    // An empty table gets its row.
    void uresTabla()
    {
        Adatbazis::vegrehajt("DELETE FROM beallit");
        BeallitSor s = BeallitSorOlvas();
        QVERIFY(!s.beallit.isValid() || s.beallit.isNull());
        QVERIFY(s.vanbelep.isNull());
        s.autonyom = "I";
        BeallitasokMent(s, BeallitFajlErtekekTBeallbol(), ini());
        QCOMPARE(sor(), QString("∅|∅|∅|∅|I|∅|∅"));
    }

    // Whichever part fails, nothing is written: not the row, not the file,
    // not TBeall. The reason comes back.
    void mindVagySemmi_data()
    {
        QTest::addColumn<QString>("hiba");
        QTest::addColumn<QString>("okBenne");
        QTest::newRow("a sort elutasítja az adatbázis") << "sor" << "tiltott beállítás";
        QTest::newRow("a fájl nem írható") << "fajl" << "Kazettora.ini";
        QTest::newRow("a véglegesítés bukik") << "commit" << "FOREIGN KEY";
        QTest::newRow("túl hosszú megjegyzés") << "hossz" << "kolcsszoveg";
        QTest::newRow("a sort közben törölték") << "torolve" << "törölték";
    }
    void mindVagySemmi()
    {
        QFETCH(QString, hiba);
        QFETCH(QString, okBenne);
        FajlIr(ini(), m_regiIni);
        BeallitSor s = BeallitSorOlvas();
        QString fajl = ini();
        if (hiba == "sor") {
            Adatbazis::vegrehajt("CREATE TEMP TRIGGER tilt BEFORE UPDATE ON beallit "
                                 "BEGIN SELECT RAISE(ABORT, 'tiltott beállítás'); END");
        } else if (hiba == "fajl") {
            fajl = "/proc/nincs/Kazettora.ini";
        } else if (hiba == "commit") {
            // A check the engine makes only at the commit, after the file is written.
            Adatbazis::vegrehajt("PRAGMA foreign_keys=ON");
            Adatbazis::vegrehajt("CREATE TEMP TABLE szulo (id INTEGER PRIMARY KEY)");
            Adatbazis::vegrehajt("CREATE TEMP TABLE gyerek (sz INTEGER REFERENCES szulo(id) DEFERRABLE INITIALLY DEFERRED)");
            Adatbazis::vegrehajt("CREATE TEMP TRIGGER arva AFTER UPDATE ON beallit BEGIN INSERT INTO gyerek VALUES (7); END");
        } else if (hiba == "hossz") {
            s.kolcsszoveg = QString(256, QChar(u'ő'));
        } else if (hiba == "torolve") {
            Adatbazis::vegrehajt("DELETE FROM beallit");
        }
        const QString elotte = sor();
        s.vanbelep = "I";
        s.dijnegyed = 1;
        try {
            BeallitasokMent(s, {false, "/uj/adat", "/uj/archiv"}, fajl);
            QFAIL("nem utasította el");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains(okBenne), qPrintable(e.uzenet()));
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(sor(), elotte);
        QCOMPARE(tartalom(ini()), m_regiIni);
        QCOMPARE(QDir(m_t->mappa()).entryList({"Kazettora.ini*"}, QDir::Files), QStringList{"Kazettora.ini"});
        QCOMPARE(TBeall.TeljesKep, true);
        QCOMPARE(TBeall.Utvonal, m_t->adatMappa());
        QCOMPARE(TBeall.MentesUtvonal, m_t->mappa() + "/Archiv");
    }

    // A settings file that was not there is not left behind by a failed commit.
    void nemVoltFajl()
    {
        BeallitSor s = BeallitSorOlvas();
        Adatbazis::vegrehajt("PRAGMA foreign_keys=ON");
        Adatbazis::vegrehajt("CREATE TEMP TABLE szulo (id INTEGER PRIMARY KEY)");
        Adatbazis::vegrehajt("CREATE TEMP TABLE gyerek (sz INTEGER REFERENCES szulo(id) DEFERRABLE INITIALLY DEFERRED)");
        Adatbazis::vegrehajt("CREATE TEMP TRIGGER arva AFTER UPDATE ON beallit BEGIN INSERT INTO gyerek VALUES (7); END");
        s.vanbelep = "I";
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, BeallitasokMent(s, BeallitFajlErtekekTBeallbol(), ini()));
        QVERIFY(!QFile::exists(ini()));
    }

    // The row committed and the program stopped before the new settings
    // file took its place (here the rename fails: a folder has the file's
    // name). The next start puts the file in place, so the two agree; a
    // pending file whose row never committed is thrown away.
    void commitUtanMegszakadt()
    {
        QVERIFY(QDir().mkdir(ini()));
        BeallitSor s = BeallitSorOlvas();
        s.dijnegyed = 1234;
        BeallitasokMent(s, {false, "/uj/adat", "/uj/archiv"}, ini());
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT dijnegyed FROM beallit"), QStringList{"1234"});
        QVERIFY(QDir().rmdir(ini()));
        FajlIr(ini(), m_regiIni);
        QVERIFY(BeallitasokBefejez(ini()));
        IniFajl f;
        QVERIFY(f.beolvas(ini()));
        QCOMPARE(f.szoveg("Archiv", "MentesUtvonal", {}), QString("/uj/archiv"));
        QCOMPARE(f.logikai("Alapertek", "TeljesKep", true), false);
        QCOMPARE(QDir(m_t->mappa()).entryList({"Kazettora.ini*"}, QDir::Files), QStringList{"Kazettora.ini"});
        QVERIFY(!BeallitasokBefejez(ini()));

        // A pending file from a save whose row is not the stored one.
        QVERIFY(QFile::rename(ini(), ini() + ".felre"));
        QVERIFY(QDir().mkdir(ini()));
        s.dijnegyed = 99;
        BeallitasokMent(s, {true, "/masik/adat", "/masik/archiv"}, ini());
        Adatbazis::vegrehajt("UPDATE beallit SET dijnegyed = 1234");
        QVERIFY(QDir().rmdir(ini()));
        QVERIFY(QFile::rename(ini() + ".felre", ini()));
        const QByteArray elotte = tartalom(ini());
        QVERIFY(!BeallitasokBefejez(ini()));
        QCOMPARE(tartalom(ini()), elotte);
        QCOMPARE(QDir(m_t->mappa()).entryList({"Kazettora.ini*"}, QDir::Files), QStringList{"Kazettora.ini"});
    }
};

QTEST_GUILESS_MAIN(TstBeallitasok)
#include "tst_beallitasok.moc"
