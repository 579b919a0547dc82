// The printed cash book ("Napi cassa"), printed to PDF and read back.
#include "print/cash/tqrcassa.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "tests/print/tesztparbeszed.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TstCassaJelentes : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;
    int m_n = 0;

    QStringList nyomtat(bool szurve, const QDate& nap)
    {
        const QString fajl = m_dir.filePath(QStringLiteral("cassa%1.pdf").arg(++m_n));
        CassaNyomtat(szurve, nap, Kimenet::pdf(fajl));
        return PdfOldalak(fajl);
    }

    // Header and footer of a page, as every page carries them.
    void keret(const QString& oldal, int szam)
    {
        const QStringList s = PdfSorok(oldal);
        // The title at the left, level with the owner's town; the owner at the right.
        QCOMPARE(s.mid(0, 5), (QStringList{"Mozimánia Videotéka", "Cassa Budapest", "Dózsa György út 12.",
                                           "06-1-234-5678", "dátum megnevezés összeg záró ügyfél"}));
        const QString lab = s.mid(s.size() - 3).join('\n');
        QVERIFY2(lab.contains(QRegularExpression("^Kazettora .*\\d{2}:\\d{2}:\\d{2}\n")), qPrintable(lab));
        QVERIFY2(lab.contains(QStringLiteral("oldal: %1 www.kazettora.hu Napi cassa\nqrCassa").arg(szam)), qPrintable(lab));
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
    }
    void cleanup() { m_t.reset(); }

    // Every entry in the order written, money grouped by three, the
    // expense signed; the type and customer names, empty where none.
    void sorok()
    {
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES "
                             "('B', '2026-03-14', 1, 1234567, 1234567, '202603'), "
                             "('K', '2026-03-13', NULL, -1224567, 10000, NULL), "
                             "('Q', '2026-03-14', 99, 0.4, 10000.4, '202603')");
        const QStringList o = nyomtat(false, QDate());
        QCOMPARE(o.size(), 1);
        keret(o[0], 1);
        const QStringList s = PdfSorok(o[0]);
        const int elso = s.indexOf("dátum megnevezés összeg záró ügyfél") + 1;
        QCOMPARE(s.mid(elso, 3), (QStringList{RovidDatum(QDate(2026, 3, 14)) + " Kölcsönzési díj 1 234 567 1 234 567 Erdős-Hegedűs Őzike",
                                              RovidDatum(QDate(2026, 3, 13)) + " Kiadás -1 224 567 10 000",
                                              RovidDatum(QDate(2026, 3, 14)) + " 0 10 000"}));
    }

    // Filtered, the report holds that day's entries only; a day without
    // entries prints the header and footer with no lines.
    void szurve()
    {
        Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES "
                             "('B', '2026-03-14', 1, 500, 500, '202603'), ('T', '2026-03-13', 1, 1500, 2000, '202603')");
        QStringList s = PdfSorok(nyomtat(true, QDate(2026, 3, 13)).value(0));
        QCOMPARE(s.filter("Tagdíj").size(), 1);
        QVERIFY(s.filter("Kölcsönzési díj").isEmpty());
        const QStringList o = nyomtat(true, QDate(2026, 1, 1));
        QCOMPARE(o.size(), 1);
        keret(o[0], 1);
        s = PdfSorok(o[0]);
        QCOMPARE(s.size(), 5 + 3);   // the header's five lines, the footer's three
    }

    // Many entries run onto further pages, each with header and footer.
    void tobbOldal()
    {
        Adatbazis::Tranzakcio tr;
        for (int i = 1; i <= 120; ++i)
            Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) "
                                 "VALUES ('B', '2026-03-14', 1, 100, ?, '202603')",
                                 {100.0 * i});
        tr.jovahagy();
        const QStringList o = nyomtat(false, QDate());
        QVERIFY(o.size() >= 3);
        int sorokSzama = 0;
        for (int i = 0; i < o.size(); ++i) {
            keret(o[i], i + 1);
            sorokSzama += PdfSorok(o[i]).filter("Kölcsönzési díj").size();
        }
        QCOMPARE(sorokSzama, 120);
        QVERIFY(PdfSorok(o.last()).join('\n').contains("12 000"));
    }
};

QTEST_MAIN(TstCassaJelentes)
#include "tst_cassa_jelentes.moc"
