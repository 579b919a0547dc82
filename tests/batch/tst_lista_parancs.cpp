// The reports from the command line, run as a scheduled job runs them: the
// program itself as a whole process on a fresh installation with the sample
// catalogue, no window, the PDF read back.
#include "core/data/konverzio.h"
#include "tests/batch/tesztparancs.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where Qt keeps its run-time files (see FeladatKornyezet).
QString FutasiMappa;

ParancsFutas Kazettora(const QStringList& argumentumok) { return KazettoraFeladat(argumentumok, FutasiMappa); }

} // namespace

class TstListaParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_program;

    QString pdf(const QString& nev) const { return m_dir.filePath(nev + QStringLiteral(".pdf")); }

    // The rows of a query on the installation's database, through the
    // sqlite3 tool the installation does not depend on: the numbers the
    // report must show.
    QStringList lekerdez(const QString& sql) const
    {
        QProcess p;
        p.start(QStringLiteral("sqlite3"), {m_program + QStringLiteral("/Data/kazettora.db"), sql});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        m_program = m_dir.filePath(QStringLiteral("telepites"));
        FutasiMappa = m_dir.filePath(QStringLiteral("futas"));
        QVERIFY(QDir().mkpath(FutasiMappa));
        QFile::setPermissions(FutasiMappa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const ParancsFutas f = Kazettora({"--program-dir", m_program, "--setup", "--sample"});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
    }

    // Every report by its name: the heading, the report's own name and
    // the page numbers in the footer of each page.
    void jelentes_data()
    {
        QTest::addColumn<QString>("nev");
        QTest::addColumn<QString>("fejcim");
        QTest::addColumn<QString>("azonosito");
        QTest::addColumn<QString>("feltetel");   // the items the list shows; empty for the cash book
        QTest::newRow("lista") << "lista" << "Teljes lista" << "qrLista" << "1";
        QTest::newRow("kiadott") << "kiadott" << "Kiadott tételek" << "qrLista2" << "kint = 'I' AND torolve = 'N'";
        QTest::newRow("lejart") << "lejart" << "Kiadott tételek" << "qrLista2"
                                << "kint = 'I' AND torolve = 'N' AND dat_visszakell < date('now', 'localtime')";
        QTest::newRow("bentlevo") << "bentlevo" << "Bentlévő tételek" << "qrLista3" << "kint = 'N' AND torolve = 'N'";
        QTest::newRow("kolcsonzesek") << "kolcsonzesek" << "Teljes lista" << "qrLista4" << "1";
        QTest::newRow("cassa") << "cassa" << "Cassa" << "qrCassa" << "";
    }
    void jelentes()
    {
        QFETCH(QString, nev);
        QFETCH(QString, fejcim);
        QFETCH(QString, azonosito);
        QFETCH(QString, feltetel);
        const QString fajl = pdf(nev);
        const ParancsFutas f = Kazettora({"--program-dir", m_program, "--report", nev, "--pdf", fajl});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY2(f.hiba.isEmpty(), qPrintable(f.hiba));
        const QStringList o = PdfOldalak(fajl);
        QVERIFY(!o.isEmpty());
        QVERIFY2(f.ki.contains(QStringLiteral("%1 (%2 oldal)").arg(fajl).arg(o.size())), qPrintable(f.ki));
        QString szoveg;
        for (int i = 0; i < o.size(); ++i) {
            const QStringList s = PdfSorok(o[i]);
            // The owner's name, then the heading beside the town.
            QVERIFY2(s.value(0) == "Mozimánia Videotéka" && s.value(1) == fejcim + " Budapest", qPrintable(s.mid(0, 2).join('|')));
            const QString lab = s.mid(s.size() - 3).join(' ');
            QVERIFY2(lab.contains(QStringLiteral("oldal: %1 ").arg(i + 1)) && lab.contains(azonosito), qPrintable(lab));
            szoveg += s.join('\n') + '\n';
        }
        if (feltetel.isEmpty()) {
            // Every entry of the cash book, with its closing balance.
            const QString zaro = lekerdez("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1").value(0);
            QVERIFY(!zaro.isEmpty());
            QVERIFY2(szoveg.contains(FtMaszk(zaro.toDouble())), qPrintable(szoveg));
            QCOMPARE(szoveg.count(QRegularExpression("^\\d{4}\\. \\d{2}\\. \\d{2}\\. ", QRegularExpression::MultilineOption)),
                     lekerdez("SELECT count(*) FROM cassa").value(0).toInt());
            return;
        }
        // A group per item type with the number of its listed items.
        const QStringList csoportok = lekerdez(
            QStringLiteral("SELECT coalesce(tipus_nev, ''), count(*) FROM video LEFT JOIN tipus USING (tipus) "
                           "WHERE %1 GROUP BY video.tipus ORDER BY video.tipus").arg(feltetel));
        QStringList vart, kapott;
        for (const QString& c : csoportok) vart << QStringLiteral("Összesen %1 tétel").arg(c.section('|', 1));
        for (const QString& s : szoveg.split('\n'))
            if (s.startsWith("Összesen")) kapott << s;
        QCOMPARE(kapott, vart);
    }

    // What a job is told when it asks wrongly, in Hungarian, with a failing
    // exit code and no file left behind.
    void hibak_data()
    {
        QTest::addColumn<QStringList>("argumentumok");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("ismeretlen név") << QStringList{"--report", "leltar", "--pdf", "PDF"}
                                        << "Ismeretlen jelentés: „leltar”. Választható: lista, kiadott, lejart, "
                                           "bentlevo, kolcsonzesek, cassa, zaras, kesedelmes, kesedelmes-levelek.";
        QTest::newRow("nincs --pdf") << QStringList{"--report", "lista"} << "Hiányzik a PDF fájl neve: --pdf FÁJL.";
        QTest::newRow("írhatatlan hely") << QStringList{"--report", "lista", "--pdf", "/nincs/ilyen/mappa/lista.pdf"}
                                         << "A PDF fájl nem írható: /nincs/ilyen/mappa/lista.pdf\n"
                                            "A fájl vagy a mappája nem létezik.";
    }
    void hibak()
    {
        QFETCH(QStringList, argumentumok);
        QFETCH(QString, uzenet);
        argumentumok.replaceInStrings(QRegularExpression("^PDF$"), pdf("x"));
        const ParancsFutas f = Kazettora(QStringList{"--program-dir", m_program} + argumentumok);
        QCOMPARE(f.kod, 1);
        // The program's message is the last lines (Qt may say why a file
        // could not be opened before it).
        QCOMPARE(f.hiba.trimmed().section('\n', -1 - int(uzenet.count('\n'))), uzenet);
        QVERIFY(!QFile::exists(pdf("x")));
    }

    // A folder that was never set up: the job says so instead of
    // reporting on other data.
    void nincsTelepites()
    {
        const ParancsFutas f =
            Kazettora({"--program-dir", m_dir.filePath("ures"), "--report", "lista", "--pdf", pdf("ures")});
        QCOMPARE(f.kod, 1);
        QVERIFY(!f.hiba.trimmed().isEmpty());
        QVERIFY(!QFile::exists(pdf("ures")));
    }

    void sugo()
    {
        const ParancsFutas f = Kazettora({"--help"});
        QCOMPARE(f.kod, 0);
        QVERIFY2(f.ki.contains("--report <NÉV>") && f.ki.contains("--pdf <FÁJL>"), qPrintable(f.ki));
        QVERIFY(f.ki.contains("kolcsonzesek"));
    }
};

QTEST_MAIN(TstListaParancs)
#include "tst_lista_parancs.moc"
