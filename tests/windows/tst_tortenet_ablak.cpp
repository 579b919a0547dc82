// The history window opened with F8 from the main window (item mode) and
// from the customer register (customer mode), driven with its keys; its
// report printed and previewed through the test seam and read back.
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "core/data/adatbazis.h"
#include "windows/rental/tfrm_tortenet.h"
#include "print/rental/tqrtortenet.h"
#include "tests/windows/tesztsegito.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

namespace {

// Items (key, code, title) and customers (key, code, name); the history rows
// as a rental writes them. Customer 3 and item 4 are deleted afterwards.
void adatok()
{
    const QVariantList t[] = {{1, 40, "Vuk"}, {2, 30, "Mátrix"}, {3, 20, "Cápa"}, {4, 10, "Ábel"}};
    for (const QVariantList& v : t)
        Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, tipus, arkat, kint, torolve, ugyfel) "
                             "VALUES (?, ?, ?, 1, 1, 'N', 'N', 0)", v);
    Adatbazis::vegrehajt("INSERT INTO ugyfel (ugyfel, azon, ugyfel_nev, torolve) VALUES "
                         "(1, 1, 'Kiss Anna', 'N'), (2, 2, 'Erdős-Hegedűs Őzike', 'N'), (3, 3, 'Őri Ödön', 'N')");
    const QVariantList h[] = {{2, 2, "2026-01-05"}, {1, 2, "2026-02-07"}, {2, 1, "2026-02-20"}, {2, 3, "2026-02-20"},
                              {2, 4, "2026-02-20"}, {3, 2, "2026-03-01"}};
    for (const QVariantList& v : h) Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (?, ?, ?)", v);
    Adatbazis::vegrehajt("DELETE FROM ugyfel WHERE ugyfel = 3");
    Adatbazis::vegrehajt("DELETE FROM video WHERE video = 4");
}

// The grid's rows as shown: "date|name".
QStringList racsSorai(Tfrm_Tortenet* a)
{
    QStringList s;
    QAbstractItemModel* m = a->DBGrid1->model();
    for (int i = 0; i < m->rowCount(); ++i)
        s << m->index(i, 0).data().toString() + '|' + m->index(i, 1).data().toString();
    return s;
}

QStringList fejlecek(Tfrm_Tortenet* a)
{
    QAbstractItemModel* m = a->DBGrid1->model();
    return {m->headerData(0, Qt::Horizontal).toString(), m->headerData(1, Qt::Horizontal).toString()};
}

// With KAZETTORA_KEPEK set, a picture of the window for looking at.
void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(mappa + "/tortenet-" + nev + ".png");
}

const QStringList TetelSorok = {"2026. 01. 05.|Erdős-Hegedűs Őzike", "2026. 02. 07.|Kiss Anna", "2026. 03. 01.|"};
const QStringList UgyfelSorok = {"2026. 01. 05.|Mátrix", "2026. 02. 20.|Vuk", "2026. 02. 20.|Cápa", "2026. 02. 20.|"};

} // namespace

class TstTortenetAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;
    QTemporaryDir m_dir;

    // The report of the last print hand-off, a page a text.
    QStringList utolsoNyomtatas(bool elonezet)
    {
        if (m_t->parbeszed.nyomtatasok.isEmpty()) return {};
        const auto& n = m_t->parbeszed.nyomtatasok.last();
        if (n.elonezet != elonezet || n.cim != QStringLiteral("Kiadott tételek")) return {};
        if (qEnvironmentVariableIsSet("KAZETTORA_PDF_MARAD"))
            QFile::copy(n.pdf, m_dir.filePath(QStringLiteral("tortenet%1.pdf").arg(m_t->parbeszed.nyomtatasok.size())));
        return PdfOldalak(n.pdf);
    }

