// The command line's --export as a whole process on a fresh set-up (the
// program's own --setup): the file is byte for byte what the export window
// writes for that list with every field ticked; a wrong list, a missing or
// unwritable file end with exit code 1 and a Hungarian reason, no display
// needed.
#include "core/reports/hatarolt.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/reports/listaexport.h"
#include "tests/core/tesztmag.h"
#include "tests/batch/tesztparancs.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray olvas(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<nincs>");
}

} // namespace

class TstExportParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString mappa() const { return m_dir.filePath("telepites"); }

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        const ParancsFutas f = KazettoraFeladat({"--program-dir", mappa(), "--setup", "--sample"});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
    }

    void lista_data()
    {
        QTest::addColumn<QString>("lista");
        QTest::newRow("video") << "video";
        QTest::newRow("ugyfel") << "ugyfel";
        QTest::newRow("tortenet") << "tortenet";
    }
    void lista()
    {
        QFETCH(QString, lista);
        const QString fajl = m_dir.filePath(lista + ".csv");
        const ParancsFutas f = KazettoraFeladat({"--program-dir", mappa(), "--export", lista, fajl});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));

        // What the window writes for the same list, in this process.
        ProgramUtvonalBeallit(mappa());
        QString hiba;
        QVERIFY2(Adatbazis::nyit(mappa() + "/Data", &hiba), qPrintable(hiba));
        const Hatarolt::Forras forras = lista == "video"    ? ListaExport::TetelekKodSorrendben()
                                        : lista == "ugyfel" ? ListaExport::UgyfelekKodSorrendben()
                                                            : ListaExport::TortenetMind();
        const qint64 sorok = Hatarolt::SorokSzama(forras);
        const QString vart = m_dir.filePath(lista + "-vart.csv");
        Hatarolt::Ir(forras, Hatarolt::Beallitas{}, vart);
        Adatbazis::zar();
        QVERIFY(sorok > 10);   // the sample shop has rows in every list
        const QByteArray b = olvas(fajl);
        QCOMPARE(b.count("\r\n"), sorok + 1);
        QCOMPARE(b, olvas(vart));
    }

    void hibak_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("ismeretlen lista") << QStringList{"--export", "kazetta", "x.csv"} << "Ismeretlen lista";
        QTest::newRow("nincs fájl") << QStringList{"--export", "video"} << "célfájl kell";
        QTest::newRow("nem írható") << QStringList{"--export", "video", "nincs/ilyen/mappa.csv"} << "nem írható";
    }
    void hibak()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, uzenet);
        for (QString& a : args)
            if (a.endsWith(".csv")) a = m_dir.filePath(a);
        const ParancsFutas f = KazettoraFeladat(QStringList{"--program-dir", mappa()} + args);
        QCOMPARE(f.kod, 1);
        QVERIFY2(f.hiba.contains(uzenet), qPrintable(f.hiba));
        QVERIFY(!QFile::exists(m_dir.filePath("x.csv")));
    }
};

QTEST_GUILESS_MAIN(TstExportParancs)
#include "tst_export_parancs.moc"
