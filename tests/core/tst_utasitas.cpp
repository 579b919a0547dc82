// The one statement wrapper under the program: values stored as the Qt
// path stores them, typed columns, re-use, a statement never left behind,
// the kind of every failure, and the read snapshot of a transaction.
#include "core/data/adatbazis.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"
#include "tests/core/tesztmag.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <QtTest>
#include <optional>
#include <cmath>
#include <sqlite3.h>

using Adatbazis::Utasitas;
using Fajta = AdatbazisHiba::Fajta;

namespace {

// Statements the session's connection holds unfinalized.
int nyitottUtasitasok()
{
    sqlite3* h = Adatbazis::kezelo(Adatbazis::db());
    int n = 0;
    for (sqlite3_stmt* st = sqlite3_next_stmt(h, nullptr); st; st = sqlite3_next_stmt(h, st)) ++n;
    return n;
}

// A second connection to the session's file, set up as the session is
// unless it only reads.
QSqlDatabase masikKapcsolat(const QString& nev, bool csakOlvas = false)
{
    QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", nev);
    d.setDatabaseName(QUrl(Adatbazis::db().databaseName()).toLocalFile());
    if (csakOlvas) d.setConnectOptions("QSQLITE_OPEN_READONLY");
    QString hiba;
    if (d.open() && !csakOlvas && !Adatbazis::beallit(d, &hiba)) qWarning() << hiba;
    return d;
}

} // namespace

class TstUtasitas : public MagTeszt {
    Q_OBJECT
private slots:
    // Whatever the wrapper binds is stored as the Qt path (vegrehajt)
    // stores it: the same type in the engine and the same value.
    void kotesMintAQtUtja_data()
    {
        QTest::addColumn<QVariant>("ertek");
        QTest::newRow("egész") << QVariant(42);
        QTest::newRow("nagy egész") << QVariant(qlonglong(1) << 40);
        QTest::newRow("logikai") << QVariant(true);
        QTest::newRow("valós") << QVariant(2.5);
        QTest::newRow("szöveg") << QVariant(QString("Árvíztűrő tükörfúrógép"));
        QTest::newRow("üres szöveg") << QVariant(QString(""));
        QTest::newRow("dátum") << QVariant(QDate(2026, 3, 14));
        QTest::newRow("idő") << QVariant(QTime(15, 30, 5));
        QTest::newRow("null") << QVariant();
        QTest::newRow("típusos null") << QVariant(QMetaType::fromType<QString>());
    }
    void kotesMintAQtUtja()
    {
        QFETCH(QVariant, ertek);
        Adatbazis::vegrehajt("CREATE TEMP TABLE k (n INTEGER, x)");
        Adatbazis::vegrehajt("INSERT INTO k VALUES (1, ?)", {ertek});
        Utasitas("INSERT INTO k VALUES (2, ?)").kot(1, ertek).futtat();
        Utasitas("INSERT INTO k VALUES (3, :x)").kot("x", ertek).futtat();
        Utasitas("INSERT INTO k VALUES (4, :x)").kot(":x", ertek).futtat();
        Utasitas u("SELECT typeof(x), quote(x) FROM k ORDER BY n");
        QStringList sorok;
        while (u.lep()) sorok << u.szoveg(0) + ' ' + u.szoveg(1);
        QCOMPARE(sorok.size(), 4);
        for (const QString& s : sorok) QCOMPARE(s, sorok.first());
    }

