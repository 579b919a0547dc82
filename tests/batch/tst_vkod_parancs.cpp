// Label sheets from the command line, run as a job runs them: the program
// itself as a whole process on a fresh installation, no display, the PDF
// rasterised and its symbols decoded.
#include "tests/batch/tesztparancs.h"
#include "tests/core/tesztmag.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/print/tst_vkod_olvas.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString FutasiMappa;

// At most two minutes a run.
ParancsFutas Kazettora(const QStringList& argumentumok)
{
    return KazettoraFeladat(argumentumok, FutasiMappa, 120000);
}

} // namespace

class TstVKodParancs : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_program;
    QString m_minta;   // the sample shop: customers coded 1 to 48

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        if (!VonalkodOlvasoVan()) QSKIP("pdftoppm (poppler-utils) vagy zbarimg (zbar-tools) hiányzik");
        m_program = m_dir.filePath(QStringLiteral("telepites"));
        FutasiMappa = m_dir.filePath(QStringLiteral("futas"));
        QVERIFY(QDir().mkpath(FutasiMappa));
        QFile::setPermissions(FutasiMappa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const ParancsFutas f = Kazettora({"--program-dir", m_program, "--setup"});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        m_minta = m_dir.filePath(QStringLiteral("minta"));
        const ParancsFutas m = Kazettora({"--program-dir", m_minta, "--setup", "--sample"});
        QVERIFY2(m.kod == 0, qPrintable(m.hiba));
    }

    // A range to PDF: the pages it says, every symbol of the range decoded
    // with its check digit, the number under the bars unless --no-number.
    void cimkek_data()
    {
        QTest::addColumn<QStringList>("argumentumok");
        QTest::addColumn<int>("elso");
        QTest::addColumn<QList<int>>("oldalankent");
        QTest::addColumn<bool>("szammal");
        QTest::newRow("számmal") << QStringList{"--labels", "1", "119"} << 1 << QList<int>{119} << true;
        QTest::newRow("szám nélkül") << QStringList{"--labels", "00001", "00168", "--no-number"} << 1 << QList<int>{168}
                                     << false;
        QTest::newRow("két oldal") << QStringList{"--no-number", "--labels", "1000", "1200"} << 1000
                                   << QList<int>{168, 33} << false;
    }
    void cimkek()
    {
        QFETCH(QStringList, argumentumok);
        QFETCH(int, elso);
        QFETCH(QList<int>, oldalankent);
        QFETCH(bool, szammal);
        const QString pdf = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
        const ParancsFutas f =
            Kazettora(QStringList{"--program-dir", m_program} + argumentumok + QStringList{"--pdf", pdf});
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY2(f.hiba.isEmpty(), qPrintable(f.hiba));
        QCOMPARE(f.ki.trimmed(), QStringLiteral("%1 (%2 oldal)").arg(pdf).arg(oldalankent.size()));
        const QStringList kepek = PdfRaszter(pdf, pdf + QStringLiteral(".raszter"));
        QCOMPARE(kepek.size(), oldalankent.size());
        const QStringList szovegek = PdfOldalak(pdf);
        int kod = elso;
        for (int o = 0; o < kepek.size(); ++o) {
            QStringList vart;
            const int eleje = kod;
            for (int i = 0; i < oldalankent[o]; ++i) vart << VartEan8(kod++);
            QStringList olvasott = Ean8Olvas(kepek[o]);
            olvasott.sort();
            QCOMPARE(olvasott, vart);
            const QStringList sorok = PdfSorok(szovegek.value(o));
            if (szammal) QCOMPARE(sorok.value(0).split(' ').value(1), QStringLiteral("%1").arg(eleje + 17, 5, 10, QLatin1Char('0')));
            else QCOMPARE(sorok, QStringList());
            // The first label of the second column, cut out by the layout's numbers.
            const int sorPerOszlop = szammal ? 17 : 24;
            if (oldalankent[o] > sorPerOszlop)
                QCOMPARE(CimkeOlvas(kepek[o], 1, 0, szammal ? 15.6 : 11.4), QStringList{VartEan8(eleje + sorPerOszlop)});
        }
    }

    // Customer cards from the sample shop, from an English desktop: the
    // cards of the codes asked for, their digits and names on the sheet,
    // the same output line as the item labels.
    void kartyak_data()
    {
        QTest::addColumn<QStringList>("argumentumok");
        QTest::addColumn<bool>("szammal");
        QTest::newRow("számmal") << QStringList{"--labels", "10", "20", "--customers"} << true;
        QTest::newRow("szám nélkül") << QStringList{"--customers", "--no-number", "--labels", "10", "20"} << false;
    }
    void kartyak()
    {
        QFETCH(QStringList, argumentumok);
        QFETCH(bool, szammal);
        const QString pdf = m_dir.filePath(QStringLiteral("kartyak-%1.pdf").arg(QTest::currentDataTag()));
        QProcessEnvironment env = FeladatKornyezet(FutasiMappa);
        env.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
        const ParancsFutas f = Futtat(QStringLiteral(KAZETTORA_PROGRAM),
                                      QStringList{"--program-dir", m_minta} + argumentumok + QStringList{"--pdf", pdf},
                                      env, 120000);
        QVERIFY2(f.kod == 0, qPrintable(f.hiba));
        QVERIFY2(f.hiba.isEmpty(), qPrintable(f.hiba));
        QCOMPARE(f.ki.trimmed(), QStringLiteral("%1 (1 oldal)").arg(pdf));
        QStringList vart;
        for (int kod = 10; kod <= 20; ++kod) vart << VartKartya(kod);
        const QStringList kepek = PdfRaszter(pdf, pdf + QStringLiteral(".raszter"));
        QCOMPARE(kepek.size(), 1);
        QStringList olvasott = Ean13Olvas(kepek[0]);
        olvasott.sort();
        QCOMPARE(olvasott, vart);
        // Down the first column: the digits (when asked) and the name of each.
        QStringList sorok;
        for (const QString& nev : Lemezen(m_minta + QStringLiteral("/Data"),
                                          "SELECT ugyfel_nev FROM ugyfel WHERE azon BETWEEN 10 AND 20 ORDER BY azon")) {
            if (szammal) sorok << vart.at(sorok.size() / 2);
            sorok << nev;
        }
        QCOMPARE(PdfSorok(PdfOldalak(pdf).value(0)), sorok);
    }

    // --customers qualifies --labels; alone, or beside another command, it
    // is a slip told in Hungarian with exit code 2, without a display.
    void kartyaCimkeNelkul_data()
    {
        QTest::addColumn<QStringList>("argumentumok");
        QTest::newRow("magában") << QStringList{"--customers"};
        QTest::newRow("a PDF-fel") << QStringList{"--customers", "--no-number", "--pdf", "x.pdf"};
        QTest::newRow("egy másik paranccsal") << QStringList{"--report", "lista", "--customers", "--pdf", "x.pdf"};
    }
    void kartyaCimkeNelkul()
    {
        QFETCH(QStringList, argumentumok);
        const ParancsFutas f = Kazettora(QStringList{"--program-dir", m_minta} + argumentumok);
        QCOMPARE(f.kod, 2);
        QCOMPARE(f.hiba.trimmed(), QStringLiteral("A --customers csak a --labels mellett használható: "
                                                  "--labels TÓL IG --customers [--no-number] --pdf FÁJL."));
        QVERIFY(f.ki.isEmpty());
        QVERIFY(!QFile::exists(m_minta + QStringLiteral("/x.pdf")) && !QFile::exists(QStringLiteral("x.pdf")));
    }

    // What a job can get wrong: a non-zero exit, the reason in Hungarian on
    // standard error, and no PDF.
    void hibak_data()
    {
        QTest::addColumn<QStringList>("argumentumok");
        QTest::addColumn<QString>("uzenet");
        QTest::newRow("nem szám") << QStringList{"--labels", "1x", "5", "--pdf"} << "Nem egész szám: „1x” (TÓL)";
        QTest::newRow("nyolc jegy") << QStringList{"--labels", "1", "10000000", "--pdf"} << "Túl nagy kód: „10000000” (IG)";
        QTest::newRow("hiányzó vég") << QStringList{"--labels", "1", "--pdf"} << "a kódtartomány két vége kell";
        QTest::newRow("hiányzó PDF") << QStringList{"--labels", "1", "5"} << "Hiányzik a PDF fájl neve";
        QTest::newRow("túl sok címke") << QStringList{"--labels", "0", "9999999", "--pdf"} << "Túl sok címke";
        QTest::newRow("kártya: túl nagy kód") << QStringList{"--labels", "1", "2147483648", "--customers", "--pdf"}
                                              << "Túl nagy kód: „2147483648” (IG). Az ügyfélkód 0 és 2147483647 között lehet.";
        QTest::newRow("kártya: nincs ügyfél") << QStringList{"--customers", "--labels", "1", "99999999", "--pdf"}
                                              << "Nincs ügyfél a(z) 1–99999999 kódtartományban";
    }
    void hibak()
    {
        QFETCH(QStringList, argumentumok);
        QFETCH(QString, uzenet);
        const QString pdf = m_dir.filePath(QStringLiteral("hibas.pdf"));
        QStringList a = QStringList{"--program-dir", m_program} + argumentumok;
        if (a.last() == QLatin1String("--pdf")) a << pdf;
        const ParancsFutas f = Kazettora(a);
        QCOMPARE(f.kod, 1);
        QVERIFY2(f.hiba.contains(uzenet), qPrintable(f.hiba));
        QVERIFY(f.ki.isEmpty());
        QVERIFY(!QFile::exists(pdf));
    }

    // --help lists the command and its options.
    void sugo()
    {
        const ParancsFutas f = Kazettora({"--help"});
        QCOMPARE(f.kod, 0);
        for (const char* s : {"--labels <TÓL>", "--customers", "--no-number", "--pdf <FÁJL>"})
            QVERIFY2(f.ki.contains(QString::fromUtf8(s)), qPrintable(f.ki));
    }
};

QTEST_MAIN(TstVKodParancs)
#include "tst_vkod_parancs.moc"