private slots:
    void initTestCase()
    {
        if (!PdfTesztIndul(m_dir)) QSKIP("pdftotext (poppler-utils) hiányzik");
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        adatok();
    }
    void cleanup() { m_t.reset(); }

    // F8 on the main window's current item: that item's history, oldest
    // first, with each lending's customer; Esc closes it.
    void fomenuTetel()
    {
        Adatbazis::zar();
        Tfrm_Main f;
        QVERIFY(f.indult());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        Gepel(f.Edit1, "30");
        QCOMPARE(f.Tbl.aktualisKulcs(), qint64(2));
        bool volt = false;
        {
            VartAblak v([&](Tfrm_Tortenet* a) {
                volt = true;
                QCOMPARE(a->windowTitle(), QString("Történet"));
                QCOMPARE(a->mod(), TortenetMod::Tetel);
                QCOMPARE(a->kulcs(), qint64(2));
                QCOMPARE(fejlecek(a), (QStringList{"dátum", "ügyfél"}));
                QCOMPARE(racsSorai(a), TetelSorok);
                QCOMPARE(a->Label1->text(), QString("   Tétel:   "));
                QCOMPARE(a->DBText1->text(), QString("Mátrix"));
                QCOMPARE(a->aktualis(), 0);
                QVERIFY(a->DBText1->font().bold());
                QVERIFY(a->aExcelbe->isEnabled());
                QCOMPARE(a->aExcelbe->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
                kep(a, "tetel");
                Nyom(a, Qt::Key_Escape);
                QVERIFY(!a->isVisible());
            });
            Nyom(&f, Qt::Key_F8);
            QVERIFY(v.kesz());
        }
        QVERIFY(volt);
        // No current item (no item is out, the filter leaves none): F8 does nothing.
        f.muvelet("aSzur")->trigger();
        QCOMPARE(f.Tbl.aktualis(), -1);
        VartAblak soha(VartAblak::Soha<Tfrm_Tortenet>{});
        Nyom(&f, Qt::Key_F8);
        QTest::qWait(100);
    }

    // F8 in the register, listing or choosing: the current customer's
    // history, the customer's name in the panel.
    void regiszterUgyfel_data()
    {
        QTest::addColumn<bool>("valasztas");
        QTest::newRow("lista") << false;
        QTest::newRow("választás") << true;
    }
    void regiszterUgyfel()
    {
        QFETCH(bool, valasztas);
        bool volt = false;
        VartAblak v([&](Tfrm_TorzsUgyfel* r) {
            QVERIFY(r->aTortenet->isEnabled());
            QCOMPARE(r->ertek("ugyfel").toInt(), 2);
            {
                VartAblak t([&](Tfrm_Tortenet* a) {
                    volt = true;
                    QCOMPARE(a->mod(), TortenetMod::Ugyfel);
                    QCOMPARE(a->kulcs(), qint64(2));
                    QCOMPARE(fejlecek(a), (QStringList{"dátum", "tétel"}));
                    QCOMPARE(racsSorai(a), UgyfelSorok);
                    QCOMPARE(a->Label1->text(), QString("  ügyfél   "));
                    QCOMPARE(a->DBText1->text(), QString("Erdős-Hegedűs Őzike"));
                    // The panel follows the current row.
                    Nyom(a, Qt::Key_Down);
                    QCOMPARE(a->aktualis(), 1);
                    QCOMPARE(a->DBText1->text(), QString("Erdős-Hegedűs Őzike"));
                    if (!valasztas) kep(a, "ugyfel");
                    Nyom(a, Qt::Key_Escape);
                });
                Nyom(r, Qt::Key_F8);
                QVERIFY(t.kesz());
            }
            QVERIFY(r->isVisible());   // Esc closed the history only
            Nyom(r, Qt::Key_Escape);
        });
        QCOMPARE(TorzsUgyfelMegnyit(nullptr, 2, valasztas), -1);
        QVERIFY(volt);
    }

    // Ctrl+K previews and Ctrl+P prints the report of the same mode and key.
    void nyomtatas_data()
    {
        QTest::addColumn<TortenetMod>("mod");
        QTest::addColumn<qint64>("kulcs");
        QTest::addColumn<int>("billentyu");
        QTest::addColumn<QStringList>("vart");   // lines in order, spaces squeezed
        QTest::newRow("tétel, előnézet")
            << TortenetMod::Tetel << qint64(2) << int(Qt::Key_K)
            << QStringList{"Történet Mozimánia Videotéka", "Budapest", "Tétel: Dózsa György út 12.",
                           "Mátrix 06-1-234-5678", "dátum ügyfél", "2026. 01. 05. Erdős-Hegedűs Őzike",
                           "2026. 02. 07. Kiss Anna", "2026. 03. 01."};
        QTest::newRow("ügyfél, nyomtatás")
            << TortenetMod::Ugyfel << qint64(2) << int(Qt::Key_P)
            << QStringList{"Történet Mozimánia Videotéka", "Budapest", "ügyfél Dózsa György út 12.",
                           "Erdős-Hegedűs Őzike 06-1-234-5678",
                           "dátum tétel", "2026. 01. 05. Mátrix", "2026. 02. 20. Vuk", "2026. 02. 20. Cápa",
                           "2026. 02. 20."};
    }
    void nyomtatas()
    {
        QFETCH(TortenetMod, mod);
        QFETCH(qint64, kulcs);
        QFETCH(int, billentyu);
        QFETCH(QStringList, vart);
        VartAblak v([&](Tfrm_Tortenet* a) {
            Nyom(a, billentyu, Qt::ControlModifier);
            QVERIFY(a->isVisible());
            Nyom(a, Qt::Key_Escape);
        });
        TortenetMegnyit(nullptr, mod, kulcs);
        QVERIFY(v.kesz());
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 1);
        const QStringList o = utolsoNyomtatas(billentyu == Qt::Key_K);
        QCOMPARE(o.size(), 1);
        const QStringList s = PdfSorok(o[0]);
        const QString minden = s.join('\n');
        int hol = -1;
        for (const QString& sor : vart) {
            const int i = s.indexOf(sor, hol + 1);
            QVERIFY2(i > hol, qPrintable(sor + "\n--\n" + minden));
            hol = i;
        }
        QCOMPARE(s.mid(s.size() - 3),
                 (QStringList{"Kazettora 2026. 03. 14. 15:30:00", "Kiadott tételek", "oldal: 1 www.kazettora.hu qrTortenet"}));
    }

    // A customer who never borrowed: header and footer, no row, no name.
    // Many rows: the header, with the name, and the footer on every page.
    void ures_es_tobbOldalas()
    {
        const QString ures = m_dir.filePath("ures.pdf");
        TortenetNyomtat(TortenetMod::Ugyfel, 1234, Kimenet::pdf(ures));
        QStringList o = PdfOldalak(ures);
        QCOMPARE(o.size(), 1);
        QCOMPARE(PdfSorok(o[0]),
                 (QStringList{"Történet Mozimánia Videotéka", "Budapest", "ügyfél Dózsa György út 12.",
                              "06-1-234-5678", "dátum tétel", "Kazettora 2026. 03. 14. 15:30:00", "Kiadott tételek",
                              "oldal: 1 www.kazettora.hu qrTortenet"}));

        {
            Adatbazis::Tranzakcio tr;
            for (int i = 0; i < 120; ++i)
                Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (1, 3, ?)",
                                     {QDate(2025, 1, 1).addDays(i)});
            tr.jovahagy();
        }
        const QString sok = m_dir.filePath("sok.pdf");
        TortenetNyomtat(TortenetMod::Ugyfel, 1, Kimenet::pdf(sok));
        o = PdfOldalak(sok);
        QVERIFY2(o.size() >= 2, qPrintable(QString::number(o.size())));
        int sorok = 0;
        for (int i = 0; i < o.size(); ++i) {
            const QStringList s = PdfSorok(o[i]);
            QCOMPARE(s.first(), QString("Történet Mozimánia Videotéka"));
            QVERIFY(s.contains("Kiss Anna 06-1-234-5678"));
            QVERIFY(s.contains("dátum tétel"));
            QCOMPARE(s.last(), QStringLiteral("oldal: %1 www.kazettora.hu qrTortenet").arg(i + 1));
            sorok += int(s.filter(QRegularExpression("^\\d{4}\\. \\d\\d\\. \\d\\d\\. ")).size());
            if (i == 0) QVERIFY(s.contains("2025. 01. 01. Cápa"));
        }
        QCOMPARE(sorok, 121);   // and the earlier lending of Mátrix
        QVERIFY(PdfSorok(o.last()).contains("2025. 04. 30. Cápa"));
    }
};

QTEST_MAIN(TstTortenetAblak)
#include "tst_tortenet_ablak.moc"
