// The overdue follow-up written to PDF and read back: the customers with
// overdue items by name with their phones, each item's days overdue and fee
// by the rules, the sums; the letters one page per customer under the
// shop's header; and the statement reaching the items out through the index.
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/rental/kesedelem.h"
#include "print/rental/tqrkesedelmes.h"
#include "tests/print/tesztparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QtTest>

namespace {

// Today is 2026-03-14 15:30. Category 1: 300 a day, no grace; category 2:
// 2 hours of grace, 250 a day, at most 500; category 3 has no rule.
void Keszlet()
{
    Adatbazis::Tranzakcio tr;
    Adatbazis::vegrehajt(
        "INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, telefon, mobil, cim_irsz, cim_varos, cim_cim) VALUES "
        "(1, 11, 'Kiss Anna', '06-1-111-2222', '06-30-123-4567', '1011', 'Budapest', 'Fő utca 1.'), "
        "(2, 12, 'Ábrahám Béla', NULL, '06-70-765-4321', '2000', 'Szentendre', 'Duna korzó 5.'), "
        "(3, 13, 'Nagy Csaba', '06-1-333-4444', NULL, NULL, NULL, NULL), "
        "(4, 14, 'Zöld Dóra', NULL, NULL, NULL, NULL, NULL)");
    const char* const sql = "INSERT INTO video (azon, tipus, arkat, video_nev, kint, torolve, ugyfel, ar, "
                            "dat_visszakell, ido_visszakell) VALUES (?, 1, ?, ?, ?, 'N', ?, 500, ?, ?)";
    const QVariantList sorok[] = {
        {1, 1, "Mátrix", "I", 1, "2026-03-12", "10:00:00"},        // 2 days 5.5 hours: 3 days, 900
        {2, 2, "Titanic", "I", 1, "2026-03-10", "15:30:00"},       // 4 days: 1000, capped at 500
        {3, 3, "Vuk", "I", 1, "2026-03-13", "15:30:00"},           // 1 day, no rule: 0
        {4, 1, "Cápa", "I", 2, "2026-03-01", "12:00:00"},          // 13 days 3.5 hours: 14 days, 4200
        {5, 1, "Őrült nők ketrece", "I", 3, "2026-03-14", "16:00:00"},   // due later today
        {6, 1, "Üvegtigris", "I", 4, "2026-03-14", "15:00:00"},    // half an hour ago: 1 day, 300
        {7, 1, "Casablanca", "N", 0, "2026-03-01", "12:00:00"},    // in the shop
    };
    for (const QVariantList& s : sorok) Adatbazis::vegrehajt(QString::fromLatin1(sql), s);
    Kesedelem::Ment({{1, "a", KesedelmiSzabaly{0, 300, 0}}, {2, "b", KesedelmiSzabaly{2, 250, 500}}});
    tr.jovahagy();
}

QString ft(double v) { return (FtMaszk(v) + QStringLiteral(" Ft")).simplified(); }

} // namespace

