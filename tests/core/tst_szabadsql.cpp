// Statements typed by the administrator, without the window: what counts as
// a query, the rows a command changed, all of a text or none of it, a query
// read a page at a time, and the statement files.
#include "core/admin/szabadsql.h"
#include "core/data/adatbazis.h"
#include "tests/core/tesztmag.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a failed text must leave as it was: every item's name and note.
QString tetelek()
{
    QStringList l;
    QSqlQuery q = Adatbazis::vegrehajt("SELECT video, video_nev, szoveg FROM video ORDER BY video");
    while (q.next()) l << q.value(0).toString() + '|' + q.value(1).toString() + '|' + q.value(2).toString();
    return l.join('\n');
}

} // namespace

class TstSzabadSql : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>(true);
        m_t->nyit();
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt() >= 5);
    }
    void cleanup() { m_t.reset(); }

    void lekerdezes_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<bool>("lekerdezes");
        QTest::newRow("kisbetűvel, üres sorok előtte") << "\n\n   \tselect * from video" << true;
        QTest::newRow("vegyes betűk") << "SeLeCt 1" << true;
        QTest::newRow("sortörés utána") << "SELECT\n1\n\n" << true;
        QTest::newRow("megjegyzés előtte") << "-- tételek\nSELECT * FROM video" << false;
        QTest::newRow("blokkmegjegyzés előtte") << "/* x */ SELECT 1" << false;
        QTest::newRow("zárójel előtte") << "(SELECT 1)" << false;
        QTest::newRow("WITH") << "WITH x AS (SELECT 1) SELECT * FROM x" << false;
        QTest::newRow("UPDATE") << "UPDATE video SET szoveg = 'SELECT'" << false;
        QTest::newRow("üres") << "  \n " << false;
    }
    void lekerdezes()
    {
        QFETCH(QString, szoveg);
        QFETCH(bool, lekerdezes);
        QCOMPARE(SzabadSql::Lekerdezes(szoveg), lekerdezes);
    }

    // The count is the rows the data statements changed, each counted once
    // however many statements follow it.
    void modositottSorok_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<qint64>("sorok");
        QTest::newRow("UPDATE") << "UPDATE video SET szoveg = 'x' WHERE video IN (SELECT video FROM video ORDER BY video LIMIT 3)"
                                << qint64(3);
        QTest::newRow("pontosvessző és megjegyzés utána")
            << "UPDATE video SET szoveg = 'x' WHERE video IN (SELECT video FROM video ORDER BY video LIMIT 2);  -- kész\n"
            << qint64(2);
        QTest::newRow("több utasítás, CREATE közöttük")
            << "UPDATE video SET szoveg = 'x' WHERE video IN (SELECT video FROM video ORDER BY video LIMIT 3);\n"
               "CREATE TABLE proba (a INTEGER);\n"
               "INSERT INTO proba VALUES (1), (2);\n"
               "SELECT * FROM proba;"
            << qint64(5);
        QTest::newRow("lekérdezés parancsként") << "-- mind\nSELECT * FROM video" << qint64(0);
        QTest::newRow("semmit sem érint") << "DELETE FROM video WHERE video < 0" << qint64(0);
    }
    void modositottSorok()
    {
        QFETCH(QString, szoveg);
        QFETCH(qint64, sorok);
        QCOMPARE(SzabadSql::Vegrehajt(szoveg), sorok);
        QVERIFY(!Adatbazis::tranzakcioban());
    }

    // A failure anywhere in the text leaves everything as it was, the
    // statements before it included, and tells the engine's own words.
    void hibaVisszaall_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("uzenet");
        const QString elotte = "UPDATE video SET video_nev = 'ELRONTVA', szoveg = 'x';\n";
        QTest::newRow("nincs ilyen tábla") << "UPDATE nincs SET a = 1" << "no such table: nincs";
        QTest::newRow("második utasítás hibás") << elotte + "UPDATE nincs SET a = 1" << "no such table: nincs";
        QTest::newRow("futás közbeni hiba") << elotte + "INSERT INTO video (video) SELECT MIN(video) FROM video"
                                            << "UNIQUE constraint failed: video.video";
        QTest::newRow("szintaktikai hiba a végén") << elotte + "DELET FROM video" << "near \"DELET\": syntax error";
        QTest::newRow("saját COMMIT") << elotte + "COMMIT;" << "Tranzakciót kezelő utasítás (COMMIT)";
        QTest::newRow("saját BEGIN megjegyzés után") << "/* új */ BEGIN; " + elotte << "Tranzakciót kezelő utasítás (BEGIN)";
        QTest::newRow("üres szöveg") << " -- semmi\n" << "Nincs futtatható utasítás.";
    }
    void hibaVisszaall()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, uzenet);
        const QString regi = tetelek();
        try {
            SzabadSql::Vegrehajt(szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith(uzenet), qPrintable(e.uzenet()));
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(tetelek(), regi);
        // The session goes on.
        QCOMPARE(SzabadSql::Vegrehajt("UPDATE video SET szoveg = 'y' WHERE video = (SELECT MIN(video) FROM video)"), 1);
    }

    // A long result is read as it is shown, not whole.
    void lekerdezesLapokban()
    {
        SzabadSql::Vegrehajt("CREATE TABLE sok (n INTEGER);\n"
                             "WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < 5000) "
                             "INSERT INTO sok SELECT n FROM s;");
        SzabadSql::Eredmeny e;
        e.nyit("\n  select n, n * 2 AS ketszer from sok order by n;\n-- vége\n");
        QVERIFY(e.nyitva());
        QCOMPARE(e.sql(), QString("select n, n * 2 AS ketszer from sok order by n;"));
        QCOMPARE(e.columnCount(), 2);
        QCOMPARE(e.headerData(1, Qt::Horizontal).toString(), QString("ketszer"));
        QVERIFY2(e.rowCount() < 1000, qPrintable(QString::number(e.rowCount())));
        QVERIFY(e.canFetchMore());
        while (e.canFetchMore()) e.fetchMore();
        QCOMPARE(e.rowCount(), 5000);
        QCOMPARE(e.data(e.index(4999, 1)).toInt(), 10000);
        // A command run after the result was closed is not held up by it.
        e.zar();
        QVERIFY(!e.nyitva());
        QCOMPARE(e.rowCount(), 0);
        QCOMPARE(SzabadSql::Vegrehajt("DELETE FROM sok WHERE n > 10"), 4990);
    }

    void lekerdezesHiba_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("nincs ilyen tábla") << "SELECT * FROM nincs" << "no such table: nincs";
        QTest::newRow("nincs ilyen mező") << "select nincs from video" << "no such column: nincs";
        QTest::newRow("második utasítás") << "SELECT 1; DELETE FROM video" << "Egyszerre csak egy lekérdezés futtatható";
        QTest::newRow("hibás második utasítás") << "SELECT 1; x" << "Egyszerre csak egy lekérdezés futtatható";
    }
    void lekerdezesHiba()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, uzenet);
        const QString regi = tetelek();
        SzabadSql::Eredmeny e;
        try {
            e.nyit(szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& h) {
            QVERIFY2(h.uzenet().startsWith(uzenet), qPrintable(h.uzenet()));
        }
        QVERIFY(!e.nyitva());
        QCOMPARE(tetelek(), regi);
    }

    void fajlok()
    {
        QCOMPARE(SzabadSql::Mappa(), m_t->mappa() + "/SQL");
        QTemporaryDir d;
        const QString fajl = d.filePath("árvíz.sql");
        const QString szoveg = "SELECT *\nFROM video -- árvíztűrő tükörfúrógép ✓\nWHERE 1";
        SzabadSql::FajlIr(fajl, szoveg);
        QFile f(fajl);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QString(szoveg).replace("\n", "\r\n").toUtf8());
        f.close();
        QCOMPARE(SzabadSql::FajlOlvas(fajl), szoveg);

        // A file in the Windows code page of the old counter computers.
        const QString regi = d.filePath("regi.sql");
        QFile r(regi);
        QVERIFY(r.open(QIODevice::WriteOnly));
        r.write("UPDATE video SET szoveg = '\xe1rv\xedzt\xfbr\xf5 T\xdcK\xd6R'\r\n");
        r.close();
        QCOMPARE(SzabadSql::FajlOlvas(regi), QString("UPDATE video SET szoveg = 'árvíztűrő TÜKÖR'\n"));

        try {
            SzabadSql::FajlOlvas(d.filePath("nincs.sql"));
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith("A(z) " + d.filePath("nincs.sql") + " fájl nem olvasható: "), qPrintable(e.uzenet()));
        }
        // A file that cannot be made is reported.
        try {
            SzabadSql::FajlIr(d.filePath("nincs/mappa.sql"), szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains("fájl nem írható"), qPrintable(e.uzenet()));
        }
    }
};

QTEST_GUILESS_MAIN(TstSzabadSql)
#include "tst_szabadsql.moc"
