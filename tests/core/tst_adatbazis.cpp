// The data store: a new installation, the tables and their limits, opening
// failures that change nothing, row editing and transactions.
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/hufold.h"
#include "core/data/konverzio.h"
#include "core/data/rekord.h"
#include "core/data/sema.h"
#include "core/admin/telepites.h"
#include "tests/core/tesztmag.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <sqlite3.h>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <limits>

namespace {
QByteArray hash(const QString& fajl)
{
    QFile f(fajl);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int szam(const QString& sql) { return Adatbazis::ertek(sql).toInt(); }

// The database file changed behind the program's back, through a bare
// connection (`hu` given: with that comparison registered as HU).
void kivulrol(const QString& fajl, const QStringList& utasitasok,
              int (*hu)(void*, int, const void*, int, const void*) = nullptr)
{
    sqlite3* h = nullptr;
    QCOMPARE(sqlite3_open(fajl.toUtf8().constData(), &h), SQLITE_OK);
    if (hu) sqlite3_create_collation(h, "HU", SQLITE_UTF8, nullptr, hu);
    for (const QString& u : utasitasok) {
        char* e = nullptr;
        const int rc = sqlite3_exec(h, u.toUtf8().constData(), nullptr, nullptr, &e);
        QVERIFY2(rc == SQLITE_OK, e ? e : "?");
    }
    sqlite3_close(h);
}

// The Hungarian order backwards: an index built with it is out of order
// for the program's HU.
int forditott(void*, int alen, const void* a, int blen, const void* b)
{
    return -HuFold::osszehasonlit(static_cast<const char*>(a), alen, static_cast<const char*>(b), blen);
}

QString taroltRendezes()
{
    return Adatbazis::ertek(QStringLiteral("SELECT ertek FROM rendszer WHERE nev = 'hu_rendezes'")).toString();
}
// Another copy of the program on a data folder: this test program started
// again with "--nyit MAPPA". It opens the database, says "NYITVA" and waits
// until it is killed, or says why it could not open it and ends with 3.
int masikPeldany(const char* mappa)
{
    QString hiba;
    if (!Adatbazis::nyit(QString::fromLocal8Bit(mappa), &hiba)) {
        std::printf("ELUTASITVA %s\n", hiba.toUtf8().constData());
        return 3;
    }
    std::printf("NYITVA\n");
    std::fflush(stdout);
    for (;;) pause();
}

QStringList fajlok(const QString& mappa) { return QDir(mappa).entryList(QDir::Files | QDir::Hidden); }
} // namespace

class TstAdatbazis : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TesztKornyezet(); }

    void ujTelepitesMindenTablaMezoSorrendben()
    {
        MagTelepites t;
        t.nyit();
        for (const Sema::Tabla& tabla : Sema::tablak()) {
            QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("PRAGMA table_info(%1)").arg(tabla.nev));
            QStringList mezok;
            while (q.next()) mezok << q.value(1).toString();
            QStringList vart;
            for (const auto& m : tabla.mezok) vart << m.nev;
            QCOMPARE(mezok, vart);
        }
        // The indexes the windows sort and search by.
        QStringList indexek;
        QSqlQuery q = Adatbazis::vegrehajt("SELECT name FROM sqlite_master WHERE type='index'");
        while (q.next()) indexek << q.value(0).toString();
        for (const char* ix : {"video_azon", "video_video_nev", "ugyfel_azon", "ugyfel_ugyfel_nev", "tipus_nev_ix",
                               "arkat_nev_ix", "mufaj_nev_ix", "tulajdonos_ix"})
            QVERIFY2(indexek.contains(ix), ix);
        QCOMPARE(Adatbazis::ertek("PRAGMA journal_mode").toString(), QString("wal"));
        QCOMPARE(Adatbazis::ertek("PRAGMA synchronous").toInt(), 2);   // FULL: a commit is on disk
    }

    void alapadatok()
    {
        // Delivered as set up: login on, the password kept only as its digest.
        MagTelepites t(false, true);
        t.nyit();
        QCOMPARE(Adatbazis::ertek("SELECT vanbelep FROM beallit").toString(), QString("I"));
        QVERIFY(Adatbazis::ertek("SELECT jelszo FROM felhasznalo WHERE felhasznalo='rendszergazda'")
                    .toString()
                    .startsWith("$argon2id$"));
        QCOMPARE(Adatbazis::ertek("SELECT szorzo FROM cassatip WHERE cassatip='B'").toInt(), 1);
        QCOMPARE(Adatbazis::ertek("SELECT szorzo FROM cassatip WHERE cassatip='T'").toInt(), 1);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM cassatip WHERE szorzo = -1").toInt() >= 1);
        // Every period has a price for every category.
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM fiztip f CROSS JOIN arkat a LEFT JOIN fiztip_arkat p "
                                  "ON (p.fiztip = f.fiztip AND p.arkat = a.arkat) WHERE p.ar IS NULL").toInt(),
                 0);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt() == 0);
    }

    void mintaKatalogusKovetkezetes()
    {
        MagTelepites t(true, true);
        t.nyit();
        // The sample shop is for a first look: no password asked.
        QCOMPARE(Adatbazis::ertek("SELECT vanbelep FROM beallit").toString(), QString("N"));
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt() >= 200);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel").toInt() >= 24);
        const QString ma = TesztMost.date().toString("yyyy-MM-dd");
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE kint='I' AND dat_visszakell < ?", {ma}).toInt() > 0);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE kint='I' AND dat_visszakell > ?", {ma}).toInt() > 0);
        // An item out has its customer and a history row of its rental; one in the shop has none.
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE kint='I' AND (ugyfel IS NULL OR ugyfel = 0)").toInt(), 0);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video WHERE kint='N' AND ugyfel <> 0").toInt(), 0);
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM video v WHERE kint='I' AND NOT EXISTS "
                                  "(SELECT 1 FROM ugyfel_video h WHERE h.video = v.video AND h.ugyfel = v.ugyfel)").toInt(),
                 0);
        // The last balance is the sum of the amounts.
        QCOMPARE(Adatbazis::ertek("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").toDouble(),
                 Adatbazis::ertek("SELECT SUM(osszeg) FROM cassa").toDouble());
    }

    void telepitesNemIrFelut()
    {
        MagTelepites t;
        const QString fajl = t.adatMappa() + "/kazettora.db";
        const QByteArray elotte = hash(fajl);
        QString hiba;
        QVERIFY(!Telepites::telepit(t.mappa(), true, &hiba));
        QVERIFY(hiba.contains("nem írom felül"));
        QCOMPARE(hash(fajl), elotte);
    }

    void szovegHosszKorlat_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("mezo");
        QTest::addColumn<int>("hossz");
        QTest::newRow("tipus_nev") << "tipus" << "tipus_nev" << 25;
        QTest::newRow("video_nev") << "video" << "video_nev" << 100;
        QTest::newRow("cim_irsz") << "ugyfel" << "cim_irsz" << 5;
        QTest::newRow("kint") << "video" << "kint" << 1;
    }
    void szovegHosszKorlat()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, mezo);
        QFETCH(int, hossz);
        MagTelepites t;
        t.nyit();
        const int elotte = Adatbazis::ertek("SELECT COUNT(*) FROM " + tabla).toInt();
        Rekord r(tabla);
        r.beszur();
        r.beallit(mezo, QString(hossz, QChar(u'ő')));   // accented letters count as one each
        r.ment();
        r.beszur();
        r.beallit(mezo, QString(hossz + 1, QChar('x')));
        try {
            r.ment();
            QFAIL("a too long value was stored");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains(mezo) && e.uzenet().contains("karakter"), qPrintable(e.uzenet()));
        }
        QCOMPARE(r.allapot(), Rekord::Allapot::Beszur);   // still pending, the typed value kept
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM " + tabla).toInt(), elotte + 1);
    }

    void tipusKorlat()
    {
        MagTelepites t;
        t.nyit();
        for (const auto& [mezo, ertek] : QList<QPair<QString, QVariant>>{
                 {"ora", QString("sok")}, {"ora", 2.5}, {"ora", 4294967296LL}}) {
            Rekord r("fiztip");
            r.beszur();
            r.beallit("fiztip_nev", "x");
            r.beallit(mezo, ertek);
            bool dobott = false;
            try { r.ment(); } catch (const AdatbazisHiba&) { dobott = true; }
            QVERIFY2(dobott, qPrintable(ertek.toString()));
        }
        Adatbazis::vegrehajt("INSERT INTO video (azon, dat_kiadva) VALUES (1, ?)", {QDate(2026, 1, 2)});
        QCOMPARE(Adatbazis::ertek("SELECT dat_kiadva FROM video").toString(), QString("2026-01-02"));
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Adatbazis::vegrehajt("UPDATE video SET dat_kiadva = 'tegnap'"));
    }

    void nevekBarmilyenBetumerettel()
    {
        MagTelepites t;
        t.nyit();
        QCOMPARE(Adatbazis::ertek("SELECT Rendszergazda FROM FELHASZNALO WHERE Felhasznalo = 'rendszergazda'").toString(),
                 QString("I"));
        QVERIFY(Adatbazis::ertek("SELECT COUNT(FizTip_nev) FROM FizTip").toInt() > 0);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(Mufaj_nev) FROM MUFAJ").toInt() > 0);
        QVERIFY(Adatbazis::ertek("SELECT COUNT(Arkat_nev) FROM ArKat").toInt() > 0);
        QVERIFY(Sema::mezo("CASSATIP", "CassaTip_Nev"));
    }

    void magyarKisNagybetu()
    {
        MagTelepites t;
        t.nyit();
        QCOMPARE(Adatbazis::ertek("SELECT UPPER('őrült űrhajós')").toString(), QString("ŐRÜLT ŰRHAJÓS"));
        QCOMPARE(Adatbazis::ertek("SELECT LOWER('ÁRVÍZTŰRŐ')").toString(), QString("árvíztűrő"));
        QCOMPARE(Adatbazis::ertek("SELECT 'Őrült nők' LIKE ?", {"%NŐK%"}).toInt(), 1);
        QCOMPARE(Adatbazis::ertek("SELECT 'a%b' LIKE ? ESCAPE '!'", {"a!%b"}).toInt(), 1);
        QCOMPARE(Adatbazis::ertek("SELECT 'axb' LIKE ? ESCAPE '!'", {"a!%b"}).toInt(), 0);
        QCOMPARE(Adatbazis::ertek("SELECT hu_kezdodik('Ördögűző', ?)", {"ÖRD"}).toInt(), 1);
        // A pattern that changes from row to row is not taken for the one
        // kept from the row before; one bound for the scan is kept for every row.
        QCOMPARE(Adatbazis::ertek("SELECT group_concat(column2 LIKE column1, '') FROM (VALUES ('%ő%', 'Őz'), "
                                  "('x%', 'Őz'), ('%Z', 'őz'), ('', ''), (NULL, 'a'))")
                     .toString(),
                 QString("1011"));
        QCOMPARE(Adatbazis::ertek("SELECT group_concat(column1 LIKE ?, '') FROM (VALUES ('Ős'), ('ős'), ('os'), "
                                  "(NULL), (''), ('xŐSx'))",
                                  {"%ŐS%"})
                     .toString(),
                 QString("11001"));
    }

    void nyitasHibakNemValtoztatnak()
    {
        MagTelepites t;
        const QString fajl = t.adatMappa() + "/kazettora.db";
        QString hiba;

        // No database: nothing is created.
        QVERIFY(QFile::rename(fajl, fajl + ".felre"));
        QVERIFY(!Adatbazis::nyit(t.adatMappa(), &hiba));
        QVERIFY(hiba.contains("nem található"));
        QVERIFY(!QFile::exists(fajl));
        QVERIFY(!Adatbazis::nyitva());

        // Not a database: refused, the bytes unchanged.
        {
            QFile f(fajl);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, 'x'));
        }
        const QByteArray elotte = hash(fajl);
        QVERIFY(!Adatbazis::nyit(t.adatMappa(), &hiba));
        QVERIFY2(hiba.contains("nem nyitható meg"), qPrintable(hiba));
        QCOMPARE(hash(fajl), elotte);
        QVERIFY(!Adatbazis::nyitva());

        // A database without one of the tables: named in the message.
        QFile::remove(fajl);
        QVERIFY(QFile::rename(fajl + ".felre", fajl));
        t.nyit();
        Adatbazis::vegrehajt("DROP TABLE vkod");
        Adatbazis::zar();
        QVERIFY(!Adatbazis::nyit(t.adatMappa(), &hiba));
        QVERIFY2(hiba.contains("vkod"), qPrintable(hiba));
    }

    // A file that is not ours is only read before it is refused: a foreign
    // SQLite database is not switched to WAL, an empty file does not become
    // a database, and nothing is left beside them.
    void elutasitottFajlErintetlen_data()
    {
        QTest::addColumn<bool>("sqlite");
        QTest::newRow("idegen SQLite adatbazis") << true;
        QTest::newRow("ures fajl") << false;
    }
    void elutasitottFajlErintetlen()
    {
        QFETCH(bool, sqlite);
        MagTelepites t;
        const QString fajl = t.adatMappa() + "/kazettora.db";
        QVERIFY(QFile::remove(fajl));
        if (sqlite) {
            {
                QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", "idegen");
                d.setDatabaseName(fajl);
                QVERIFY(d.open());
                QSqlQuery q(d);
                QVERIFY(q.exec("CREATE TABLE jegyzet (szoveg TEXT)"));
                QVERIFY(q.exec("INSERT INTO jegyzet VALUES ('más program adata')"));
                d.close();
            }
            QSqlDatabase::removeDatabase("idegen");
        } else {
            QFile f(fajl);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QStringList elotteFajlok = fajlok(t.adatMappa());
        const QByteArray elotte = hash(fajl);
        const qint64 meret = QFileInfo(fajl).size();
        QString hiba;
        QVERIFY(!Adatbazis::nyit(t.adatMappa(), &hiba));
        QVERIFY2(hiba.contains("nem nyitható meg"), qPrintable(hiba));
        QVERIFY(!Adatbazis::nyitva());
        QCOMPARE(QFileInfo(fajl).size(), meret);
        QCOMPARE(hash(fajl), elotte);
        QCOMPARE(fajlok(t.adatMappa()), elotteFajlok);   // no -wal, -shm or lock file
    }

    // The last line of defence under every window: a number that is not
    // finite is never stored, neither as infinity nor as an empty field.
    void nemVegesSzamNemTarolhato()
    {
        MagTelepites t;
        t.nyit();
        const double vegtelen = std::numeric_limits<double>::infinity();
        for (const QVariant& v : {QVariant(vegtelen), QVariant(-vegtelen), QVariant(std::nan(""))}) {
            try {
                Adatbazis::vegrehajt("UPDATE beallit SET dijev = ?", {v});
                QFAIL("a number that is not finite was stored");
            } catch (const AdatbazisHiba& e) {
                QCOMPARE(e.uzenet(), QString("Nem megfelelő érték."));
            }
        }
        // Past the program, the table itself: an overflowing literal is infinity.
        try {
            Adatbazis::vegrehajt("INSERT INTO fiztip_arkat (fiztip, arkat, ar) VALUES (99, 99, 1e999)");
            QFAIL("infinity stored in a REAL field");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains("a(z) ar mező számot vár"), qPrintable(e.uzenet()));
        }
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba,
                                 Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, osszeg, penzvan) VALUES ('B', 1, -9e999)"));
        QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, Adatbazis::vegrehajt("INSERT INTO video (azon, ar) VALUES (1, 1e308 * 10)"));
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM cassa").toInt() + Adatbazis::ertek("SELECT COUNT(*) FROM video").toInt(), 0);
        Adatbazis::vegrehajt("UPDATE beallit SET dijev = 1e300");   // large, yet a number
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM fiztip_arkat WHERE fiztip = 99").toInt(), 0);
    }

    // A second copy of the program on the same data folder is refused in
    // either direction; a copy that crashed (SIGKILL) leaves no lock behind.
    void masodikPeldanyElutasitva()
    {
        MagTelepites t;
        QProcess masik;
        masik.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        masik.start(QCoreApplication::applicationFilePath(), {"--nyit", t.adatMappa()});
        QVERIFY(masik.waitForStarted());
        QVERIFY(masik.waitForReadyRead(20000));
        QCOMPARE(masik.readLine().trimmed(), QByteArray("NYITVA"));

        QString hiba;
        QVERIFY(!Adatbazis::nyit(t.adatMappa(), &hiba));
        QVERIFY2(hiba.contains("másik példánya"), qPrintable(hiba));
        QVERIFY(!Adatbazis::nyitva());

        ::kill(masik.processId(), SIGKILL);
        QVERIFY(masik.waitForFinished());
        QVERIFY2(Adatbazis::nyit(t.adatMappa(), &hiba), qPrintable(hiba));

        QProcess harmadik;
        harmadik.start(QCoreApplication::applicationFilePath(), {"--nyit", t.adatMappa()});
        QVERIFY(harmadik.waitForFinished(20000));
        QCOMPARE(harmadik.exitCode(), 3);
        QVERIFY2(QString::fromUtf8(harmadik.readAllStandardOutput()).contains("másik példánya"),
                 qPrintable(harmadik.readAllStandardOutput()));
        // Closed in order, the folder is free again and holds no lock file.
        Adatbazis::zar();
        QVERIFY(!QFile::exists(t.adatMappa() + "/kazettora.db.lock"));
        QVERIFY2(Adatbazis::nyit(t.adatMappa(), &hiba), qPrintable(hiba));
    }

    void beallitSor_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("vanbelep");
        QTest::addColumn<bool>("autonyom");
        QTest::addColumn<bool>("elorefizet");
        QTest::addColumn<double>("dijev");
        QTest::newRow("ures tabla") << "DELETE FROM beallit" << false << false << false << 0.0;
        QTest::newRow("kisbetus i nem kapcsol") << "UPDATE beallit SET vanbelep='i', autonyom='I', dijev=NULL"
                                                 << false << true << false << 0.0;
        QTest::newRow("mind be") << "UPDATE beallit SET vanbelep='I', elorefizet='I', dijev=6000" << true << false
                                 << true << 6000.0;
    }
    void beallitSor()
    {
        QFETCH(QString, sql);
        MagTelepites t;
        t.nyit();
        Adatbazis::vegrehajt(sql);
        TBeall.dijnegyed = 99;
        BeallitBetoltAdatbazisbol();
        QTEST(TBeall.vanbelep, "vanbelep");
        QTEST(TBeall.autonyom, "autonyom");
        QTEST(TBeall.elorefizet, "elorefizet");
        QTEST(TBeall.dijev, "dijev");
        if (sql.startsWith("DELETE")) QCOMPARE(TBeall.dijnegyed, 0.0);
    }

    void rekordSzerkesztesEsElvetes()
    {
        MagTelepites t;
        t.nyit();
        Rekord r("tipus");
        r.beszur();
        r.beallit("tipus_nev", "LaserDisc");
        const int kulcs = r.ment().toInt();
        QVERIFY(kulcs > 0);
        QVERIFY(r.szerkeszt(kulcs));
        r.beallit("tipus_nev", "Más");
        r.elvet();
        QCOMPARE(r.ertek("tipus_nev").toString(), QString("LaserDisc"));
        QCOMPARE(Adatbazis::ertek("SELECT tipus_nev FROM tipus WHERE tipus = ?", {kulcs}).toString(), QString("LaserDisc"));
        // An empty edit field is an empty (null) field.
        QVERIFY(r.szerkeszt(kulcs));
        r.beallit("tipus_nev", QString(""));
        r.ment();
        QVERIFY(Adatbazis::ertek("SELECT tipus_nev FROM tipus WHERE tipus = ?", {kulcs}).isNull());
        // A text key changed in the edit reaches the same row.
        Rekord c("cassatip");
        QVERIFY(c.szerkeszt(QString("E")));
        c.beallit("cassatip", "X");
        c.ment();
        QCOMPARE(Adatbazis::ertek("SELECT cassatip_nev FROM cassatip WHERE cassatip='X'").toString(), QString("Egyéb bevétel"));
        QVERIFY(Adatbazis::ertek("SELECT COUNT(*) FROM cassatip WHERE cassatip='E'").toInt() == 0);
        // A duplicate letter is refused in Hungarian.
        Rekord d("cassatip");
        d.beszur();
        d.beallit("cassatip", "B");
        try {
            d.ment();
            QFAIL("duplicate key stored");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().startsWith("Már van ilyen kulcsú sor"), qPrintable(e.uzenet()));
        }
    }

    void tranzakcioMindVagySemmi()
    {
        MagTelepites t;
        t.nyit();
        const int elotte = Adatbazis::ertek("SELECT COUNT(*) FROM mufaj").toInt();
        try {
            Adatbazis::Tranzakcio tr;
            Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj_nev) VALUES ('Musical')");
            Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj_nev) VALUES (?)", {QString(30, 'x')});   // refused
            tr.jovahagy();
        } catch (const AdatbazisHiba&) {
        }
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM mufaj").toInt(), elotte);
    }

    // Transactions compose: a save inside an open transaction is part of
    // it, stored when the outermost one is approved and undone with it; an
    // inner failure undoes only its own part.
    void tranzakciokEgymasban()
    {
        MagTelepites t;
        t.nyit();
        const int mufajok = szam("SELECT COUNT(*) FROM mufaj");
        const int tipusok = szam("SELECT COUNT(*) FROM tipus");
        {
            Adatbazis::Tranzakcio kulso;
            QVERIFY(kulso.kulso());
            Rekord r("mufaj");
            r.beszur();
            r.beallit("mufaj_nev", "Musical");
            r.ment();   // joins: no "cannot start a transaction within a transaction"
            SorTorol("tipus", {1});
            QVERIFY(Adatbazis::tranzakcioban());
            QCOMPARE(szam("SELECT COUNT(*) FROM mufaj"), mufajok + 1);
            // The outer one is dropped without approval.
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(szam("SELECT COUNT(*) FROM mufaj"), mufajok);
        QCOMPARE(szam("SELECT COUNT(*) FROM tipus"), tipusok);

        {
            Adatbazis::Tranzakcio kulso;
            Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj_nev) VALUES ('Első')");
            Rekord rossz("mufaj");
            rossz.beszur();
            rossz.beallit("mufaj_nev", QString(30, 'x'));   // refused: its savepoint is undone
            QVERIFY_THROWS_EXCEPTION(AdatbazisHiba, rossz.ment());
            QCOMPARE(rossz.allapot(), Rekord::Allapot::Beszur);
            {
                Adatbazis::Tranzakcio belso;
                QVERIFY(!belso.kulso());
                Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj_nev) VALUES ('Elvetett')");
            }
            {
                Adatbazis::Tranzakcio belso;
                Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj_nev) VALUES ('Második')");
                belso.jovahagy();
            }
            QVERIFY(Adatbazis::tranzakcioban());
            kulso.jovahagy();
        }
        QVERIFY(!Adatbazis::tranzakcioban());
        QCOMPARE(szam("SELECT COUNT(*) FROM mufaj"), mufajok + 2);
        QCOMPARE(szam("SELECT COUNT(*) FROM mufaj WHERE mufaj_nev IN ('Első', 'Második')"), 2);
        // On disk: another connection sees it.
        {
            QSqlDatabase m = QSqlDatabase::addDatabase("QSQLITE", "masik");
            m.setDatabaseName(Adatbazis::fajlUtvonal(t.adatMappa()));
            QVERIFY(m.open());
            QSqlQuery q(m);
            QVERIFY(q.exec("SELECT COUNT(*) FROM mufaj WHERE mufaj_nev IN ('Első', 'Második')") && q.next());
            QCOMPARE(q.value(0).toInt(), 2);
        }
        QSqlDatabase::removeDatabase("masik");
    }

    // An edit writes only what it changed: two windows editing different
    // fields of one row keep both changes; a row deleted meanwhile is refused.
    void szerkesztesCsakAValtozott()
    {
        MagTelepites t;
        t.nyit();
        Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, telefon, cim_varos) "
                             "VALUES (1, 7, 'Kis Anna', '111', 'Pécs')");
        Rekord egyik("ugyfel"), masik("ugyfel");
        QVERIFY(egyik.szerkeszt(1));
        QVERIFY(masik.szerkeszt(1));
        egyik.beallit("telefon", "222");
        masik.beallit("cim_varos", "Győr");
        masik.beallit("ugyfel_nev", "Kis Anna");   // set to what it was: not a change
        egyik.ment();
        masik.ment();
        QSqlQuery q = Adatbazis::vegrehajt("SELECT telefon, cim_varos, ugyfel_nev, azon FROM ugyfel WHERE ugyfel = 1");
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QString("222"));
        QCOMPARE(q.value(1).toString(), QString("Győr"));
        QCOMPARE(q.value(2).toString(), QString("Kis Anna"));
        QCOMPARE(q.value(3).toInt(), 7);

        // A number typed as an integer is the same as the real loaded.
        Adatbazis::vegrehajt("INSERT INTO fiztip_arkat (fiztip, arkat, ar) VALUES (9, 9, 1500)");
        Rekord ar("fiztip_arkat"), ar2("fiztip_arkat");
        QVERIFY(ar.szerkeszt(QVariantList{9, 9}));
        QVERIFY(ar2.szerkeszt(QVariantList{9, 9}));
        ar2.beallit("ar", 1800.0);
        ar2.ment();
        ar.beallit("ar", 1500);
        ar.ment();
        QCOMPARE(Adatbazis::ertek("SELECT ar FROM fiztip_arkat WHERE fiztip = 9 AND arkat = 9").toDouble(), 1800.0);

        // Emptying a field is a change.
        QVERIFY(egyik.szerkeszt(1));
        egyik.beallit("telefon", QString());
        egyik.ment();
        QVERIFY(Adatbazis::ertek("SELECT telefon FROM ugyfel WHERE ugyfel = 1").isNull());

        QVERIFY(egyik.szerkeszt(1));
        Adatbazis::vegrehajt("DELETE FROM ugyfel WHERE ugyfel = 1");
        egyik.beallit("telefon", "333");
        try {
            egyik.ment();
            QFAIL("a deleted row was saved");
        } catch (const AdatbazisHiba& e) {
            QVERIFY2(e.uzenet().contains("törölték"), qPrintable(e.uzenet()));
        }
        QCOMPARE(egyik.allapot(), Rekord::Allapot::Szerkeszt);
        QCOMPARE(szam("SELECT COUNT(*) FROM ugyfel"), 0);
    }

    // A new database carries the current schema version and the collator's.
    void ujAdatbazisVerzioi()
    {
        MagTelepites t;
        t.nyit();
        QCOMPARE(szam("PRAGMA user_version"), Sema::Verzio);
        QVERIFY(!HuFold::rendVerzio().isEmpty());
        QCOMPARE(taroltRendezes(), HuFold::rendVerzio());
    }

    // An older database is brought up to date when opened: what later
    // versions added (the book-keeping table, an index) reaches it, in one
    // go, and the indexes are rebuilt in the current order.
    void regiAdatbazisFrissul()
    {
        MagTelepites t;
        const QString fajl = Adatbazis::fajlUtvonal(t.adatMappa());
        // As the first version left it: no book-keeping, no later index, table or field.
        kivulrol(fajl, {"DROP TABLE rendszer", "DROP INDEX video_kint_nev", "DROP TABLE kesedelem", "DROP TABLE zaras",
                        "PRAGMA user_version = 0"});
        t.nyit();
        QCOMPARE(szam("PRAGMA user_version"), Sema::Verzio);
        QCOMPARE(szam("SELECT COUNT(*) FROM zaras") + szam("SELECT COUNT(*) FROM kesedelem"), 0);
        QCOMPARE(szam("SELECT COUNT(*) FROM pragma_table_info('beallit') WHERE name = 'alapfiztip'"), 1);
        QCOMPARE(szam("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = 'video_kint_nev'"), 1);
        QCOMPARE(taroltRendezes(), HuFold::rendVerzio());
        // Opening again changes nothing.
        Adatbazis::zar();
        const QByteArray elotte = hash(fajl);
        t.nyit();
        Adatbazis::zar();
        QCOMPARE(hash(fajl), elotte);
    }

    // An index of the schema dropped behind the program's back is built
    // again when the shop opens; a file that cannot be written opens
    // without it.
    void hianyzoIndexUjraepul_data()
    {
        QTest::addColumn<bool>("irhato");
        QTest::newRow("írható") << true;
        QTest::newRow("csak olvasható") << false;
    }
    void hianyzoIndexUjraepul()
    {
        QFETCH(bool, irhato);
        MagTelepites t(true);
        const QString fajl = Adatbazis::fajlUtvonal(t.adatMappa());
        const QString indexek = "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name IN "
                                "('video_azon', 'ugyfel_ugyfel_nev', 'cassa_idoszak')";
        kivulrol(fajl, {"DROP INDEX video_azon", "DROP INDEX ugyfel_ugyfel_nev", "DROP INDEX cassa_idoszak"});
        if (!irhato) {
            const QFileDevice::Permissions regi = QFile::permissions(fajl);
            QVERIFY(QFile::setPermissions(fajl, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
            {
                JogokKorlatozva jogok;
                if (!jogok.ervenyes()) {
                    QFile::setPermissions(fajl, regi);
                    QSKIP("file permissions cannot be made to bind in this process");
                }
                t.nyit();
                QCOMPARE(szam(indexek), 0);
                Adatbazis::zar();
            }
            QFile::setPermissions(fajl, regi);
            return;
        }
        t.nyit();
        QCOMPARE(szam(indexek), 3);
        QCOMPARE(Adatbazis::ertek("PRAGMA integrity_check").toString(), QString("ok"));
        // Opening again changes nothing.
        Adatbazis::zar();
        const QByteArray elotte = hash(fajl);
        t.nyit();
        Adatbazis::zar();
        QCOMPARE(hash(fajl), elotte);
    }

    // Files the checks refuse are never changed: one without a table, one
    // written by a newer program.
    void elutasitottFajlNemFrissul_data()
    {
        QTest::addColumn<QStringList>("utasitasok");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("hiányzó tábla") << QStringList{"DROP TABLE vkod", "PRAGMA user_version = 0"} << "vkod";
        QTest::newRow("újabb változat") << QStringList{"PRAGMA user_version = 99"} << "újabb változata";
    }
    void elutasitottFajlNemFrissul()
    {
        QFETCH(QStringList, utasitasok);
        QFETCH(QString, uzenet);
        MagTelepites t;
        const QString fajl = Adatbazis::fajlUtvonal(t.adatMappa());
        kivulrol(fajl, utasitasok + QStringList{"DROP INDEX video_azon"});
        const QByteArray elotte = hash(fajl);
        QString hiba;
        QVERIFY(!Adatbazis::nyit(t.adatMappa(), &hiba));
        QVERIFY2(hiba.contains(uzenet), qPrintable(hiba));
        QVERIFY(!Adatbazis::nyitva());
        QCOMPARE(hash(fajl), elotte);
    }

    // Indexes built with another collator version (here: an order that is
    // simply wrong) are rebuilt when opened, and the new version stored.
    void masRendezesiVerzioUjraindexel()
    {
        MagTelepites t;
        const QString fajl = Adatbazis::fajlUtvonal(t.adatMappa());
        QStringList be;
        for (const char* c : {"Zsolt", "Ábrándos", "Cukor", "Animáció", "Csaba", "Ödön", "Oszkár"})
            be << QStringLiteral("INSERT INTO video (azon, video_nev) VALUES (1, '%1')").arg(QString::fromUtf8(c));
        be << "UPDATE rendszer SET ertek = '0.0.0.0' WHERE nev = 'hu_rendezes'";
        kivulrol(fajl, be, forditott);
        t.nyit();
        QCOMPARE(taroltRendezes(), HuFold::rendVerzio());
        QCOMPARE(Adatbazis::ertek("PRAGMA integrity_check").toString(), QString("ok"));
        // Read through the index itself.
        QStringList cimek;
        QSqlQuery q = Adatbazis::vegrehajt("SELECT video_nev FROM video INDEXED BY video_video_nev "
                                           "WHERE video_nev > '' COLLATE HU ORDER BY video_nev COLLATE HU");
        while (q.next()) cimek << q.value(0).toString();
        QCOMPARE(cimek, (QStringList{"Ábrándos", "Animáció", "Cukor", "Csaba", "Oszkár", "Ödön", "Zsolt"}));
    }

    // The HU collation of the connection is the Hungarian order of HuFold.
    void huRendezesAzAdatbazisban()
    {
        MagTelepites t;
        t.nyit();
        QStringList nevek = {"Zoltán", "Ütő", "Uzsonna", "Győr", "Gulyás", "Ezer", "Ének", "Balog Péter",
                             "bálint júlia", "CSABA", "Cukor", "Ödön", "Oszkár", "Abonyi", "Ábel"};
        Adatbazis::Tranzakcio tr;
        for (const QString& n : nevek) Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel_nev) VALUES (?)", {n});
        tr.jovahagy();
        QStringList sql;
        QSqlQuery q = Adatbazis::vegrehajt("SELECT ugyfel_nev FROM ugyfel ORDER BY ugyfel_nev COLLATE HU");
        while (q.next()) sql << q.value(0).toString();
        std::sort(nevek.begin(), nevek.end(), [](const QString& a, const QString& b) { return HuFold::osszehasonlit(a, b) < 0; });
        QCOMPARE(sql, nevek);
        QCOMPARE(sql, (QStringList{"Ábel", "Abonyi", "bálint júlia", "Balog Péter", "Cukor", "CSABA", "Ének", "Ezer",
                                   "Gulyás", "Győr", "Oszkár", "Ödön", "Uzsonna", "Ütő", "Zoltán"}));
        QCOMPARE(szam("SELECT 'MÁTRIX' = 'mátrix' COLLATE HU"), 1);
    }

    void konverziok()
    {
        QCOMPARE(VarSzoveg(QVariant()), QString());
        QCOMPARE(VarEgesz(QVariant()), 0);
        QCOMPARE(VarValos(QVariant()), 0.0);
        QCOMPARE(VarEgesz(QVariant(QString("abc"))), 0);
        QCOMPARE(VarEgesz(QVariant(5000000000LL)), 0);
        QCOMPARE(VarValos(QVariant(std::numeric_limits<double>::infinity())), 0.0);
        QCOMPARE(VarValos(QVariant(QString("inf"))), 0.0);
        QCOMPARE(VarValos(QVariant(QString("nan"))), 0.0);
        QCOMPARE(VarSzoveg(QVariant(12.5)), QString("12,5"));
        QCOMPARE(VarSzoveg(QVariant(12000.0)), QString("12000"));
        QCOMPARE(VarSzoveg(QVariant(QDate(2026, 3, 4))), QLocale().toString(QDate(2026, 3, 4), QLocale::ShortFormat));
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--nyit") == 0) {
        QCoreApplication app(argc, argv);
        return masikPeldany(argv[2]);
    }
    QCoreApplication app(argc, argv);
    TstAdatbazis t;
    return QTest::qExec(&t, argc, argv);
}
#include "tst_adatbazis.moc"
