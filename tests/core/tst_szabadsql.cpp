// Statements typed by the administrator, without the window: what counts as
// a query, the rows a command changed, all of a text or none of it, a query
// read a page at a time, the statement files, and the guard of their own
// connection: nothing they do can break the shop.
#include "core/admin/felhasznalok.h"
#include "core/admin/szabadsql.h"
#include "core/data/adatbazis.h"
#include "core/data/motor.h"
#include "core/rental/cassakonyveles.h"
#include "tests/core/tesztmag.h"

#include <QElapsedTimer>

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

// The schema as the file holds it, and its version.
QStringList sema(const QString& adatMappa)
{
    return Lemezen(adatMappa, "SELECT type || ' ' || name || ' ' || IFNULL(sql, '') FROM sqlite_schema ORDER BY name")
           + Lemezen(adatMappa, "PRAGMA user_version");
}

// A cash entry posted as the counter posts one, on the session.
void penztarBe(double osszeg)
{
    Adatbazis::Tranzakcio t;
    CassaKonyvel(QStringLiteral("B"), QVariant(), osszeg, true);
    t.jovahagy();
}

} // namespace

class TstSzabadSql : public QObject {
    Q_OBJECT
    std::unique_ptr<MagTelepites> m_t;
    std::unique_ptr<SzabadSql::Kapcsolat> m_k;

