// The two chart windows, opened from the main window through their range
// dialogs, headless: what they draw, printing on a landscape page, saving
// the picture. With KAZETTORA_KEPEK set, a picture of each chart is saved there
// (grafikon-*.png).
#include "windows/app/alkalmazas.h"
#include "windows/app/tfrm_main.h"
#include "core/cash/cassa.h"
#include "windows/cash/tfrm_datumbe.h"
#include "windows/cash/tfrm_grafikon.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "tests/windows/tesztsegito.h"
#include "tests/print/tst_jelentes_pdf.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QValueAxis>
#include <QtTest>

namespace {

void kep(QWidget* w, const QString& nev)
{
    const QString mappa = qEnvironmentVariable("KAZETTORA_KEPEK");
    if (!mappa.isEmpty()) w->grab().save(QStringLiteral("%1/grafikon-%2.png").arg(mappa, nev));
}

void tetel(const QString& tip, double osszeg, const QVariant& idoszak)
{
    Adatbazis::vegrehajt("INSERT INTO cassa (cassatip, datum, osszeg, penzvan, idoszak) VALUES (?, ?, ?, 0, ?)",
                         {tip, Ma(), osszeg, idoszak});
}

void kolcson(int video, const QDate& nap)
{
    Adatbazis::vegrehajt("INSERT INTO ugyfel_video (ugyfel, video, datum) VALUES (1, ?, ?)", {video, nap});
}

QStringList kategoriak(QChart* c)
{
    const auto tengelyek = c->axes(Qt::Horizontal);
    auto* x = tengelyek.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(tengelyek.first());
    return x ? x->categories() : QStringList{};
}

// The next control Tab reaches from w.
QWidget* tabUtan(QWidget* w)
{
    for (QWidget* n = w->nextInFocusChain(); n && n != w; n = n->nextInFocusChain())
        if ((n->focusPolicy() & Qt::TabFocus) && !w->isAncestorOf(n) && n->isVisibleTo(w->window()) && n->isEnabled())
            return n;
    return nullptr;
}

// The buttons at the chart's right, in tab order after it.
void gombok(GrafikonAblak* a)
{
    QCOMPARE(a->btnNyomtat->text(), QString("Nyomtat"));
    QCOMPARE(a->btnMentes->text(), QString("Mentés"));
    QCOMPARE(a->btnBezar->text(), QString("Bezár"));
    QCOMPARE(tabUtan(a->DBChart1), static_cast<QWidget*>(a->btnNyomtat));
    QCOMPARE(tabUtan(a->btnNyomtat), static_cast<QWidget*>(a->btnMentes));
    QCOMPARE(tabUtan(a->btnMentes), static_cast<QWidget*>(a->btnBezar));
    for (QWidget* b : {a->btnNyomtat, a->btnMentes, a->btnBezar})
        QVERIFY(b->geometry().left() >= a->DBChart1->geometry().right());
    QCOMPARE(a->minimumSize(), a->maximumSize());   // fixed size
}

} // namespace

class TstGrafikonAblak : public QObject {
    Q_OBJECT
    std::unique_ptr<TesztTelepites> m_t;

private slots:
    void initTestCase()
    {
        TesztKornyezet();
        AlkalmazasBeallit(*qApp);
    }
    void init()
    {
        m_t = std::make_unique<TesztTelepites>();
        m_t->nyit();
        TBeall.rendszergazda = true;
        tetel("B", 12500, "202603");
        tetel("T", 2800, "202603");
        tetel("K", 5000, "202604");
        tetel("B", 1500, "202605");
        tetel("B", 99999, QVariant());   // typed by hand: no month key
        for (const char* t : {"ugyfel_video", "video", "mufaj"}) Adatbazis::vegrehajt(QStringLiteral("DELETE FROM %1").arg(t));
        Adatbazis::vegrehajt("INSERT INTO mufaj (mufaj, mufaj_nev) VALUES (1, 'Akció'), (2, 'Vígjáték'), (3, 'Dráma')");
        for (auto [video, mufaj] : {std::pair{10, QVariant(1)}, {11, 2}, {12, 3}, {13, QVariant()}})
            Adatbazis::vegrehajt("INSERT INTO video (video, azon, video_nev, mufaj, kint, torolve) VALUES (?, ?, 'x', ?, 'N', 'N')",
                                 {video, video, mufaj});
        const QDate ma = Ma();
        for (int i = 0; i < 5; ++i) kolcson(10, ma.addDays(-i));
        kolcson(11, ma.addDays(-10));
        kolcson(11, ma.addDays(-11));
        kolcson(12, ma.addMonths(-3));        // the first day proposed
        kolcson(13, ma.addDays(-3));          // no genre
        kolcson(12, ma.addMonths(-3).addDays(-1));   // before the range
    }
    void cleanup() { m_t.reset(); }

