// A scripted install: --setup with the shop's details from a file, as a
// provisioning script runs it (no display).
#include "tests/batch/tesztparancs.h"
#include "tests/core/tesztmag.h"
#include "tests/core/tesztfajl.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TstTelepitesParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void tulajdonosFajlbol()
    {
        QTemporaryDir d;
        const ParancsFutas f = KazettoraFeladat(
            {"--program-dir", d.path(), "--setup", "--owner-file",
             FajlIr(m_dir.filePath("uzlet.txt"), "tulajdonos=Kazetta Kuckó\nirsz=7621\nvaros=Pécs\nadoszam=12345678142\n")});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QCOMPARE(Lemezen(d.path() + "/Data", "SELECT tulajdonos, irsz, varos, adoszam FROM tulajdonos"),
                 QStringList{"Kazetta Kuckó|7621|Pécs|12345678142"});
    }

    // A bad file stops the install before anything is made; the line is named.
    void rosszFajl()
    {
        QTemporaryDir d;
        const ParancsFutas f = KazettoraFeladat(
            {"--program-dir", d.path(), "--setup", "--owner-file", FajlIr(m_dir.filePath("uzlet.txt"), "tulajdonos=X\ncimm=Fő utca 1.\n")});
        QCOMPARE(f.kod, 1);
        QVERIFY2(f.hiba.contains("2. sor: ismeretlen mező: „cimm”"), qPrintable(f.hiba));
        QVERIFY(!QFileInfo::exists(d.path() + "/Data/kazettora.db"));

        const ParancsFutas g = KazettoraFeladat({"--program-dir", d.path(), "--owner-file", FajlIr(m_dir.filePath("uzlet.txt"), "tulajdonos=X\n")});
        QCOMPARE(g.kod, 2);
        QVERIFY2(g.hiba.contains("csak a --setup mellett"), qPrintable(g.hiba));
    }
};

QTEST_GUILESS_MAIN(TstTelepitesParancs)
#include "tst_telepites_parancs.moc"
