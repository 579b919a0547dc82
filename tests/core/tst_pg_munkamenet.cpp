// The session on a private PostgreSQL server: opened by a libpq connection
// string, refused (in Hungarian, nothing left open) where the server, the
// database or the schema is not what it should be; transactions with their
// savepoints, keys and the case-blind "begins with" as on the embedded file.
#include "core/data/adatbazis.h"
#include "core/data/motor.h"
#include "core/data/pgsema.h"
#include "tests/core/pgszerver.h"
#include "tests/core/tesztmag.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>
#include <memory>

class TstPgMunkamenet : public QObject {
    Q_OBJECT
    std::unique_ptr<PgSzerver> m_szerver;

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        m_szerver = std::make_unique<PgSzerver>();
        QVERIFY2(m_szerver->fut(), qPrintable(m_szerver->hiba()));
        QVERIFY2(m_szerver->adatbazis("ures"), qPrintable(m_szerver->hiba()));
        QVERIFY2(m_szerver->adatbazis("bolt"), qPrintable(m_szerver->hiba()));
        // The schema laid by the engine itself, on a connection of the test's.
        {
            QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("lerako"));
            d.setConnectOptions(m_szerver->kapcsolat("bolt"));
            QVERIFY2(d.open(), qPrintable(d.lastError().text()));
            Adatbazis::pgMotor().semaLetrehoz(d);
            d.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("lerako"));
    }
    void cleanup() { Adatbazis::zar(); }
    void cleanupTestCase() { m_szerver.reset(); }

    void elutasitasok_data()
    {
        QTest::addColumn<QString>("kapcsolat");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("nincs kiszolgalo") << "host=/nincs/ilyen dbname=bolt user=kazettora" << "nem érhető el";
        QTest::newRow("nincs adatbazis") << "" << "nem érhető el";
        QTest::newRow("ures adatbazis") << "" << "nincs meg a program sémája";
        QTest::newRow("jelszo") << "dbname=bolt password=titok" << "jelszót";
    }
    void elutasitasok()
    {
        QFETCH(QString, kapcsolat);
        QFETCH(QString, uzenet);
        if (QString(QTest::currentDataTag()) == "nincs adatbazis") kapcsolat = m_szerver->kapcsolat("nincsilyen");
        if (QString(QTest::currentDataTag()) == "ures adatbazis") kapcsolat = m_szerver->kapcsolat("ures");
        QString hiba;
        QVERIFY(!Adatbazis::nyitKiszolgalo(kapcsolat, &hiba));
        QVERIFY2(hiba.startsWith("Az adatbázis-kiszolgáló nem érhető el:") && hiba.contains(uzenet), qPrintable(hiba));
        QVERIFY(!hiba.contains("titok"));
        QVERIFY(!Adatbazis::nyitva());
        QCOMPARE(Adatbazis::motor().driver(), QString("QSQLITE"));   // back to the default
    }

    // A nested operation rolled back leaves its caller's work; the whole
    // commits as one; keys read in order; "begins with" blind to case.
    void munkamenet()
    {
        QString hiba;
        QVERIFY2(Adatbazis::nyitKiszolgalo(m_szerver->kapcsolat("bolt"), &hiba), qPrintable(hiba));
        QCOMPARE(Adatbazis::motor().driver(), QString("QPSQL"));
        {
            Adatbazis::Tranzakcio kulso;
            QVERIFY(Adatbazis::tranzakcioban());
            Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel_nev, torolve) VALUES (?, 'N')", {QString("Őri Ödön")});
            try {
                Adatbazis::Tranzakcio belso;
                Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel_nev, torolve) VALUES (?, 'N')", {QString("Kiss Éva")});
                Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel_nev) VALUES (?)", {QString(51, u'x')});   // refused
                belso.jovahagy();
            } catch (const AdatbazisHiba& e) {
                QVERIFY2(e.uzenet().contains("legfeljebb 50 karakter"), qPrintable(e.uzenet()));
            }
            kulso.jovahagy();
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(Adatbazis::ertek("SELECT count(*) FROM ugyfel").toInt(), 1);
        QCOMPARE(Adatbazis::ertek("SELECT count(*) FROM ugyfel WHERE hu_kezdodik(ugyfel_nev, ?)", {QString("őRI ö")}).toInt(), 1);
        QCOMPARE(Adatbazis::ertek("SELECT count(*) FROM ugyfel WHERE hu_kezdodik(ugyfel_nev, ?)", {QString("Ori")}).toInt(), 0);
        for (int i = 0; i < 5; ++i) Adatbazis::vegrehajt("INSERT INTO video (azon) VALUES (?)", {100 - i});
        const std::vector<qint64> kulcsok = Adatbazis::kulcsokOlvas("SELECT azon FROM video ORDER BY azon");
        QCOMPARE(kulcsok, (std::vector<qint64>{96, 97, 98, 99, 100}));
        // A second copy of the program opens the same shop: no single-copy lock on a server.
        QSqlDatabase masik = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("masik"));
        masik.setConnectOptions(m_szerver->kapcsolat("bolt"));
        QVERIFY(masik.open());
        masik.close();
        masik = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("masik"));
    }
};

QTEST_GUILESS_MAIN(TstPgMunkamenet)
#include "tst_pg_munkamenet.moc"