    // "Bevételek alakulása": the month dialog, then one red bar a month
    // with "B" or "T" income, the month key below it and its total above;
    // April, without such income, gets no bar.
    void bevetel()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        VartAblak v([](Tfrm_Honap* d) {
            d->ComboBox1->setEditText("202603");
            d->ComboBox2->setEditText("202605");
            d->btnOK->click();
        });
        v.majd([&](Tfrm_chBevKiad* a) {
            QCOMPARE(a->windowTitle(), QString("Bevételek alakulása"));
            QChart* c = a->grafikon();
            QCOMPARE(c->series().size(), 1);
            auto* s = qobject_cast<QBarSeries*>(c->series().first());
            QVERIFY(s);
            QCOMPARE(s->count(), 1);
            QBarSet* b = s->barSets().first();
            QCOMPARE(b->count(), 2);
            QCOMPARE(b->at(0), 15300.0);
            QCOMPARE(b->at(1), 1500.0);
            QCOMPARE(b->color(), QColor(Qt::red));
            QCOMPARE(kategoriak(c), (QStringList{"202603", "202605"}));
            QVERIFY(s->isLabelsVisible());
            QCOMPARE(s->labelsPosition(), QAbstractBarSeries::LabelsOutsideEnd);
            QVERIFY(!c->legend()->isVisible());
            QVERIFY(c->title().isEmpty());
            QCOMPARE(a->DBChart1->rubberBand(), QChartView::RectangleRubberBand);
            gombok(a);
            kep(a, "bevetel");
            // Dragging over the upper half zooms into it.
            auto* y = qobject_cast<QValueAxis*>(c->axes(Qt::Vertical).value(0));
            QVERIFY(y);
            const double felso = y->max();
            const QRectF ter = c->plotArea();
            QWidget* vp = a->DBChart1->viewport();
            QTest::mousePress(vp, Qt::LeftButton, {}, ter.topLeft().toPoint() + QPoint(5, 5));
            QTest::mouseMove(vp, ter.center().toPoint());
            QTest::mouseRelease(vp, Qt::LeftButton, {}, ter.center().toPoint());
            QTRY_VERIFY(y->min() > 0 && y->max() <= felso);
            Nyom(a, Qt::Key_Escape);
        });
        f.muvelet("aChBevKiad")->trigger();
        QVERIFY(v.kesz());
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    // A range that selects no income entry draws no bar, and so do a
    // reversed one and text that is no month key.
    void bevetelUres_data()
    {
        QTest::addColumn<QString>("tol");
        QTest::addColumn<QString>("ig");
        QTest::newRow("április") << "202604" << "202604";
        QTest::newRow("fordított") << "202605" << "202603";
        QTest::newRow("betűk") << "abc" << "xyz";
    }
    void bevetelUres()
    {
        QFETCH(QString, tol);
        QFETCH(QString, ig);
        Tfrm_chBevKiad a;
        a.betolt(tol, ig);
        auto* s = qobject_cast<QBarSeries*>(a.grafikon()->series().value(0));
        QVERIFY(s);
        QCOMPARE(s->barSets().first()->count(), 0);
        QVERIFY(kategoriak(a.grafikon()).isEmpty());
    }

    // "Kölcsönzések megoszlása műfaj szerint": the period dialog proposes
    // the last three months; a slice a genre, sized by its rentals, the
    // rentals of no genre in one nameless slice; a legend that leaves the
    // pie its size; no zoom.
    void megoszlas()
    {
        Tfrm_Main f;
        QVERIFY(f.indult());
        VartAblak v([](Tfrm_Idoszak* d) {
            QCOMPARE(d->DateTimePicker1->date(), Ma().addMonths(-3));
            QCOMPARE(d->DateTimePicker2->date(), Ma());
            d->btnOK->click();
        });
        v.majd([&](Tfrm_chMegoszlas* a) {
            QCOMPARE(a->windowTitle(), QString("Kölcsönzések megoszlása műfajok szerint"));
            QChart* c = a->grafikon();
            auto* s = qobject_cast<QPieSeries*>(c->series().value(0));
            QVERIFY(s);
            QStringList szeletek;
            for (QPieSlice* sz : s->slices()) {
                szeletek << QStringLiteral("%1=%2").arg(sz->label()).arg(sz->value());
                QVERIFY(sz->isLabelVisible());
            }
            QCOMPARE(szeletek, (QStringList{"=1", "Akció=5", "Dráma=1", "Vígjáték=2"}));
            QVERIFY(c->legend()->isVisible());
            QCOMPARE(c->legend()->markers(s).size(), 4);
            QVERIFY(!c->legend()->isAttachedToChart());
            QVERIFY(c->axes().isEmpty());
            QVERIFY(c->title().isEmpty());
            QCOMPARE(a->DBChart1->rubberBand(), QChartView::NoRubberBand);
            gombok(a);
            kep(a, "megoszlas");
            a->btnBezar->click();
        });
        f.muvelet("aChMegoszlas")->trigger();
        QVERIFY(v.kesz());
        QVERIFY(m_t->parbeszed.hibak().isEmpty());
    }

    void megoszlasUres()
    {
        Tfrm_chMegoszlas a;
        a.betolt(QDate(2020, 1, 1), QDate(2020, 12, 31));
        auto* s = qobject_cast<QPieSeries*>(a.grafikon()->series().value(0));
        QVERIFY(s);
        QCOMPARE(s->count(), 0);
        QVERIFY(!a.grafikon()->legend()->isBackgroundVisible());   // no empty legend box
    }

