// The rental receipt, printed to PDF and read back.
#include "core/data/adatbazis.h"
#include "print/rental/tqrkolcsonzes.h"
#include "tests/print/tesztparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The customer's name holds ő, ű and Ő: letters outside Latin-1 that a
// substituted font or a lossy printing path leaves out of the PDF's text.
const char* const UgyfelNev = "Erdős-Hegedűs Őzike";

int UjUgyfel(const QVariant& irsz, const QVariant& varos, const QVariant& cim)
{
    Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev, cim_irsz, cim_varos, cim_cim, torolve) "
                         "VALUES (7, ?, ?, ?, ?, 'N')",
                         {QString::fromUtf8(UgyfelNev), irsz, varos, cim});
    return Adatbazis::ertek("SELECT max(ugyfel) FROM ugyfel").toInt();
}

// An item lent in rental `kolcsid` with the 2-day period, due 2026-03-16 15:30.
void UjTetel(int kolcsid, int ugyfel, int azon, int tipus, int arkat, const QString& nev, double ar)
{
    Adatbazis::vegrehajt(
        "INSERT INTO video (azon, tipus, arkat, video_nev, szoveg, ugyfel, fiztip, dat_kiadva, ido_kiadva, "
        "dat_visszakell, ido_visszakell, ar, kint, torolve, kolcsid, kolcsonozve, mufaj) "
        "VALUES (?, ?, ?, ?, '', ?, 2, ?, ?, ?, ?, ?, 'I', 'N', ?, 1, 1)",
        {azon, tipus, arkat, nev, ugyfel, QDate(2026, 3, 14), QTime(15, 30, 0), QDate(2026, 3, 16),
         QTime(15, 30, 0), ar, kolcsid});
}

} // namespace

