// The archive of the data folder without windows: a zip that unzip accepts,
// every file under its path relative to the folder (a subfolder's too), and
// a database that opens whole with the last committed rental in it while
// that rental still sits in the write-ahead log of an open connection.
#include "core/admin/archiv.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/rental/kolcsonzes.h"
#include "tests/core/tesztmag.h"
#include "tests/core/tesztfajl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QtTest>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

struct Futas {
    int kod = -1;
    QString ki;
};

Futas futtat(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())};
}

QStringList tartalom(const QString& zip)
{
    QStringList l = futtat("unzip", {"-Z1", zip}).ki.split('\n', Qt::SkipEmptyParts);
    l.sort();
    return l;
}

// A rental of the first item in the shop, committed through the rules; its
// item key.
qint64 kolcsonoz()
{
    const qint64 video = Adatbazis::ertek("SELECT MIN(video) FROM video WHERE kint = 'N' AND torolve = 'N'").toLongLong();
    const int ugyfel = Adatbazis::ertek("SELECT MIN(azon) FROM ugyfel WHERE torolve = 'N'").toInt();
    Kolcsonzes k(ugyfel, "teszt", 1, 24);
    k.hozzaad(video);
    k.befejez();
    return video;
}

// Opens an unzipped database on its own, checks it whole, and answers one
// value; an empty text when it cannot be read.
QString kibontottErtek(const QString& fajl, const QString& sql)
{
    const QString nev = QStringLiteral("kibontott");
    QString e;
    {
        QSqlDatabase d = QSqlDatabase::addDatabase("QSQLITE", nev);
        d.setDatabaseName(fajl);
        QString hiba;
        // The program's own set-up of a connection: the indexes need its collation.
        if (!d.open() || !Adatbazis::beallit(d, &hiba)) qWarning() << "kibontott adatbázis:" << hiba;
        QSqlQuery q(d);
        if (d.isOpen() && q.exec("PRAGMA integrity_check") && q.next() && q.value(0).toString() == "ok" && q.exec(sql)
            && q.next())
            e = q.value(0).toString();
        else
            qWarning() << "kibontott adatbázis:" << q.lastError().text();
    }
    QSqlDatabase::removeDatabase(nev);
    return e;
}

} // namespace