    qint64 vegrehajt(const QString& szoveg) { return m_k->Vegrehajt(szoveg); }

private slots:
    void initTestCase() { TesztKornyezet(); }
    void init()
    {
        m_t = std::make_unique<MagTelepites>(true);
        m_t->nyit();
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt() >= 5);
        m_k = std::make_unique<SzabadSql::Kapcsolat>();
    }
    void cleanup()
    {
        m_k.reset();
        m_t.reset();
    }

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
        QCOMPARE(vegrehajt(szoveg), sorok);
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
            vegrehajt(szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith(uzenet), qPrintable(e.uzenet()));
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(tetelek(), regi);
        // The session goes on.
        QCOMPARE(vegrehajt("UPDATE video SET szoveg = 'y' WHERE video = (SELECT MIN(video) FROM video)"), 1);
    }

    // A long result is read as it is shown, not whole.
    void lekerdezesLapokban()
    {
        vegrehajt("CREATE TABLE sok (n INTEGER);\n"
                             "WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < 5000) "
                             "INSERT INTO sok SELECT n FROM s;");
        SzabadSql::Eredmeny e;
        e.nyit(*m_k, "\n  select n, n * 2 AS ketszer from sok order by n;\n-- vége\n");
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
        QCOMPARE(vegrehajt("DELETE FROM sok WHERE n > 10"), 4990);
    }

    void lekerdezesHiba_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("nincs ilyen tábla") << "SELECT * FROM nincs" << "no such table: nincs";
        QTest::newRow("nincs ilyen mező") << "select nincs from video" << "no such column: nincs";
        QTest::newRow("második utasítás") << "SELECT 1; DELETE FROM video" << "Egyszerre csak egy lekérdezés futtatható";
        QTest::newRow("hibás második utasítás") << "SELECT 1; x" << "Egyszerre csak egy lekérdezés futtatható";
        QTest::newRow("második tiltott utasítás") << "SELECT 1; DROP TABLE cassa" << "Egyszerre csak egy lekérdezés futtatható";
        QTest::newRow("nem lekérdezés") << "DELETE FROM felhasznalo" << "Eredményként csak lekérdezés futtatható";
    }
    void lekerdezesHiba()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, uzenet);
        const QString regi = tetelek();
        SzabadSql::Eredmeny e;
        try {
            e.nyit(*m_k, szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& h) {
            QVERIFY2(h.uzenet().startsWith(uzenet), qPrintable(h.uzenet()));
        }
        QVERIFY(!e.nyitva());
        QCOMPARE(tetelek(), regi);
    }

    // What the statements create for themselves stays on their own
    // connection: the session never sees it, the next statement does.
    void sajatKapcsolat()
    {
        vegrehajt("CREATE TEMP TABLE sajat AS SELECT azon FROM video");
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM temp.sqlite_schema").toInt(), 0);
        SzabadSql::Eredmeny e;
        e.nyit(*m_k, "SELECT COUNT(*) FROM sajat");
        QCOMPARE(e.data(e.index(0, 0)).toInt(), Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt());
        e.zar();
        // Closed with its owner: a new one starts empty.
        m_k = std::make_unique<SzabadSql::Kapcsolat>();
        try {
            vegrehajt("DELETE FROM sajat");
            QFAIL("no error");
        } catch (const AdatbazisHiba& h) {
            QVERIFY2(h.uzenet().startsWith("no such table: sajat"), qPrintable(h.uzenet()));
        }
    }

    // Statements that would break the shop are refused by the guard with a
    // Hungarian reason, whatever they look like; the file keeps its schema,
    // the session goes on, and it opens again.
    void tiltottUtasitasok_data()
    {
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<QString>("uzenet");
        const QString nev = "A(z) „%1” név a program egyik táblájáé vagy indexéé";
        const QString tabla = "A program táblái és indexei nem módosíthatók (%1)";
        const QString pragma = "Az adatbázis-kezelő beállításai (PRAGMA %1) innen nem módosíthatók";
        const QString csatol = "Más adatbázisfájl innen nem csatolható";
        QTest::newRow("ideiglenes cassa") << "CREATE TEMP TABLE cassa AS SELECT * FROM main.cassa" << nev.arg("cassa");
        QTest::newRow("ideiglenes nézet nagybetűvel") << "create temp view VIDEO as select 1 AS a" << nev.arg("video");
        QTest::newRow("ideiglenes tábla index nevén") << "CREATE TEMP TABLE video_azon (a)" << nev.arg("video_azon");
        QTest::newRow("ideiglenes index") << "CREATE TEMP TABLE t (a); CREATE INDEX temp.cassa_datum ON t(a)"
                                          << nev.arg("cassa_datum");
        QTest::newRow("writable_schema") << "PRAGMA writable_schema=ON" << pragma.arg("writable_schema");
        QTest::newRow("writable_schema zárójellel") << "pragma WRITABLE_SCHEMA(1)" << pragma.arg("writable_schema");
        QTest::newRow("user_version") << "PRAGMA user_version=99" << pragma.arg("user_version");
        QTest::newRow("user_version sémával") << "PRAGMA main.user_version = 99" << pragma.arg("user_version");
        QTest::newRow("journal_mode") << "PRAGMA journal_mode = DELETE" << pragma.arg("journal_mode");
        QTest::newRow("DROP TABLE cassa") << "DROP TABLE cassa" << tabla.arg("cassa");
        QTest::newRow("DROP TABLE megjegyzés után") << "/* régi */ drop table if exists Felhasznalo" << tabla.arg("felhasznalo");
        QTest::newRow("DROP TABLE rendszer") << "DROP TABLE rendszer" << tabla.arg("rendszer");
        QTest::newRow("ALTER TABLE ADD") << "ALTER TABLE video ADD COLUMN x INTEGER" << tabla.arg("video");
        QTest::newRow("ALTER TABLE RENAME") << "ALTER TABLE cassa RENAME TO regi_cassa" << tabla.arg("cassa");
        QTest::newRow("DROP INDEX") << "DROP INDEX video_azon" << tabla.arg("video_azon");
        QTest::newRow("új egyedi index") << "CREATE UNIQUE INDEX egyedi ON cassatip(cassatip_nev)"
                                         << tabla.arg("cassatip");
        QTest::newRow("tárolt trigger") << "CREATE TRIGGER t AFTER INSERT ON cassa BEGIN DELETE FROM cassa; END"
                                        << "A program tábláira (cassa) nem tehető tárolt trigger.";
        QTest::newRow("ATTACH") << "ATTACH '%1/masik.db' AS masik" << csatol;
        QTest::newRow("VACUUM INTO") << "VACUUM INTO '%1/masolat.db'" << "A VACUUM (VACUUM INTO is) innen nem futtatható.";
        QTest::newRow("VACUUM") << "  vacuum main" << "A VACUUM (VACUUM INTO is) innen nem futtatható.";
        QTest::newRow("előtte UPDATE") << "UPDATE video SET video_nev = 'ELRONTVA';\nDROP TABLE cassa;" << tabla.arg("cassa");
    }
    void tiltottUtasitasok()
    {
        QFETCH(QString, szoveg);
        QFETCH(QString, uzenet);
        szoveg.replace("%1", m_t->mappa());   // a file of the test's own folder
        const QStringList regiSema = sema(m_t->adatMappa());
        const QString regi = tetelek();
        try {
            vegrehajt(szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith(uzenet), qPrintable(e.uzenet()));
        }
        QCOMPARE(sema(m_t->adatMappa()), regiSema);
        QCOMPARE(tetelek(), regi);
        QVERIFY(!QFile::exists(m_t->mappa() + "/masolat.db"));
        QVERIFY(!QFile::exists(m_t->mappa() + "/masik.db"));
        // A cash entry of the counter lands in the shop's cash book.
        const int sorok = Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM cassa").constFirst().toInt();
        penztarBe(1500);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM cassa").constFirst().toInt(), sorok + 1);
        // The statements go on, and the shop opens again.
        QCOMPARE(vegrehajt("UPDATE video SET szoveg = 'y' WHERE video = (SELECT MIN(video) FROM video)"), 1);
        m_k.reset();
        Adatbazis::zar();
        QString hiba;
        QVERIFY2(Adatbazis::nyit(m_t->adatMappa(), &hiba), qPrintable(hiba));
    }

    // Reading, INSERT, UPDATE, DELETE and what is the administrator's own
    // stay free; reading PRAGMAs too.
    void szabadUtasitasok()
    {
        QCOMPARE(vegrehajt("CREATE TABLE sajat (a INTEGER, b TEXT);\n"
                           "CREATE INDEX sajat_a ON sajat(a);\n"
                           "CREATE TEMP TABLE ideiglenes AS SELECT * FROM cassa;\n"
                           "CREATE TEMP TRIGGER naplo AFTER INSERT ON sajat BEGIN INSERT INTO ideiglenes (osszeg) "
                           "VALUES (new.a); END;\n"
                           "INSERT INTO sajat VALUES (1, 'x'), (2, 'y');\n"
                           "CREATE VIEW sajat_nezet AS SELECT a FROM sajat;\n"
                           "ALTER TABLE sajat ADD COLUMN c TEXT;\n"
                           "PRAGMA table_info(cassa);\n"
                           "PRAGMA user_version;\n"
                           "PRAGMA integrity_check;\n"
                           "UPDATE video SET szoveg = 'x' WHERE video = (SELECT MIN(video) FROM video);\n"
                           "INSERT INTO tipus (tipus_nev) VALUES ('Lemez');\n"
                           "DELETE FROM tipus WHERE tipus_nev = 'Lemez';\n"
                           "DROP VIEW sajat_nezet;\n"
                           "DROP INDEX sajat_a;\n"
                           "DROP TABLE sajat;"),
                 qint64(5));
        SzabadSql::Eredmeny e;
        e.nyit(*m_k, "SELECT name FROM pragma_table_info('cassa') ORDER BY cid");
        QCOMPARE(e.rowCount(), 7);
        e.nyit(*m_k, "SELECT COUNT(*) FROM ideiglenes");
        QCOMPARE(e.data(e.index(0, 0)).toInt(), Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt() + 2);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM sqlite_schema WHERE name LIKE 'sajat%'"),
                 QStringList{"0"});
    }

    // With login on, a text that leaves nobody with the administrator's
    // right is undone, as the users window would refuse it; turning login
    // off in the same text lets it through.
    void utolsoRendszergazda_data()
    {
        QTest::addColumn<bool>("belepes");
        QTest::addColumn<QString>("szoveg");
        QTest::addColumn<bool>("tilos");
        QTest::newRow("törlés") << true << "DELETE FROM felhasznalo WHERE rendszergazda='I'" << true;
        QTest::newRow("jog elvétele") << true << "UPDATE felhasznalo SET rendszergazda = 'N'" << true;
        QTest::newRow("mindenki") << true << "DELETE FROM felhasznalo" << true;
        QTest::newRow("belépés bekapcsolása") << false
                                              << "DELETE FROM felhasznalo; UPDATE beallit SET vanbelep = 'I'" << true;
        QTest::newRow("új rendszergazda előbb") << true
            << "INSERT INTO felhasznalo (felhasznalo, rendszergazda) VALUES ('uj', 'I');\n"
               "DELETE FROM felhasznalo WHERE felhasznalo <> 'uj'"
            << false;
        QTest::newRow("belépés kikapcsolva") << false << "DELETE FROM felhasznalo WHERE rendszergazda='I'" << false;
        QTest::newRow("kikapcsolja közben") << true
            << "UPDATE beallit SET vanbelep = 'N'; DELETE FROM felhasznalo WHERE rendszergazda='I'" << false;
    }
    void utolsoRendszergazda()
    {
        QFETCH(bool, belepes);
        QFETCH(QString, szoveg);
        QFETCH(bool, tilos);
        m_k.reset();
        m_t.reset();
        m_t = std::make_unique<MagTelepites>(false, belepes);
        m_t->nyit();
        m_k = std::make_unique<SzabadSql::Kapcsolat>();
        const QStringList regi = Lemezen(m_t->adatMappa(), "SELECT felhasznalo, rendszergazda FROM felhasznalo");
        QVERIFY(regi.join(',').contains("|I"));
        if (!tilos) {
            vegrehajt(szoveg);
            QVERIFY(Lemezen(m_t->adatMappa(), "SELECT felhasznalo, rendszergazda FROM felhasznalo") != regi);
            return;
        }
        try {
            vegrehajt(szoveg);
            QFAIL("no error");
        } catch (const AdatbazisHiba& e) {
            QCOMPARE(e.uzenet(), QString::fromUtf8(Felhasznalok::UtolsoRendszergazda));
        }
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT felhasznalo, rendszergazda FROM felhasznalo"), regi);
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT vanbelep FROM beallit"), QStringList{belepes ? "I" : "N"});
    }

    // A result read a page at a time holds no lock the counter waits for:
    // a cash entry is stored at once, and the result reads on.
    void eredmenyNemFogjaAPenztarat()
    {
        vegrehajt("CREATE TABLE sok (n INTEGER);\n"
                  "WITH RECURSIVE s(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM s WHERE n < 5000) "
                  "INSERT INTO sok SELECT n FROM s;");
        SzabadSql::Eredmeny e;
        e.nyit(*m_k, "SELECT n FROM sok ORDER BY n");
        QVERIFY(e.canFetchMore());
        SzabadSql::Eredmeny m;
        m.nyit(*m_k, "SELECT * FROM pragma_journal_mode");
        QCOMPARE(m.data(m.index(0, 0)).toString(), QString("wal"));
        m.zar();
        const int sorok = Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM cassa").constFirst().toInt();
        QElapsedTimer ido;
        ido.start();
        penztarBe(2800);
        QVERIFY2(ido.elapsed() < 1000, qPrintable(QString::number(ido.elapsed())));
        QCOMPARE(Lemezen(m_t->adatMappa(), "SELECT COUNT(*) FROM cassa").constFirst().toInt(), sorok + 1);
        while (e.canFetchMore()) e.fetchMore();
        QCOMPARE(e.rowCount(), 5000);
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
