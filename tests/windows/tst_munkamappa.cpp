// The program started from some other folder (the desktop menu starts it in
// the home folder, cron anywhere): a bare or relative file name proposed by
// the export window lands in the program folder and the completion message
// names the full path; the help page is found where it lies, not in the
// folder the program was started from.
#include "core/admin/sugo.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/reports/hatarolt.h"
#include "windows/app/alkalmazas.h"
#include "windows/reports/tfrm_hatarolt.h"
#include "tests/windows/tesztsegito.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstMunkamappa : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_masik;   // the folder the program was started from
    QString m_eredeti;

private slots:
    void initTestCase()
    {
        AlkalmazasBeallit(*qApp);
        m_eredeti = QDir::currentPath();
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        QVERIFY(QDir::setCurrent(m_masik.path()));
    }
    void cleanup()
    {
        QDir::setCurrent(m_eredeti);
        ModalisAblakokatBezar();
        Adatbazis::zar();
        m_t.reset();
    }

    void exportFajl_data()
    {
        QTest::addColumn<QString>("javasolt");
        QTest::addColumn<QString>("vart");   // relative to the program folder, or absolute
        QTest::newRow("puszta név") << "Video.csv" << "Video.csv";
        QTest::newRow("alkönyvtárral") << "Export/ugyfelek.csv" << "Export/ugyfelek.csv";
        QTest::newRow("ponttal") << "./Tortenet.csv" << "Tortenet.csv";
        QTest::newRow("teljes út") << "@masik/kint.csv" << "@masik/kint.csv";
    }
    void exportFajl()
    {
        QFETCH(QString, javasolt);
        QFETCH(QString, vart);
        javasolt.replace("@masik", m_masik.path());
        vart.replace("@masik", m_masik.path());
        QDir(ProgramUtvonal()).mkpath("Export");
        const QString cel = QDir(ProgramUtvonal()).absoluteFilePath(vart);

        VartAblak v([&](Tfrm_Hatarolt* a) {
            QCOMPARE(a->Edit1->text(), javasolt);   // the field shows the name as proposed
            a->Button1->click();
            if (a->isVisible()) a->Button2->click();
        });
        HataroltExport(nullptr, Hatarolt::LekerdezesForras(QStringLiteral("SELECT azon AS kod FROM video")), javasolt);
        QVERIFY(v.kesz());

        QVERIFY2(QFile::exists(cel), qPrintable(cel));
        if (!javasolt.startsWith('/')) QVERIFY(!QFile::exists(m_masik.filePath(javasolt)));
        QCOMPARE(m_t->parbeszed.dobozok.size(), 1);
        QCOMPARE(m_t->parbeszed.dobozok.at(0).szoveg, QDir::cleanPath(cel) + " file export kész.");
    }

    // A folder of help pages where the program was started does not stand
    // in for the program's own.
    void sugoOldal()
    {
        QDir(m_masik.path()).mkpath("Help");
        QFile f(m_masik.filePath("Help/index.htm"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html>idegen</html>");
        f.close();
        const QString oldal = Sugo::Fajl(ProgramUtvonal(), QCoreApplication::applicationDirPath());
        QVERIFY2(QDir::isAbsolutePath(oldal), qPrintable(oldal));
        QVERIFY2(!oldal.startsWith(m_masik.path()), qPrintable(oldal));
    }
};

QTEST_MAIN(TstMunkamappa)
#include "tst_munkamappa.moc"
