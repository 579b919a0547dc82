// The command line's --archive as a whole process on a fresh set-up, while
// this process holds the data open as the program at the counter would,
// with its last rental still in the write-ahead log: the archive holds it;
// the day of the archive reaches the settings file; failures say why in
// Hungarian, exit 1 and leave the recorded day alone.
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/rental/kolcsonzes.h"
#include "tests/core/tesztmag.h"
#include "tests/batch/tesztparancs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TstArchivParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString mappa() const { return m_dir.filePath("telepites"); }
    QString ini() const { return mappa() + "/Kazettora.ini"; }

    QDate rogzitett() const
    {
        IniFajl f;
        f.beolvas(ini());
        return f.datum("Archiv", "MentesDatum", QDate());
    }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        if (QStandardPaths::findExecutable("unzip").isEmpty()) QSKIP("unzip nincs telepítve");
        const ParancsFutas f = KazettoraFeladat({"--program-dir", mappa(), "--setup", "--sample"});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
    }

    void archivNyitottProgramMellett_data()
    {
        QTest::addColumn<QString>("fajl");   // empty: the day's name in the archive folder
        QTest::newRow("napi név") << QString();
        QTest::newRow("megadott fájl") << QString("kulon/ejjeli.zip");
    }
    void archivNyitottProgramMellett()
    {
        QFETCH(QString, fajl);
        ProgramUtvonalBeallit(mappa());
        QString hiba;
        QVERIFY2(Adatbazis::nyit(mappa() + "/Data", &hiba), qPrintable(hiba));
        const qint64 video = Adatbazis::ertek("SELECT MIN(video) FROM video WHERE kint = 'N' AND torolve = 'N'").toLongLong();
        {
            Kolcsonzes k(Adatbazis::ertek("SELECT MIN(azon) FROM ugyfel WHERE torolve = 'N'").toInt(), "teszt", 1, 24);
            k.hozzaad(video);
            k.befejez();
        }
        QVERIFY(QFileInfo(mappa() + "/Data/kazettora.db-wal").size() > 0);
        QFile::remove(ini());

        QString cel;
        QStringList args{"--program-dir", mappa(), "--archive"};
        if (fajl.isEmpty()) {
            cel = mappa() + "/Archiv/" + QDate::currentDate().toString("yyyyMMdd") + ".zip";
        } else {
            QDir().mkpath(m_dir.filePath("kulon"));
            cel = m_dir.filePath(fajl);
            args << cel;
        }
        const ParancsFutas f = KazettoraFeladat(args);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QCOMPARE(f.ki.trimmed(), cel);
        QCOMPARE(rogzitett(), QDate::currentDate());

        const ParancsFutas t = Futtat("unzip", {"-t", cel});
        QVERIFY2(t.kod == 0, qPrintable(t.ki));
        QTemporaryDir ki;
        QCOMPARE(Futtat("unzip", {"-q", cel, "-d", ki.path()}).kod, 0);
        // The unzipped folder opens as the program opens its data folder.
        Adatbazis::zar();
        QVERIFY2(Adatbazis::nyit(ki.path(), &hiba), qPrintable(hiba));
        QCOMPARE(Adatbazis::ertek("SELECT kint FROM video WHERE video = ?", {video}).toString(), QString("I"));
        QCOMPARE(Adatbazis::ertek("SELECT COUNT(*) FROM ugyfel_video WHERE video = ?", {video}).toInt(), 1);
        Adatbazis::zar();
    }

    void hibak_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("két fájl") << QStringList{"a.zip", "b.zip"} << "legfeljebb egy";
        QTest::newRow("nem írható") << QStringList{"nincs/ilyen/mappa.zip"} << "Hiba az archiválás közben";
    }
    void hibak()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, uzenet);
        for (QString& a : args) a = m_dir.filePath(a);
        IniFajl regi;
        regi.ir("Archiv", "MentesDatum", QDate(2020, 1, 2));
        QVERIFY(regi.ment(ini(), nullptr));
        const ParancsFutas f = KazettoraFeladat(QStringList{"--program-dir", mappa(), "--archive"} + args);
        QCOMPARE(f.kod, 1);
        QVERIFY2(f.hiba.contains(uzenet), qPrintable(f.hiba));
        QCOMPARE(f.ki.trimmed(), QString());
        QCOMPARE(rogzitett(), QDate(2020, 1, 2));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("nincs")));
    }

    void sugoCrontabSor()
    {
        const ParancsFutas f = KazettoraFeladat({"--help"});
        QVERIFY2(f.ki.contains("--archive") && f.ki.contains("crontab"), qPrintable(f.ki));
    }
};

QTEST_GUILESS_MAIN(TstArchivParancs)
#include "tst_archiv_parancs.moc"