    // The columns typed, as the engine holds them, and as the Qt driver
    // would give them.
    void oszlopok()
    {
        Utasitas u("SELECT 7 AS egesz, 1.5, 'szö', NULL, x'00ff', '' ");
        QVERIFY(u.lep());
        QCOMPARE(u.oszlopok(), 6);
        QCOMPARE(u.oszlopNev(0), QString("egesz"));
        using T = Utasitas::Tipus;
        const QList<T> tipusok{T::Egesz, T::Valos, T::Szoveg, T::Null, T::Bajtok, T::Szoveg};
        for (int i = 0; i < 6; ++i) QCOMPARE(u.tipus(i), tipusok.at(i));
        QCOMPARE(u.egesz(0), qint64(7));
        QCOMPARE(u.valos(1), 1.5);
        QCOMPARE(u.szoveg(2), QString("szö"));
        QVERIFY(u.ures(3));
        QCOMPARE(u.bajtok(4).toByteArray(), QByteArray("\x00\xff", 2));
        QVERIFY(!u.szoveg(5).isNull() && u.szoveg(5).isEmpty());
        QSqlQuery q(Adatbazis::db());
        QVERIFY(q.exec("SELECT 7 AS egesz, 1.5, 'szö', NULL, x'00ff', ''") && q.next());
        for (int i = 0; i < 6; ++i)
            if (i != 3) QCOMPARE(u.ertek(i), q.value(i));
        QVERIFY(!u.ertek(3).isValid());   // as the lists have always read it
        QVERIFY(!u.lep());
    }

    // The fast reading of stored dates and times gives what Sema::ertekbe
    // gives, for the stored forms and for anything else.
    void datumIdoGyorsan_data()
    {
        QTest::addColumn<int>("tipus");
        QTest::addColumn<QVariant>("tarolt");
        const int d = int(Sema::Tipus::Datum), i = int(Sema::Tipus::Ido);
        QTest::newRow("dátum") << d << QVariant("2026-03-14");
        QTest::newRow("szökőnap") << d << QVariant("2024-02-29");
        QTest::newRow("nem létező nap") << d << QVariant("2026-02-30");
        QTest::newRow("tizenharmadik hónap") << d << QVariant("2026-13-01");
        QTest::newRow("más formájú dátum") << d << QVariant("2026.03.14");
        QTest::newRow("betű a számjegyek közt") << d << QVariant("2026-0x-14");
        QTest::newRow("dátum számként") << d << QVariant(20260314);
        QTest::newRow("üres dátum") << d << QVariant();
        QTest::newRow("idő") << i << QVariant("15:30:05");
        QTest::newRow("éjfél") << i << QVariant("00:00:00");
        QTest::newRow("nem létező idő") << i << QVariant("24:00:00");
        QTest::newRow("rövid idő") << i << QVariant("15:30");
        QTest::newRow("üres idő") << i << QVariant();
    }
    void datumIdoGyorsan()
    {
        QFETCH(int, tipus);
        QFETCH(QVariant, tarolt);
        const auto t = Sema::Tipus(tipus);
        Utasitas u("SELECT ?");
        u.kot(1, tarolt);
        QVERIFY(u.lep());
        QCOMPARE(u.ertek(0, t), Sema::ertekbe(t, u.ertek(0)));
    }

    // Prepared once, run for many rows; a reset keeps what was bound.
    void ujraFuttatas()
    {
        Adatbazis::vegrehajt("CREATE TEMP TABLE k (n INTEGER PRIMARY KEY, x TEXT, y TEXT)");
        Utasitas u("INSERT INTO k (x, y) VALUES (?, ?)");
        u.kot(2, "állandó");
        for (int i = 1; i <= 3; ++i) {
            u.kotSzoveg(1, QByteArray::number(i * 10), false);
            u.futtat();
            u.ujra();
            QCOMPARE(u.utolsoKulcs(), qint64(i));
            QCOMPARE(u.valtozott(), qint64(1));
        }
        QCOMPARE(Adatbazis::ertek("SELECT group_concat(x || y, ',') FROM k").toString(),
                 QString("10állandó,20állandó,30állandó"));
        Utasitas s("SELECT n FROM k WHERE n >= ? ORDER BY n");
        QList<qint64> kulcsok;
        for (int tol : {2, 3}) {
            s.kot(1, tol);
            while (s.lep()) kulcsok << s.egesz(0);
            s.ujra();
        }
        QCOMPARE(kulcsok, (QList<qint64>{2, 3, 3}));
    }

    // Moved, the statement has one owner: the source is empty, the target
    // runs it, and it is finalized once.
    void athelyezes()
    {
        const int elotte = nyitottUtasitasok();
        {
            Utasitas a("SELECT 1 UNION ALL SELECT 2");
            QVERIFY(a.lep());
            Utasitas b(std::move(a));
            QVERIFY(!a.ervenyes());
            QVERIFY(b.lep());
            QCOMPARE(b.egesz(0), qint64(2));
            Utasitas c("SELECT 3");
            c = std::move(b);   // c's own statement goes here
            QCOMPARE(nyitottUtasitasok(), elotte + 1);
        }
        QCOMPARE(nyitottUtasitasok(), elotte);
    }