class TstArchiv : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        if (QStandardPaths::findExecutable("unzip").isEmpty()) QSKIP("unzip nincs telepítve");
    }

    void javasoltNev()
    {
        QCOMPARE(Archiv::JavasoltNev("/a/Archiv", QDate(2024, 1, 31)), QString("/a/Archiv/20240131.zip"));
    }

    void emlekezteto_data()
    {
        QTest::addColumn<int>("napja");
        QTest::addColumn<bool>("kell");
        QTest::newRow("ma") << 0 << false;
        QTest::newRow("4 napja") << 4 << false;
        QTest::newRow("5 napja") << 5 << true;
        QTest::newRow("10 napja (friss beállítás)") << 10 << true;
        QTest::newRow("holnap (átállított óra)") << -1 << false;
    }
    void emlekezteto()
    {
        QFETCH(int, napja);
        QFETCH(bool, kell);
        const QDate ma(2026, 3, 14);
        QCOMPARE(Archiv::EmlekeztetoKell(ma.addDays(-napja), ma), kell);
        QVERIFY(Archiv::EmlekeztetoKell(QDate(), ma));
    }

    // The connection that committed the rental stays open, so the rental is
    // only in the log beside the database file when the archive is made.
    // With another reader holding an older view, the log cannot be folded in
    // and the database goes in through a copy: the rental is there all the same.
    void konzisztensArchiv_data()
    {
        QTest::addColumn<bool>("masikOlvaso");
        QTest::newRow("a napló beolvasztva") << false;
        QTest::newRow("másik olvasó: másolat") << true;
    }
    void konzisztensArchiv()
    {
        QFETCH(bool, masikOlvaso);
        MagTelepites t(true);
        t.nyit();
        sqlite3* olvaso = nullptr;
        if (masikOlvaso) {
            QCOMPARE(sqlite3_open_v2(QFile::encodeName(t.adatMappa() + "/kazettora.db").constData(), &olvaso,
                                     SQLITE_OPEN_READONLY, nullptr),
                     SQLITE_OK);
            QCOMPARE(sqlite3_exec(olvaso, "BEGIN; SELECT COUNT(*) FROM video", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        const auto zar = qScopeGuard([&] {
            if (olvaso) sqlite3_close_v2(olvaso);
        });
        FajlIr(t.adatMappa() + "/Kepek/borito 1.txt", "borító");
        FajlIr(t.adatMappa() + "/Kepek/Regi/.rejtett", "x");
        FajlIr(t.adatMappa() + "/olvass.txt", "olvass el");
        const qint64 video = kolcsonoz();
        QVERIFY2(QFileInfo(t.adatMappa() + "/kazettora.db-wal").size() > 0, "the rental must still be in the log");

        const QString zip = t.mappa() + "/Archiv/20260314.zip";
        QString hiba;
        QVERIFY2(Archiv::Keszit(t.adatMappa(), zip, &hiba), qPrintable(hiba));
        // Which way it went: folded in, the log is empty; held open, it is not.
        QCOMPARE(QFileInfo(t.adatMappa() + "/kazettora.db-wal").size() > 0, masikOlvaso);

        const Futas teszt = futtat("unzip", {"-t", zip});
        QVERIFY2(teszt.kod == 0, qPrintable(teszt.ki));
        QCOMPARE(tartalom(zip), (QStringList{"Kepek/Regi/.rejtett", "Kepek/borito 1.txt", "kazettora.db", "olvass.txt"}));
        // Deflated, not stored.
        QVERIFY2(futtat("unzip", {"-v", zip}).ki.contains("Defl:"), "deflate");

        QTemporaryDir ki;
        QCOMPARE(futtat("unzip", {"-q", zip, "-d", ki.path()}).kod, 0);
        QCOMPARE(QFile(ki.filePath("Kepek/borito 1.txt")).size(), QByteArray("borító").size());
        QVERIFY(!QFile::exists(ki.filePath("kazettora.db-wal")));
        const QString db = ki.filePath("kazettora.db");
        QCOMPARE(kibontottErtek(db, QStringLiteral("SELECT kint FROM video WHERE video = %1").arg(video)), QString("I"));
        QCOMPARE(kibontottErtek(db, QStringLiteral("SELECT COUNT(*) FROM ugyfel_video WHERE video = %1").arg(video)),
                 QString::number(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video WHERE video = ?", {video}).toInt()));
        // Nothing of ours is left beside the archive.
        QCOMPARE(QDir(t.mappa() + "/Archiv").entryList(QDir::Files), QStringList{"20260314.zip"});
        // The session goes on: another rental after the archive.
        kolcsonoz();
    }

    // A folder other than the open session's (the data folder changed in
    // the settings window before a restart) is read through a connection of
    // its own; an archive made inside the data folder leaves itself out; an
    // earlier archive of the same name is replaced.
    void masikMappaEsCsere()
    {
        MagTelepites nyitott(true);
        nyitott.nyit();
        MagTelepites masik(false);
        Adatbazis::vegrehajt("UPDATE tulajdonos SET tulajdonos = 'Nyitott'");
        const QString zip = masik.adatMappa() + "/mentes.zip";
        FajlIr(zip, "nem zip");
        QString hiba;
        QVERIFY2(Archiv::Keszit(masik.adatMappa(), zip, &hiba), qPrintable(hiba));
        QCOMPARE(futtat("unzip", {"-t", zip}).kod, 0);
        QCOMPARE(tartalom(zip), QStringList{"kazettora.db"});
        QTemporaryDir ki;
        QCOMPARE(futtat("unzip", {"-q", zip, "-d", ki.path()}).kod, 0);
        QVERIFY(kibontottErtek(ki.filePath("kazettora.db"), "SELECT tulajdonos FROM tulajdonos") != "Nyitott");
        QCOMPARE(kibontottErtek(ki.filePath("kazettora.db"), "SELECT COUNT(*) FROM video"), QString("0"));
    }

    void hibak()
    {
        MagTelepites t(true);
        t.nyit();
        QString hiba;
        const QString zip = t.mappa() + "/nincs/ilyen/mappa.zip";
        QVERIFY(!Archiv::Keszit(t.adatMappa(), zip, &hiba));
        QVERIFY(!hiba.isEmpty());
        QVERIFY(!QFileInfo::exists(t.mappa() + "/nincs"));
        hiba.clear();
        QVERIFY(!Archiv::Keszit(t.mappa() + "/NincsIlyen", t.mappa() + "/Archiv/x.zip", &hiba));
        QVERIFY2(hiba.contains("Nem létező"), qPrintable(hiba));
        QCOMPARE(QDir(t.mappa() + "/Archiv").entryList(QDir::Files), QStringList{});
    }

    // Only regular files go in: a named pipe would hold the archive for
    // ever, a link would pull in what lies outside the data folder. Both
    // are named as left out; the archive is made all the same.
    void csakRendesFajlok()
    {
        MagTelepites t(false);
        QTemporaryDir kint;
        FajlIr(kint.filePath("titok.txt"), "kinti tartalom");
        FajlIr(t.adatMappa() + "/olvass.txt", "olvass el");
        QVERIFY(QDir().mkpath(kint.filePath("mappa")));
        QCOMPARE(::mkfifo(QFile::encodeName(t.adatMappa() + "/cso").constData(), 0600), 0);
        QVERIFY(QFile::link(kint.filePath("titok.txt"), t.adatMappa() + "/hivatkozas.txt"));
        QVERIFY(QFile::link(kint.filePath("mappa"), t.adatMappa() + "/kinti_mappa"));
        FajlIr(kint.filePath("mappa/belul.txt"), "x");
        const QString zip = t.mappa() + "/Archiv/a.zip";
        QString hiba;
        QStringList kihagyott;
        QVERIFY2(Archiv::Keszit(t.adatMappa(), zip, &hiba, &kihagyott), qPrintable(hiba));
        QCOMPARE(tartalom(zip), (QStringList{"kazettora.db", "olvass.txt"}));
        kihagyott.sort();
        QCOMPARE(kihagyott, (QStringList{"cso", "hivatkozas.txt", "kinti_mappa"}));
        const QString uzenet = Archiv::KihagyottUzenet(kihagyott);
        QVERIFY2(uzenet.contains("3 elem") && uzenet.contains("cso, hivatkozas.txt, kinti_mappa"), qPrintable(uzenet));
        QCOMPARE(Archiv::KihagyottUzenet({}), QString());
    }

    // A run killed half-way leaves its temporaries beside the archive (the
    // zip writer's, the database copy); the next run removes them, but not
    // those of a run still at work.
    void megoltFutasMaradekai()
    {
        MagTelepites t(false);
        const QString mappa = t.mappa() + "/Archiv";
        QVERIFY(QDir().mkpath(mappa));
        const QString h = HalottFolyamat();
        const EloFolyamat el;
        const QString e = el.szam();
        const QStringList maradek{"20260301.zip.kazettora-" + h + ".tmp.AbC123", "20260301.zip.kazettora-" + h + ".tmp.db",
                                  "20260301.zip.kazettora-" + h + ".tmp"};
        const QStringList marad{"20260302.zip.kazettora-" + e + ".tmp.XyZ789", "sajat.zip.tmp", "kazettora-1.tmp"};
        for (const QString& n : maradek + marad) FajlIr(mappa + "/" + n, "félkész");
        QString hiba;
        QVERIFY2(Archiv::Keszit(t.adatMappa(), mappa + "/20260314.zip", &hiba), qPrintable(hiba));
        QStringList vart = marad + QStringList{"20260314.zip"};
        vart.sort();
        QCOMPARE(QDir(mappa).entryList(QDir::Files, QDir::Name), vart);
    }

    // A full disk and a path through a file: the reason in Hungarian, the
    // older archive of that name as it was, nothing else left behind.
    void hibaMagyarul_data()
    {
        QTest::addColumn<bool>("teli");
        QTest::addColumn<QString>("vart");
        QTest::newRow("betelt lemez") << true << "Betelt a lemez";
        QTest::newRow("fájl a mappa helyén") << false << "nem mappa";
    }
    void hibaMagyarul()
    {
        QFETCH(bool, teli);
        QFETCH(QString, vart);
        MagTelepites t(true);
        // Beyond the database's own writes (its file, its log), the zip
        // cannot go whole: it holds a file that does not compress.
        QByteArray zaj(512 * 1024, Qt::Uninitialized);
        QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(zaj.data()), zaj.size() / 4);
        FajlIr(t.adatMappa() + "/zaj.bin", zaj);
        const qint64 hatar = QFileInfo(t.adatMappa() + "/kazettora.db").size() + 64 * 1024;
        const QString mappa = t.mappa() + "/Archiv";
        const QString zip = teli ? mappa + "/a.zip" : mappa + "/fajl/a.zip";
        FajlIr(mappa + "/a.zip", "régi");
        FajlIr(mappa + "/fajl", "nem mappa");
        QString hiba;
        {
            std::optional<TeliLemez> lemez;
            if (teli) lemez.emplace(hatar);
            QVERIFY(!Archiv::Keszit(t.adatMappa(), zip, &hiba));
        }
        QVERIFY2(hiba.contains(vart), qPrintable(hiba));
        for (const char* angol : {"error", "Error", "Failure", "directory", "File too large"})
            QVERIFY2(!hiba.contains(QLatin1String(angol)), qPrintable(hiba));
        QFile regi(mappa + "/a.zip");
        QVERIFY(regi.open(QIODevice::ReadOnly));
        QCOMPARE(regi.readAll(), QByteArray("régi"));
        QCOMPARE(QDir(mappa).entryList(QDir::Files, QDir::Name), (QStringList{"a.zip", "fajl"}));
        if (!teli) {
            // The archive folder itself behind a file.
            QVERIFY(!Archiv::MappaLetrehoz(mappa + "/fajl/Archiv", &hiba));
            QVERIFY2(hiba.endsWith("Az útvonal egyik tagja nem mappa."), qPrintable(hiba));
        }
    }

    // The database copied (another reader holds the log) onto a full disk:
    // the engine's reason in Hungarian too, nothing left behind.
    void masolatTeliLemezen()
    {
        MagTelepites t(true);
        t.nyit();
        sqlite3* olvaso = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(t.adatMappa() + "/kazettora.db").constData(), &olvaso,
                                 SQLITE_OPEN_READONLY, nullptr),
                 SQLITE_OK);
        const auto zar = qScopeGuard([&] { sqlite3_close_v2(olvaso); });
        QCOMPARE(sqlite3_exec(olvaso, "BEGIN; SELECT COUNT(*) FROM video", nullptr, nullptr, nullptr), SQLITE_OK);
        kolcsonoz();
        const QString mappa = t.mappa() + "/Archiv";
        QVERIFY(QDir().mkpath(mappa));
        QString hiba;
        {
            TeliLemez teli(4096);
            QVERIFY(!Archiv::Keszit(t.adatMappa(), mappa + "/a.zip", &hiba));
        }
        QVERIFY2(hiba.contains("Betelt a lemez") || hiba.contains("Lemezhiba"), qPrintable(hiba));
        QCOMPARE(QDir(mappa).entryList(QDir::Files | QDir::Hidden), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TstArchiv)
#include "tst_archiv.moc"
