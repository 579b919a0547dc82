// The printed day's close ("Napi zárás (Z jelentés)"), printed to PDF and
// read back: the shop's header, the day, the entries by type, the sums and
// balances, the count against the book, the footer.
#include "print/cash/tqrzaras.h"
#include "core/cash/zaras.h"
#include "core/customers/tagdij.h"
#include "core/data/adatbazis.h"
#include "core/data/ora.h"
#include "tests/print/tesztparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void tetel(const char* tip, const char* nap, double osszeg, double penzvan)
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan) VALUES (?, ?, ?, ?)",
                         {QString::fromLatin1(tip), QString::fromLatin1(nap), osszeg, penzvan});
}

} // namespace

class TstZarasJelentes : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;
    int m_n = 0;

    QStringList nyomtat(const Zaras::Jelentes& z)
    {
        const QString fajl = m_dir.filePath(QStringLiteral("zaras%1.pdf").arg(++m_n));
        if (!ZarasNyomtat(z, Kimenet::pdf(fajl))) return {};
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
        Adatbazis::vegrehajt("INSERT INTO ugyfel (azon, ugyfel_nev) VALUES (7, 'Erdős-Hegedűs Őzike')");
        tetel("B", "2026-03-13", 1000, 1000);
        tetel("K", "2026-03-13", -300, 700);
        tetel("B", "2026-03-14", 1500, 2200);
        tetel("T", "2026-03-14", 2800, 5000);
        tetel("B", "2026-03-14", 600, 5600);
        tetel("V", "2026-03-14", -1234567, -1228967);
        tetel("E", "2026-03-14", 1233367, 4400);
    }
    void cleanup() { m_t.reset(); }

    // One page: the shop and the title, the day with the moment and the
    // user, a line a cash type, the day's sums, the balances and the count.
    void tartalom()
    {
        const Zaras::Jelentes z = Zaras::Zar(TesztMost.date(), 4900, "Kovács Anna");
        const QStringList o = nyomtat(z);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        QCOMPARE(s.mid(0, 6), (QStringList{"Mozimánia Videotéka", "Napi zárás Budapest", "(Z jelentés) Dózsa György út 12.",
                                           "06-1-234-5678",
                                           "nap: 2026. 03. 14. zárva: 15:30:00 felhasználó: Kovács Anna",
                                           "jel pénztári tétel típusa tételek összeg (Ft)"}));
        QCOMPARE(s.mid(6, 4), (QStringList{"B Kölcsönzési díj 2 2 100", "E Egyéb bevétel 1 1 233 367",
                                           "T Tagdíj 1 2 800", "V Videó beszerzés 1 -1 234 567"}));
        QCOMPARE(s.mid(10, 8), (QStringList{"tételek száma 5",
                                            "bevételek összesen 1 238 267 Ft",
                                            "kiadások összesen -1 234 567 Ft",
                                            "nyitó egyenleg (az előző napok után) 700 Ft",
                                            "záró egyenleg 4 400 Ft",
                                            "várt készpénz (a pénztárkönyv egyenlege a záráskor) 4 400 Ft",
                                            "megszámolt készpénz 4 900 Ft",
                                            "eltérés (megszámolt − várt) +500 Ft (többlet)"}));
        QVERIFY(s.filter("zárás után").isEmpty());
        const QString lab = s.mid(s.size() - 3).join('\n');
        QVERIFY2(lab.contains(QRegularExpression("^Kazettora .*\\d{2}:\\d{2}:\\d{2}\n")), qPrintable(lab));
        QVERIFY2(lab.contains("oldal: 1 www.kazettora.hu Napi zárás (Z jelentés)\nqrZaras"), qPrintable(lab));
    }

    // Reprinted after a fee paid past the close: the day's lines include
    // it, and a line of its own tells it apart from what was closed; a day
    // without entries and without a login prints its zeros.
    void zarasUtan()
    {
        Zaras::Zar(TesztMost.date(), 4400, QString());
        Tagdij::Fizet(1, 3, 1500);
        const QStringList s = PdfSorok(nyomtat(*Zaras::Keres(TesztMost.date())).value(0));
        QVERIFY2(s.contains("nap: 2026. 03. 14. zárva: 15:30:00 felhasználó: –"), qPrintable(s.join('\n')));
        QVERIFY(s.contains("T Tagdíj 2 4 300"));
        QVERIFY(s.contains("záró egyenleg 5 900 Ft"));
        QVERIFY(s.contains("ebből a zárás után könyvelve 1 500 Ft"));
        QVERIFY(s.contains("várt készpénz (a pénztárkönyv egyenlege a záráskor) 4 400 Ft"));
        QVERIFY(s.contains("eltérés (megszámolt − várt) 0 Ft"));

        OraBeallit(TesztMost.addDays(1));
        const QStringList u = PdfSorok(nyomtat(Zaras::Zar(TesztMost.date().addDays(1), 5800, "Kiss Béla")).value(0));
        OraBeallit(TesztMost);
        QVERIFY(u.contains("tételek száma 0"));
        QVERIFY(u.contains("nyitó egyenleg (az előző napok után) 5 900 Ft"));
        QVERIFY(u.contains("eltérés (megszámolt − várt) -100 Ft (hiány)"));
        QVERIFY(u.filter(QRegularExpression("^[A-Z] ")).isEmpty());
    }
};

QTEST_MAIN(TstZarasJelentes)
#include "tst_zaras_jelentes.moc"