    // However a statement's use ends (a value that cannot be bound, a wrong
    // statement, a refused row, a reading left half-way), nothing is left
    // open on the connection.
    void mindigVeglegesit_data()
    {
        QTest::addColumn<int>("eset");
        QTest::newRow("a kötés dob") << 0;
        QTest::newRow("a kulcsolvasás kötése dob") << 1;
        QTest::newRow("hibás utasítás") << 2;
        QTest::newRow("elutasított sor") << 3;
        QTest::newRow("félbehagyott olvasás") << 4;
        QTest::newRow("nem létező név") << 5;
    }
    void mindigVeglegesit()
    {
        QFETCH(int, eset);
        Adatbazis::vegrehajt("CREATE TEMP TABLE k (n INTEGER PRIMARY KEY)");
        Adatbazis::vegrehajt("INSERT INTO k VALUES (1), (2)");
        const int elotte = nyitottUtasitasok();
        const QVariant nan(std::nan(""));
        try {
            switch (eset) {
            case 0: Utasitas("SELECT ?").kot(1, nan).futtat(); break;
            case 1: Adatbazis::kulcsokOlvas("SELECT n FROM k WHERE n > ?", {nan}); break;
            case 2: Utasitas("SELEKT 1"); break;
            case 3: Utasitas("INSERT INTO k VALUES (1)").futtat(); break;
            case 4: {
                Utasitas u("SELECT n FROM k");
                u.lep();
                throw AdatbazisHiba("félúton");
            }
            case 5: Utasitas("SELECT :a").kot("b", 1); break;
            }
            QFAIL("no error");
        } catch (const AdatbazisHiba&) {
        }
        QCOMPARE(nyitottUtasitasok(), elotte);
        // And the connection is as good as before.
        QCOMPARE(Adatbazis::kulcsokOlvas("SELECT n FROM k ORDER BY n"), (std::vector<qint64>{1, 2}));
    }

