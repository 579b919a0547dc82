// The label sheet read back as the shop's scanner would read it: rendered to
// PDF, rasterised at 300 dpi and decoded, every symbol an EAN-8 of its code
// with the right check digit, in its place on the page.
#include "core/data/adatbazis.h"
#include "print/reports/ean.h"
#include "print/reports/tqrvkod.h"
#include "core/reports/vkod.h"
#include "tests/print/tst_jelentes_pdf.h"
#include "tests/print/tst_vkod_olvas.h"

#include <QRegularExpression>
#include <QtTest>
#include <algorithm>

class TstVKodJelentes : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<MagTelepites> m_t;

    QString pdf(const QString& nev) const { return m_dir.filePath(nev + QStringLiteral(".pdf")); }

    // The work table's labels through the report to a PDF of `oldalak`
    // pages, each page rasterised (`kepek`) and read as text (`szovegek`).
    void kiad(bool szammal, VKod::Fajta fajta, const QString& nev, int oldalak, QStringList* kepek,
              QStringList* szovegek)
    {
        TqrVKod qr(szammal, fajta);
        QCOMPARE(qr.lapankent(), (szammal ? 17 : 24) * 7);
        qr.megnyit();
        const QString fajl = pdf(nev);
        QString hiba;
        QVERIFY2(qr.pdfbe(fajl, &hiba), qPrintable(hiba));
        QCOMPARE(qr.oldalak(), oldalak);
        *kepek = PdfRaszter(fajl, fajl + QStringLiteral(".raszter"));
        QCOMPARE(kepek->size(), oldalak);
        *szovegek = PdfOldalak(fajl);
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        if (!VonalkodOlvasoVan()) QSKIP("pdftoppm (poppler-utils) vagy zbarimg (zbar-tools) hiányzik");
        m_t = std::make_unique<MagTelepites>();
        m_t->nyit();
    }
    void cleanupTestCase()
    {
        Adatbazis::zar();
        m_t.reset();
    }

    // What the symbol carries: seven digits and the check digit; nothing
    // for a code an EAN-8 symbol cannot carry (zint would make an add-on
    // of five digits and an EAN-13 of eight if given them as they are).
    void tartalom_data()
    {
        QTest::addColumn<QString>("kod");
        QTest::addColumn<QString>("tartalom");
        QTest::newRow("00001") << "00001" << "00000017";
        QTest::newRow("00119") << "00119" << "00001199";
        QTest::newRow("rövid") << "5" << "00000055";
        QTest::newRow("hét jegy") << "1234567" << "12345670";
        QTest::newRow("közismert") << "9638507" << "96385074";
        QTest::newRow("nyolc jegy") << "12345678" << "";
        QTest::newRow("betű") << "12a45" << "";
        QTest::newRow("üres") << "" << "";
    }
    void tartalom()
    {
        QFETCH(QString, kod);
        QFETCH(QString, tartalom);
        QCOMPARE(Ean8::Tartalom(kod), tartalom);
        if (!tartalom.isEmpty()) QCOMPARE(tartalom, VartEan8(kod.toLongLong()));
    }

    // A card's symbol carries the thirteen digits it is given, and only
    // thirteen digits whose check digit is right.
    void ean13Tartalom_data()
    {
        QTest::addColumn<QString>("jegyek");
        QTest::addColumn<bool>("jo");
        QTest::newRow("az 1-es ügyfél") << VartKartya(1) << true;
        QTest::newRow("a 0-s ügyfél") << VartKartya(0) << true;
        QTest::newRow("a legnagyobb kód") << VartKartya(2147483647) << true;
        QTest::newRow("rossz ellenőrző jegy") << VartKartya(1).left(12) + QString::number((VartKartya(1).right(1).toInt() + 1) % 10) << false;
        QTest::newRow("tizenkét jegy") << VartKartya(1).left(12) << false;
        QTest::newRow("tizennégy jegy") << VartKartya(1) + '0' << false;
        QTest::newRow("betű") << QStringLiteral("29000000a0012") << false;
        QTest::newRow("üres") << QString() << false;
    }
    void ean13Tartalom()
    {
        QFETCH(QString, jegyek);
        QFETCH(bool, jo);
        QCOMPARE(Ean13::Tartalom(jegyek), jo ? jegyek : QString());
    }

    // A run of cards on paper, on the item labels' grid: every listed
    // customer of the range once, in code order down the columns, its
    // symbol decoding to its card's digits, the digits printed under it
    // unless switched off, and the name under them; a long name is set
    // smaller, and one too long even so is cut short.
    void kartyak_data()
    {
        QTest::addColumn<bool>("szammal");
        QTest::addColumn<QList<int>>("oldalankent");
        QTest::newRow("számmal") << true << QList<int>{119, 1};
        QTest::newRow("szám nélkül") << false << QList<int>{120};
    }
    void kartyak()
    {
        QFETCH(bool, szammal);
        QFETCH(QList<int>, oldalankent);
        // Codes 1000 to 1239: the even ones listed, the odd ones deleted.
        Adatbazis::vegrehajt(QStringLiteral("DELETE FROM ugyfel"));
        Adatbazis::vegrehajt(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1000 UNION ALL SELECT i + 1 FROM n WHERE i < 1239) "
            "INSERT INTO ugyfel (azon, ugyfel_nev, torolve) SELECT i, 'Ügyfél ' || i || "
            "CASE WHEN i % 2 = 1 THEN ' törölt' ELSE '' END, CASE WHEN i % 2 = 0 THEN 'N' ELSE 'I' END FROM n"));
        const QString hosszu = QStringLiteral("Kovácsné Szabó Erzsébet");   // set smaller, whole
        const QString tulHosszu = QStringLiteral("Szentgyörgyváryné Hollósy-Kisfaludy Emőke");
        Adatbazis::vegrehajt(QStringLiteral("UPDATE ugyfel SET ugyfel_nev = ? WHERE azon = 1000"), {hosszu});
        Adatbazis::vegrehajt(QStringLiteral("UPDATE ugyfel SET ugyfel_nev = ? WHERE azon = 1002"), {tulHosszu});
        QCOMPARE(VKod::Feltolt(VKod::Fajta::Ugyfel, 1000, 1239), qint64(120));
        const double magas = szammal ? 15.6 : 11.4;
        const int sorok = szammal ? 17 : 24;
        QStringList kepek, szovegek;
        kiad(szammal, VKod::Fajta::Ugyfel, QStringLiteral("kartyak-") + QTest::currentDataTag(), oldalankent.size(),
             &kepek, &szovegek);
        if (QTest::currentTestFailed()) return;
        qint64 kod = 1000;
        for (int o = 0; o < kepek.size(); ++o) {
            QStringList vart, nevek;
            for (int i = 0; i < oldalankent[o]; ++i, kod += 2) {
                vart << VartKartya(kod);
                nevek << QStringLiteral("Ügyfél %1").arg(kod);
            }
            QStringList olvasott = Ean13Olvas(kepek[o]);
            std::sort(olvasott.begin(), olvasott.end());
            QCOMPARE(olvasott, vart);
            const QString szoveg = szovegek.value(o);
            QStringList szamok;
            for (const QString& s : szoveg.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                if (s.size() == 13 && s.startsWith(QLatin1String("29"))) szamok << s;
            std::sort(szamok.begin(), szamok.end());
            QCOMPARE(szamok, szammal ? vart : QStringList());
            for (const QString& n : nevek.mid(o == 0 ? 2 : 0)) QVERIFY2(szoveg.contains(n + ' ') || szoveg.contains(n + '\n'), qPrintable(n));
            QVERIFY(!szoveg.contains(QStringLiteral("törölt")));
            if (o > 0) continue;
            QVERIFY2(szoveg.contains(hosszu), qPrintable(szoveg.left(400)));
            QVERIFY2(szoveg.contains(tulHosszu.left(12)) && !szoveg.contains(tulHosszu), qPrintable(szoveg.left(400)));
            // Down the first column, then the next one to the right.
            QCOMPARE(CimkeOlvas(kepek[o], 0, 0, magas, QStringLiteral("EAN-13")), QStringList{vart.first()});
            QCOMPARE(CimkeOlvas(kepek[o], 0, sorok - 1, magas, QStringLiteral("EAN-13")), QStringList{vart[sorok - 1]});
            QCOMPARE(CimkeOlvas(kepek[o], 1, 0, magas, QStringLiteral("EAN-13")), QStringList{vart[sorok]});
        }
    }

    // A run of labels on paper: the codes each page carries, decoded from
    // the raster, and the labels that tell the layout (first of the page,
    // first of the second column, last of a full page) cut out one by one.
    void lapok_data()
    {
        QTest::addColumn<bool>("szammal");
        QTest::addColumn<qint64>("elso");
        QTest::addColumn<qint64>("utolso");
        QTest::addColumn<QList<int>>("oldalankent");   // labels on each page
        QTest::newRow("számmal: egy teli oldal") << true << qint64(1) << qint64(119) << QList<int>{119};
        QTest::newRow("szám nélkül: egy teli oldal") << false << qint64(1) << qint64(168) << QList<int>{168};
        QTest::newRow("számmal: a 120. új oldalon") << true << qint64(1) << qint64(120) << QList<int>{119, 1};
        QTest::newRow("szám nélkül: a 169. új oldalon") << false << qint64(4001) << qint64(4169) << QList<int>{168, 1};
        QTest::newRow("egy címke") << true << qint64(42) << qint64(42) << QList<int>{1};
        QTest::newRow("fordított tartomány: egy üres oldal") << true << qint64(10) << qint64(3) << QList<int>{0};
    }
    void lapok()
    {
        QFETCH(bool, szammal);
        QFETCH(qint64, elso);
        QFETCH(qint64, utolso);
        QFETCH(QList<int>, oldalankent);
        VKod::Feltolt(elso, utolso);
        const double magas = szammal ? 15.6 : 11.4;
        const int sorok = szammal ? 17 : 24;
        QStringList kepek, szovegek;
        kiad(szammal, VKod::Fajta::Tetel, QTest::currentDataTag(), oldalankent.size(), &kepek, &szovegek);
        if (QTest::currentTestFailed()) return;
        qint64 kod = elso;
        for (int o = 0; o < kepek.size(); ++o) {
            QStringList vart, vartSzam;
            for (int i = 0; i < oldalankent[o]; ++i, ++kod) {
                vart << VartEan8(kod);
                vartSzam << VKod::Formaz(kod);
            }
            QStringList olvasott = Ean8Olvas(kepek[o]);
            std::sort(olvasott.begin(), olvasott.end());
            QCOMPARE(olvasott, vart);
            // The number under the bars, or no text at all.
            QStringList szamok = PdfSorok(szovegek.value(o)).join(' ').split(' ', Qt::SkipEmptyParts);
            std::sort(szamok.begin(), szamok.end());
            QCOMPARE(szamok, szammal ? vartSzam : QStringList());
            if (vart.isEmpty()) continue;
            // Down the first column, then the next one to the right.
            QCOMPARE(CimkeOlvas(kepek[o], 0, 0, magas), QStringList{vart.first()});
            if (vart.size() > sorok) {
                QCOMPARE(CimkeOlvas(kepek[o], 0, sorok - 1, magas), QStringList{vart[sorok - 1]});
                QCOMPARE(CimkeOlvas(kepek[o], 1, 0, magas), QStringList{vart[sorok]});
            }
            if (vart.size() == sorok * 7) QCOMPARE(CimkeOlvas(kepek[o], 6, sorok - 1, magas), QStringList{vart.last()});
        }
    }

    // With the number printed, 00018 starts the second column.
    void tizennyolcAMasodikOszlopElso()
    {
        VKod::Feltolt(1, 119);
        TqrVKod qr(true);
        qr.megnyit();
        const QString fajl = pdf(QStringLiteral("18"));
        QVERIFY(qr.pdfbe(fajl));
        const QStringList kepek = PdfRaszter(fajl, fajl + QStringLiteral(".raszter"));
        QCOMPARE(kepek.size(), 1);
        QCOMPARE(CimkeOlvas(kepek[0], 1, 0, 15.6), QStringList{QStringLiteral("00000185")});
        QCOMPARE(PdfSorok(PdfOldalak(fajl).value(0)).value(0).split(' ').value(1), QStringLiteral("00018"));
    }

    // A code of more than seven digits in the work table (written there by
    // other means than the range fields) gets its number and no bars; the
    // labels around it are whole.
    void tulHosszuKod()
    {
        VKod::Feltolt(9999998, 10000001);
        TqrVKod qr(true);
        qr.megnyit();
        const QString fajl = pdf(QStringLiteral("hosszu"));
        QString hiba;
        QVERIFY2(qr.pdfbe(fajl, &hiba), qPrintable(hiba));
        const QStringList kepek = PdfRaszter(fajl, fajl + QStringLiteral(".raszter"));
        QCOMPARE(kepek.size(), 1);
        QStringList olvasott = Ean8Olvas(kepek[0]);
        std::sort(olvasott.begin(), olvasott.end());
        QCOMPARE(olvasott, (QStringList{VartEan8(9999998), VartEan8(9999999)}));
        QCOMPARE(PdfSorok(PdfOldalak(fajl).value(0)),
                 (QStringList{"9999998", "9999999", "10000000", "10000001"}));
    }
};

QTEST_MAIN(TstVKodJelentes)
#include "tst_vkod_jelentes.moc"
