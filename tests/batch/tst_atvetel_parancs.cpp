// kazettora --migrate as a scheduled job or a script runs it: the report on
// standard output whatever the locale, refusals with their exit codes, and a
// run killed midway leaving no database.
#include "core/data/paradox.h"
#include "tests/batch/tesztparancs.h"
#include "tests/core/paradoxiro.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

class TstAtvetelParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_regi;
    int m_n = 0;
    QString uj() { return m_dir.path() + "/program" + QString::number(++m_n); }

private slots:
    void initTestCase()
    {
        m_regi = m_dir.path() + "/regi";
        QDir().mkpath(m_regi);
        ParadoxIro::kisBolt(m_regi);
    }

    void atvetel()
    {
        const QString p = uj();
        // A job with no locale at all: the same Hungarian report.
        QProcessEnvironment env = FeladatKornyezet(m_dir.path());
        for (const char* v : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"}) env.remove(v);
        ParancsFutas f = Futtat(KAZETTORA_PROGRAM, {"--program-dir", p, "--migrate", m_regi}, env);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY2(f.ki.contains("video          video.DB                        3            3"), qPrintable(f.ki));
        QCOMPARE(f.ki.count("egyezik"), 5);
        QVERIFY(f.ki.contains("A régi adatok átvétele kész: " + p + "/Data/kazettora.db"));
        QVERIFY(!f.ki.contains("Jelsz") && !f.hiba.contains("Jelsz"));
        QVERIFY(QFile::exists(p + "/Kazettora.ini"));

        // A second take-over into the same installation is refused.
        f = KazettoraFeladat({"--program-dir", p, "--migrate", m_regi});
        QCOMPARE(f.kod, 1);
        QVERIFY2(f.hiba.contains("Már van adatbázis ezen a helyen"), qPrintable(f.hiba));
    }

    void probaEsKapcsolok_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("kod");
        QTest::addColumn<QString>("vart");
        QTest::newRow("próbafuttatás") << QStringList{"--migrate", "REGI", "--dry-run"} << 0 << "Próbafuttatás";
        QTest::newRow("--ini --migrate nélkül") << QStringList{"--ini", "x.ini"} << 2 << "csak a --migrate mellett";
        QTest::newRow("--setup mellé") << QStringList{"--setup", "--migrate", "REGI"} << 2 << "a --setup nem kell mellé";
        QTest::newRow("nem zip fájl") << QStringList{"--migrate", "REGI/tipus.DB"} << 1 << "nem zip fájl, vagy sérült";
        QTest::newRow("üres név") << QStringList{"--migrate", ""} << 1 << "Nincs megadva a régi adatmappa";
        QTest::newRow("nincs ilyen mappa") << QStringList{"--migrate", "/nincs/ilyen"} << 1 << "A régi adatmappa nem található";
    }
    void probaEsKapcsolok()
    {
        QFETCH(QStringList, args);
        QFETCH(int, kod);
        QFETCH(QString, vart);
        const QString p = uj();
        args.replaceInStrings("REGI", m_regi);
        const ParancsFutas f = KazettoraFeladat(QStringList{"--program-dir", p} + args);
        QCOMPARE(f.kod, kod);
        QVERIFY2((f.ki + f.hiba).contains(vart), qPrintable(f.ki + f.hiba));
        QVERIFY(!QFile::exists(p + "/Data/kazettora.db"));
    }

    // Killed while the rows go in: no database; the next run starts clean.
    void megszakitva()
    {
        const QString regi = m_dir.path() + "/nagy";
        QDir().mkpath(regi);
        ParadoxIro::kisBolt(regi);
        {
            ParadoxIro::Tabla t(regi + "/ugyfel_video.DB", ParadoxIro::mezok("ugyfel_video"), 1250, 400000);
            for (int i = 1; i <= 400000; ++i) t.sor({i, 1 + i % 3, 1 + i % 2, QDate(2000, 1, 1).addDays(i % 9000)});
        }
        const QString p = uj();
        QProcess q;
        q.setProcessEnvironment(FeladatKornyezet(m_dir.path()));
        q.start(KAZETTORA_PROGRAM, {"--program-dir", p, "--migrate", regi});
        QVERIFY(q.waitForStarted());
        // Until the new database is being filled under its temporary name.
        QElapsedTimer ido;
        ido.start();
        bool ideiglenes = false;
        while (!ideiglenes && ido.elapsed() < 30000 && q.state() == QProcess::Running) {
            for (const QFileInfo& f : QDir(p + "/Data").entryInfoList(QDir::Files))
                ideiglenes = ideiglenes || (f.fileName().endsWith(".tmp") && f.size() > 0);
            QTest::qWait(2);
        }
        QVERIFY2(ideiglenes, "a futás nem kezdett bele az írásba");
        ::kill(pid_t(q.processId()), SIGKILL);
        QVERIFY(q.waitForFinished());
        QVERIFY(!QFile::exists(p + "/Data/kazettora.db"));
        QVERIFY(!QFile::exists(p + "/Kazettora.ini"));

        const ParancsFutas f = KazettoraFeladat({"--program-dir", p, "--migrate", regi}, {}, 120000);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY(f.ki.contains("ugyfel_video: 400\u00a0000 sor"));
        QCOMPARE(QDir(p + "/Data").entryList(QDir::Files), QStringList{"kazettora.db"});
    }
};

QTEST_GUILESS_MAIN(TstAtvetelParancs)
#include "tst_atvetel_parancs.moc"