    // The kind of a failure comes from the engine's code, on the Qt path
    // and through the wrapper alike; the words stay the Hungarian ones.
    void hibaFajtaja_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("fajta");
        QTest::addColumn<QString>("eleje");
        QTest::newRow("egyedi kulcs") << "INSERT INTO k VALUES (1, 'a', 1)" << int(Fajta::Adat)
                                      << "Már van ilyen kulcsú sor: k.n";
        QTest::newRow("kötelező mező") << "INSERT INTO k VALUES (2, NULL, 1)" << int(Fajta::Adat)
                                       << "Kötelező mező üres: k.b";
        QTest::newRow("ellenőrzés") << "INSERT INTO k VALUES (2, 'b', -1)" << int(Fajta::Adat) << "c_pozitiv";
        QTest::newRow("hibás utasítás") << "INSERT INTO nincsilyen VALUES (1)" << int(Fajta::Egyeb) << "no such table";
    }
    void hibaFajtaja()
    {
        QFETCH(QString, sql);
        QFETCH(int, fajta);
        QFETCH(QString, eleje);
        Adatbazis::vegrehajt("CREATE TEMP TABLE k (n INTEGER PRIMARY KEY, b TEXT NOT NULL, "
                             "c INTEGER CONSTRAINT c_pozitiv CHECK (c > 0))");
        Adatbazis::vegrehajt("INSERT INTO k VALUES (1, 'a', 1)");
        for (int ut = 0; ut < 2; ++ut) {
            try {
                if (ut == 0) Adatbazis::vegrehajt(sql);
                else Utasitas(sql).futtat();
                QFAIL("no error");
            } catch (const AdatbazisHiba& e) {
                QVERIFY2(e.uzenet().startsWith(eleje), qPrintable(e.uzenet()));
                QCOMPARE(int(e.fajta()), fajta);
                QVERIFY(!e.tarolasi());
            }
        }
    }

    // Failures of the store itself: a read-only connection, a database
    // another writer holds, a file that may not grow.
    void tarolasiHibak_data()
    {
        QTest::addColumn<int>("eset");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("csak olvasható") << 0 << "Az adatbázis csak olvasható.";
        QTest::newRow("zárolva") << 1 << "Az adatbázist egy másik program használja, próbálja újra.";
        QTest::newRow("betelt") << 2 << "Betelt a lemez: az adatbázis nem írható.";
    }
    void tarolasiHibak()
    {
        QFETCH(int, eset);
        QFETCH(QString, uzenet);
        const QString nev = "masik";
        {
            QSqlDatabase masik = masikKapcsolat(nev, eset == 0);
            QVERIFY(masik.isOpen());
            std::optional<Adatbazis::Tranzakcio> tartja;
            QString sql = "UPDATE beallit SET dijev = 1";
            if (eset == 1) {
                Adatbazis::vegrehajt(masik, "PRAGMA busy_timeout = 0");
                tartja.emplace();   // the session writes
            }
            if (eset == 2) {
                // The file may not grow by a page: a large row meets a full disk.
                Adatbazis::vegrehajt("CREATE TABLE tolt (x)");
                Adatbazis::vegrehajt("PRAGMA max_page_count = " + Adatbazis::ertek("PRAGMA page_count").toString());
                masik = Adatbazis::db();
                sql = "INSERT INTO tolt VALUES (randomblob(100000))";
            }
            for (int ut = 0; ut < 2; ++ut) {
                try {
                    if (ut == 0) Adatbazis::vegrehajt(masik, sql);
                    else Utasitas(masik, sql).futtat();
                    QFAIL("no error");
                } catch (const AdatbazisHiba& e) {
                    QCOMPARE(e.uzenet(), uzenet);
                    QCOMPARE(e.fajta(), Fajta::Tarolas);
                    QVERIFY(e.tarolasi());
                }
            }
        }
        QSqlDatabase::removeDatabase(nev);
    }

    // A read snapshot sees what was committed when it began, whatever
    // another connection commits meanwhile; it writes nothing, tells no
    // change, and lets the next transaction begin as usual.
    void pillanatkep()
    {
        const QString nev = "masik";
        {
            QSqlDatabase masik = masikKapcsolat(nev);
            const auto szam = [] { return Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel").toInt(); };
            QSignalSpy valtozas(&Adatbazis::valtozas(), &Adatbazis::Valtozas::valtozott);
            {
                Adatbazis::Tranzakcio olvas(Adatbazis::Olvasas::Pillanatkep);
                QVERIFY(Adatbazis::tranzakcioban());
                QVERIFY(!olvas.kulso());
                Adatbazis::vegrehajt(masik, "INSERT INTO ugyfel (ugyfel_nev) VALUES ('Közben')");
                QCOMPARE(szam(), 0);
            }
            QVERIFY(!Adatbazis::tranzakcioban());
            QCOMPARE(szam(), 1);
            {
                Adatbazis::Tranzakcio olvas(Adatbazis::Olvasas::Pillanatkep);
                Adatbazis::vegrehajt(masik, "INSERT INTO ugyfel (ugyfel_nev) VALUES ('Közben 2')");
                olvas.jovahagy();
                QVERIFY(!Adatbazis::tranzakcioban());
            }
            QCOMPARE(szam(), 2);
            QCOMPARE(valtozas.count(), 0);
            // Inside a write transaction it joins it: the writes stay, and
            // only the outermost commit ends it.
            {
                Adatbazis::Tranzakcio ir;
                Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel_nev) VALUES ('Benn')");
                {
                    Adatbazis::Tranzakcio olvas(Adatbazis::Olvasas::Pillanatkep);
                    QCOMPARE(szam(), 3);
                }
                QVERIFY(Adatbazis::tranzakcioban());
                ir.jovahagy();
            }
            QCOMPARE(valtozas.count(), 1);
            QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel", {}).toInt(), 3);
        }
        QSqlDatabase::removeDatabase(nev);
    }
};

QTEST_GUILESS_MAIN(TstUtasitas)
#include "tst_utasitas.moc"