    // A cancelled range dialog opens no chart.
    void megsem_data()
    {
        QTest::addColumn<QString>("muvelet");
        QTest::newRow("bevételek") << "aChBevKiad";
        QTest::newRow("megoszlás") << "aChMegoszlas";
    }
    void megsem()
    {
        QFETCH(QString, muvelet);
        Tfrm_Main f;
        QVERIFY(f.indult());
        VartAblak soha(VartAblak::Soha<GrafikonAblak>{});
        VartAblak v([](QDialog* d) {
            QVERIFY(qobject_cast<Tfrm_Honap*>(d) || qobject_cast<Tfrm_Idoszak*>(d));
            Nyom(d, Qt::Key_Escape);
        });
        f.muvelet(muvelet)->trigger();
        QVERIFY(v.kesz());
    }

    // "Mentés": the chart on white in a bitmap of its own size; ".bmp" added
    // to a name without an extension; a cancelled dialog writes nothing; a
    // place that cannot be written says so and leaves nothing behind.
    void mentes()
    {
        QTemporaryDir mappa;
        Tfrm_chBevKiad a;
        a.betolt("202603", "202605");
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));

        m_t->parbeszed.fajlValaszok = {mappa.filePath("bevetel")};
        QVERIFY(a.btnMentesClick());
        QImage k;
        QVERIFY(k.load(mappa.filePath("bevetel.bmp"), "BMP"));
        QCOMPARE(k.size(), a.DBChart1->size());
        QCOMPARE(QColor(k.pixel(1, 1)), QColor(Qt::white));
        // Red is drawn somewhere: the bars.
        bool voros = false;
        for (int y = 0; y < k.height() && !voros; y += 2)
            for (int x = 0; x < k.width() && !voros; x += 2) voros = QColor(k.pixel(x, y)) == QColor(Qt::red);
        QVERIFY(voros);

        m_t->parbeszed.fajlValaszok = {mappa.filePath("masik.bmp")};
        QVERIFY(a.btnMentesClick());
        QVERIFY(QFile::exists(mappa.filePath("masik.bmp")));
        QVERIFY(!QFile::exists(mappa.filePath("masik.bmp.bmp")));

        m_t->parbeszed.fajlValaszok.clear();   // cancelled
        QVERIFY(!a.btnMentesClick());
        QCOMPARE(QDir(mappa.path()).entryList(QDir::Files).size(), 2);
        QVERIFY(m_t->parbeszed.hibak().isEmpty());

        m_t->parbeszed.fajlValaszok = {mappa.filePath("nincs/ilyen/kep.bmp")};
        QVERIFY(!a.btnMentesClick());
        QCOMPARE(m_t->parbeszed.hibak().size(), 1);
        QVERIFY(m_t->parbeszed.hibak().first().startsWith("A kép nem menthető ide:"));
        QCOMPARE(QDir(mappa.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);

        // A full disk: the reason in Hungarian, the older picture whole.
        const qint64 regiMeret = QFileInfo(mappa.filePath("masik.bmp")).size();
        m_t->parbeszed.fajlValaszok = {mappa.filePath("masik.bmp")};
        {
            TeliLemez teli(4096);
            QVERIFY(!a.btnMentesClick());
        }
        QCOMPARE(m_t->parbeszed.hibak().size(), 2);
        QCOMPARE(m_t->parbeszed.hibak().last(),
                 QString("A kép nem menthető ide: %1\nBetelt a lemez.").arg(mappa.filePath("masik.bmp")));
        QCOMPARE(QFileInfo(mappa.filePath("masik.bmp")).size(), regiMeret);
        QCOMPARE(QDir(mappa.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    // "Nyomtat": the chart on one landscape page, its month keys and totals
    // readable in the print.
    void nyomtatas()
    {
        Tfrm_chBevKiad a;
        a.betolt("202603", "202605");
        a.show();
        QVERIFY(QTest::qWaitForWindowExposed(&a));
        QVERIFY(a.btnNyomtatClick());
        QCOMPARE(m_t->parbeszed.nyomtatasok.size(), 1);
        const auto& ny = m_t->parbeszed.nyomtatasok.first();
        QCOMPARE(ny.cim, QString("Bevételek alakulása"));
        QVERIFY(!ny.elonezet);
        const QString info = PdfInfo(ny.pdf);
        if (info.isEmpty()) QSKIP("pdfinfo is missing");
        QVERIFY2(info.contains(QRegularExpression("Pages:\\s+1\\b")), qPrintable(info));
        const QRegularExpressionMatch m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
        QVERIFY(m.hasMatch());
        QVERIFY2(m.captured(1).toDouble() > m.captured(2).toDouble(), qPrintable(info));
        const QString szoveg = PdfOldalak(ny.pdf).join('\n');
        QVERIFY2(szoveg.contains("202603") && szoveg.contains("202605"), qPrintable(szoveg));
    }
};

QTEST_MAIN(TstGrafikonAblak)
#include "tst_grafikon_ablak.moc"