class TstKesedelmesJelentes : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;

    QStringList pdf(Jelentes& qr, const QString& nev)
    {
        const QString fajl = m_dir.filePath(nev + QStringLiteral(".pdf"));
        QString hiba;
        if (!qr.pdfbe(fajl, &hiba)) qWarning("%s", qPrintable(hiba));
        return PdfOldalak(fajl);
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
    }
    void cleanup() { m_t.reset(); }

    void lista()
    {
        Keszlet();
        TqrKesedelmes qr;
        qr.megnyit();
        const QStringList o = pdf(qr, "lista");
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        const int fej = s.indexOf("kód megnevezés határidő késés (nap) díj");
        QVERIFY2(fej > 0, qPrintable(s.join('|')));
        QVERIFY2(s.mid(0, fej).join(' ').contains("Késedelmes ügyfelek"), qPrintable(s.mid(0, fej).join('|')));
        QVERIFY(s.mid(0, fej).join(' ').contains("Mozimánia Videotéka"));
        const QStringList vart = {
            "Ábrahám Béla ügyfélkód: 00012",
            "mobil: 06-70-765-4321",
            "00004 Cápa 2026. 03. 01. 12:00 14 " + ft(4200),
            "Összesen 1 " + ft(4200),
            "Kiss Anna ügyfélkód: 00011",
            "telefon: 06-1-111-2222, mobil: 06-30-123-4567",
            "00001 Mátrix 2026. 03. 12. 10:00 3 " + ft(900),
            "00002 Titanic 2026. 03. 10. 15:30 4 " + ft(500),
            "00003 Vuk 2026. 03. 13. 15:30 1 " + ft(0),
            "Összesen 3 " + ft(1400),
            "Zöld Dóra ügyfélkód: 00014",
            "nincs megadott telefonszám",
            "00006 Üvegtigris 2026. 03. 14. 15:00 1 " + ft(300),
            "Összesen 1 " + ft(300),
            "Minden késedelmes tétel darab: 5 " + ft(5900),
        };
        QCOMPARE(s.mid(fej + 1, vart.size()), vart);
        QVERIFY2(s.value(s.size() - 1).contains("qrKesedelmes"), qPrintable(s.join('|')));
    }

    // A letter per customer, each on its own page under the shop's header,
    // with the items, their fees and the sum.
    void levelek()
    {
        Keszlet();
        TqrFelszolito qr;
        qr.megnyit();
        const QStringList o = pdf(qr, "levelek");
        QCOMPARE(o.size(), 3);
        const QStringList nevek = {"Ábrahám Béla", "Kiss Anna", "Zöld Dóra"};
        const QStringList osszegek = {ft(4200), ft(1400), ft(300)};
        for (int i = 0; i < 3; ++i) {
            const QStringList s = PdfSorok(o[i]);
            const QString mind = s.join('|');
            QCOMPARE(s.value(0), QString("Mozimánia Videotéka"));
            QVERIFY2(s.value(1).contains("Budapest") && s.value(2).contains("telefon: 06-1-234-5678"), qPrintable(mind));
            QVERIFY2(s.contains(nevek[i]), qPrintable(mind));
            QVERIFY2(s.contains("Tisztelt " + nevek[i] + "!"), qPrintable(mind));
            QVERIFY2(s.contains("Késedelmi díj összesen " + osszegek[i]), qPrintable(mind));
            for (const QString& masik : nevek)
                if (masik != nevek[i]) QVERIFY2(!mind.contains(masik), qPrintable(mind));
        }
        const QString anna = PdfSorok(o[1]).join('|');
        QVERIFY2(anna.contains("Fő utca 1.|1011 Budapest"), qPrintable(anna));
        for (const QString& t : {"00001 Mátrix 2026. 03. 12. 10:00 3 " + ft(900), "00002 Titanic 2026. 03. 10. 15:30 4 " + ft(500),
                                 "00003 Vuk 2026. 03. 13. 15:30 1 " + ft(0)})
            QVERIFY2(PdfSorok(o[1]).contains(t), qPrintable(anna));
        QVERIFY(!anna.contains("Őrült nők") && !anna.contains("Casablanca"));
    }

    // Nobody overdue: the list has its sums at zero, the letters one page saying so.
    void ures()
    {
        TqrFelszolito l;
        l.megnyit();
        const QStringList o = pdf(l, "ures");
        QCOMPARE(o.size(), 1);
        QVERIFY2(PdfSorok(o[0]).contains("Nincs késedelmes ügyfél: nincs kiküldendő felszólító levél."), qPrintable(o[0]));
        TqrKesedelmes k;
        k.megnyit();
        QCOMPARE(k.sorokSzama(), 0);
    }

    // The items out are found through an index, the catalogue never scanned.
    void index()
    {
        const QString terv = LekerdezesiTerv(KesedelmesKurzor::Lekerdezes());
        QVERIFY2(terv.contains("SEARCH v USING INDEX video_kint_"), qPrintable(terv));
        QVERIFY2(!terv.contains("SCAN v"), qPrintable(terv));
    }
};

QTEST_MAIN(TstKesedelmesJelentes)
#include "tst_kesedelmes_jelentes.moc"