class TstNyugta : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;
    int m_ugyfel = 0;

    QStringList Nyugta(int kolcsid)
    {
        const QString fajl = m_dir.filePath(QStringLiteral("nyugta%1.pdf").arg(kolcsid));
        KolcsonzesNyomtat(kolcsid, Kimenet::pdf(fajl));
        return PdfOldalak(fajl, true);
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        m_ugyfel = UjUgyfel("1071", "Budapest", "Dózsa György út 12.");
        // Rental 5: three items of two types, written out of order; rental 6 is another one.
        UjTetel(5, m_ugyfel, 30, 2, 1, "Mátrix", 1000);          // DVD, Újdonság
        UjTetel(5, m_ugyfel, 10, 1, 2, "Vissza a jövőbe", 750);  // VHS, Normál
        UjTetel(6, m_ugyfel, 15, 1, 1, "Másik kölcsönzés", 999);
        UjTetel(5, m_ugyfel, 20, 2, 3, "Csillagok háborúja", 500);  // DVD, Régi
    }
    void cleanup() { m_t.reset(); }

    // Three items of two types: by type, by code within a type; the sum is
    // the rental's total; the four boxes, headings and footer are all there.
    void haromTetelKetTipus()
    {
        const QStringList o = Nyugta(5);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        const QString minden = s.join('\n');
        QVERIFY2(s.contains(QStringLiteral("név ") + QString::fromUtf8(UgyfelNev)), qPrintable(minden));
        for (const char* t : {"ügyfél adatok", "cím 1071 Budapest, Dózsa György út 12.",
                              "kölcsönzés adatai", "lejárat napja 2026. 03. 16.", "lejárat ideje 15:30:00",
                              "kölcsönbe adó adatok", "Mozimánia Videotéka", "cím Budapest, Dózsa György út 12.",
                              "telefon 06-1-234-5678", "kód tétel megnevezés árkat várható ár",
                              "átvétel igazolása"})
            QVERIFY2(minden.contains(QString::fromUtf8(t)), t);
        const int elso = s.indexOf("10 Vissza a jövőbe Normál 750");
        QVERIFY2(elso > 0, qPrintable(minden));
        QCOMPARE(s.at(elso + 1), QString("20 Csillagok háborúja Régi 500"));
        QCOMPARE(s.at(elso + 2), QString("30 Mátrix Újdonság 1000"));
        const double osszes = Adatbazis::ertek("SELECT sum(ar) FROM video WHERE kolcsid = 5").toDouble();
        QCOMPARE(s.at(elso + 3), QStringLiteral("várható összesen %1").arg(osszes));
        QVERIFY(!minden.contains("Másik kölcsönzés"));
        // The footer.
        QCOMPARE(s.mid(s.size() - 3),
                 (QStringList{"Kazettora 2026. 03. 14. 15:30:00", "Kölcsönzés",
                              "oldal: 1 www.kazettora.hu qrKolcsonzes"}));
        // The big title in the box, and the report title in the footer.
        QCOMPARE(minden.count("Kölcsönzés"), 2);
        // Every letter from the mapped fonts: no other font slipped in for a letter they lack.
        const QStringList betuk = PdfBetuk(m_dir.filePath("nyugta5.pdf")).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!betuk.isEmpty());
        for (const QString& b : betuk)
            QVERIFY2(b.section('+', -1).startsWith("Liberation"), qPrintable(b));
    }

    // The shop's note under the sum: nothing when empty, several lines when
    // long, all of it in the serif font.
    void kolcsszoveg_data()
    {
        QTest::addColumn<QVariant>("szoveg");
        QTest::addColumn<int>("legalabbSor");
        QTest::newRow("üres") << QVariant(QString()) << 0;
        QTest::newRow("null") << QVariant() << 0;
        QString hosszu;
        while (hosszu.size() < 240) hosszu += QStringLiteral("Késedelmes visszahozatal esetén pótdíj jár. ");
        QTest::newRow("hosszú") << QVariant(hosszu.left(255).trimmed()) << 3;
    }
    void kolcsszoveg()
    {
        QFETCH(QVariant, szoveg);
        QFETCH(int, legalabbSor);
        Adatbazis::vegrehajt("UPDATE beallit SET kolcsszoveg = ?", {szoveg});
        const QString fajl = m_dir.filePath("szoveg.pdf");
        KolcsonzesNyomtat(5, Kimenet::pdf(fajl));
        const QStringList o = PdfOldalak(fajl, true);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        const int osszeg = s.indexOf("várható összesen 2250");
        const int alairas = s.indexOf("átvétel igazolása");
        QVERIFY2(osszeg > 0 && alairas > osszeg, qPrintable(s.join('\n')));
        const QStringList kozte = s.mid(osszeg + 1, alairas - osszeg - 1);
        QVERIFY2(kozte.size() >= legalabbSor, qPrintable(kozte.join('\n')));
        QCOMPARE(kozte.join(' ').simplified(), szoveg.toString().simplified());
        if (legalabbSor == 0) QVERIFY(kozte.isEmpty());
        else QVERIFY(PdfBetuk(fajl).contains("LiberationSerif"));
    }

    // The address survives a missing part; the separators left over go.
    void ugyfelcim_data()
    {
        QTest::addColumn<QVariant>("irsz");
        QTest::addColumn<QVariant>("varos");
        QTest::addColumn<QVariant>("cim");
        QTest::addColumn<QString>("vart");
        QTest::newRow("nincs irányítószám") << QVariant() << QVariant("Szeged") << QVariant("Fő utca 1.")
                                            << "cím Szeged, Fő utca 1.";
        QTest::newRow("nincs utca") << QVariant("6720") << QVariant("Szeged") << QVariant() << "cím 6720 Szeged";
        QTest::newRow("semmi") << QVariant() << QVariant() << QVariant() << "cím";
        QTest::newRow("hosszú, két sorban")
            << QVariant("12345") << QVariant("Szentgotthárd-Rábafüzes")
            << QVariant("Felsőbüki Nagy Pál utca 123/B. III. emelet 12.")
            << "cím 12345 Szentgotthárd-Rábafüzes, Felsőbüki Nagy Pál utca 123/B. III. emelet 12.";
    }
    void ugyfelcim()
    {
        QFETCH(QVariant, irsz);
        QFETCH(QVariant, varos);
        QFETCH(QVariant, cim);
        QFETCH(QString, vart);
        Adatbazis::vegrehajt("UPDATE ugyfel SET cim_irsz = ?, cim_varos = ?, cim_cim = ?", {irsz, varos, cim});
        const QStringList s = PdfSorok(Nyugta(5).value(0));
        QVERIFY2(s.contains(vart) || (vart.size() > 60 && s.join(' ').contains(vart)), qPrintable(s.join('\n')));
    }

    // Header and footer on every page, the customer on each; the sum once,
    // after the last item; a rental with no item still prints its page.
    void oldalak_data()
    {
        QTest::addColumn<int>("kolcsid");
        QTest::addColumn<int>("tetelek");
        QTest::addColumn<int>("oldalak");
        QTest::newRow("nincs tétel") << 99 << 0 << 1;
        QTest::newRow("harminc tétel") << 8 << 30 << 2;
        QTest::newRow("negyvenöt tétel") << 8 << 45 << 3;
    }
    void oldalak()
    {
        QFETCH(int, kolcsid);
        QFETCH(int, tetelek);
        QFETCH(int, oldalak);
        for (int i = 1; i <= tetelek; ++i)
            UjTetel(kolcsid, m_ugyfel, 100 + i, 1 + i % 3, 1, QStringLiteral("Film %1").arg(i), 100);
        const QStringList o = Nyugta(kolcsid);
        QCOMPARE(o.size(), oldalak);
        int tetelSorok = 0;
        for (int i = 0; i < o.size(); ++i) {
            const QStringList s = PdfSorok(o[i]);
            QVERIFY(s.contains("ügyfél adatok"));
            QVERIFY(s.contains(tetelek ? QStringLiteral("név ") + QString::fromUtf8(UgyfelNev) : QStringLiteral("név")));
            QVERIFY(s.contains("kód tétel megnevezés árkat várható ár"));
            QVERIFY(s.contains("átvétel igazolása"));
            QCOMPARE(s.last(), QStringLiteral("oldal: %1 www.kazettora.hu qrKolcsonzes").arg(i + 1));
            for (const QString& sor : s) tetelSorok += sor.contains(" Film ") ? 1 : 0;
            QCOMPARE(s.contains(QStringLiteral("várható összesen %1").arg(100 * tetelek)), i == o.size() - 1);
        }
        QCOMPARE(tetelSorok, tetelek);
    }
};

QTEST_MAIN(TstNyugta)
#include "tst_nyugta.moc"
