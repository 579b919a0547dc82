#include "windows/cash/tfrm_grafikon.h"
#include "core/cash/cassa.h"
#include "windows/cash/tfrm_datumbe.h"
#include "windows/common/bevitel.h"
#include "windows/common/kozepre.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"
#include "core/data/fajliras.h"
#include "core/data/ora.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLocale>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QPrinter>
#include <QPushButton>
#include <QBuffer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace {

constexpr int GrafikonSzelesseg = 640;
constexpr int GrafikonMagassag = 440;

// A chart view whose legend, when detached, keeps its place at the right
// edge: it then lies over the plot instead of shrinking it.
class GrafikonNezet : public QChartView {
public:
    using QChartView::QChartView;
protected:
    // The zoom glides, but the chart opens, prints and saves as drawn: the
    // animation is switched on only when the mouse first takes hold of it.
    void mousePressEvent(QMouseEvent* e) override
    {
        if (rubberBand() != QChartView::NoRubberBand && chart())
            chart()->setAnimationOptions(QChart::GridAxisAnimations);
        QChartView::mousePressEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QChartView::resizeEvent(e);
        QLegend* l = chart() ? chart()->legend() : nullptr;
        if (!l || l->isAttachedToChart() || !l->isVisible()) return;
        // A detached legend is not measured for us: a line a marker.
        const QFontMetricsF fm(l->font());
        qreal szeles = 0;
        const QList<QLegendMarker*> jelek = l->markers();
        for (QLegendMarker* m : jelek) szeles = std::max(szeles, fm.horizontalAdvance(m->label()));
        const QRectF ter = chart()->rect();
        const qreal w = std::min(szeles + 4 * fm.height() + 20, ter.width() / 3);
        const qreal h = std::min(jelek.size() * (fm.height() * 1.5 + 2) + 2.5 * fm.height(), ter.height() - 20);
        l->setGeometry(QRectF(ter.right() - w - 10, ter.top() + 10, w, h));
        l->update();
    }
};

// The chart on a landscape page, as large as the page allows at its own
// proportions.
class GrafikonNyomtatvany : public Nyomtatvany {
public:
    GrafikonNyomtatvany(QChartView* nezet, QString cim) : m_nezet(nezet), m_cim(std::move(cim)) {}
    QString nyomtatasCim() const override { return m_cim; }
    void lapBeallit(QPrinter& p) const override { p.setPageOrientation(QPageLayout::Landscape); }
    bool rajzol(QPrinter& p, const std::function<bool(int, int)>& halad) override
    {
        QPainter f;
        if (!f.begin(&p)) return false;
        const QRectF lap = p.pageLayout().paintRectPixels(p.resolution()).translated(
            -p.pageLayout().paintRectPixels(p.resolution()).topLeft());
        QSizeF meret = QSizeF(m_nezet->size());
        meret.scale(lap.size(), Qt::KeepAspectRatio);
        const QRectF cel(lap.center() - QPointF(meret.width() / 2, meret.height() / 2), meret);
        f.setRenderHint(QPainter::Antialiasing);
        m_nezet->render(&f, cel, m_nezet->rect());
        f.end();
        if (halad) halad(1, 1);
        return true;
    }
private:
    QChartView* m_nezet;
    QString m_cim;
};

} // namespace

// ---- the common frame -----------------------------------------------------------

GrafikonAblak::GrafikonAblak(QWidget* szulo, const QString& nev, const QString& cim) : QDialog(szulo)
{
    setObjectName(nev);
    setWindowTitle(cim);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    auto* c = new QChart;
    c->legend()->hide();
    c->setBackgroundRoundness(0);
    DBChart1 = new GrafikonNezet(c, this);
    DBChart1->setObjectName("DBChart1");
    DBChart1->setRenderHint(QPainter::Antialiasing);
    DBChart1->setFixedSize(GrafikonSzelesseg, GrafikonMagassag);

    const auto gomb = [this](const QString& felirat, const char* nev) {
        auto* b = new QPushButton(felirat, this);
        b->setObjectName(nev);
        b->setAutoDefault(false);
        return b;
    };
    btnNyomtat = gomb(QStringLiteral("Nyomtat"), "btnNyomtat");
    btnMentes = gomb(QStringLiteral("Mentés"), "btnMentes");
    btnBezar = gomb(QStringLiteral("Bezár"), "btnBezar");
    connect(btnNyomtat, &QPushButton::clicked, this, [this] { btnNyomtatClick(); });
    connect(btnMentes, &QPushButton::clicked, this, [this] { btnMentesClick(); });
    connect(btnBezar, &QPushButton::clicked, this, &QDialog::reject);

    auto* l = new QHBoxLayout(this);
    l->addWidget(DBChart1);
    auto* g = new QVBoxLayout;
    g->addWidget(btnNyomtat);
    g->addWidget(btnMentes);
    g->addStretch();
    g->addWidget(btnBezar);
    l->addLayout(g);
    setTabOrder(DBChart1, btnNyomtat);
    setTabOrder(btnNyomtat, btnMentes);
    setTabOrder(btnMentes, btnBezar);
    // No default button (Enter over the chart prints nothing): Enter on a
    // button with the focus presses it, elsewhere it moves on.
    EnterTovabbAlkalmaz(this);
    l->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    Kozepre(this);
}

QChart* GrafikonAblak::grafikon() const { return DBChart1->chart(); }

QImage GrafikonAblak::kep() const
{
    QImage k(DBChart1->size(), QImage::Format_RGB32);
    k.fill(Qt::white);
    QPainter f(&k);
    f.setRenderHint(QPainter::Antialiasing);
    DBChart1->render(&f, QRectF(k.rect()), DBChart1->rect());
    return k;
}

bool GrafikonAblak::btnNyomtatClick()
{
    GrafikonNyomtatvany n(DBChart1, windowTitle());
    return parbeszed().nyomtatas(this, n);
}

bool GrafikonAblak::btnMentesClick()
{
    QString fajl = parbeszed().mentendoFajl(this, QStringLiteral("Mentés másként"), QString(),
                                            QStringLiteral("Bitmap file-ok (*.bmp)"));
    if (fajl.isEmpty()) return false;
    if (QFileInfo(fajl).suffix().isEmpty()) fajl += QStringLiteral(".bmp");
    // Written aside and moved in place: a failed save leaves the old file whole.
    QByteArray adat;
    QBuffer b(&adat);
    b.open(QIODevice::WriteOnly);
    QString ok = QStringLiteral("A kép nem alakítható bitképpé.");
    if (!kep().save(&b, "BMP") || !Fajliras::Ir(fajl, adat, &ok)) {
        HibaAblak(QStringLiteral("A kép nem menthető ide: %1\n%2").arg(fajl, ok), this);
        return false;
    }
    return true;
}

// ---- income by month -----------------------------------------------------------------

Tfrm_chBevKiad::Tfrm_chBevKiad(QWidget* szulo)
    : GrafikonAblak(szulo, QStringLiteral("Tfrm_chBevKiad"), QStringLiteral("Bevételek alakulása"))
{
    // Dragging a rectangle zooms into it; the axes glide to the new range.
    DBChart1->setRubberBand(QChartView::RectangleRubberBand);
}

void Tfrm_chBevKiad::betolt(const QString& tol, const QString& ig)
{
    m_sorok = Grafikon::Bevetelek(tol, ig);
    QChart* c = grafikon();
    c->removeAllSeries();
    for (QAbstractAxis* t : c->axes()) {
        c->removeAxis(t);
        delete t;
    }
    auto* keszlet = new QBarSet(QString());
    keszlet->setColor(Qt::red);
    keszlet->setBorderColor(Qt::darkRed);
    keszlet->setLabelColor(Qt::black);
    QStringList honapok;
    double legnagyobb = 0, legkisebb = 0;
    for (const auto& s : m_sorok) {
        keszlet->append(s.ertek);
        honapok << s.cimke;
        legnagyobb = std::max(legnagyobb, s.ertek);
        legkisebb = std::min(legkisebb, s.ertek);   // a month of refunds
    }
    auto* sorozat = new QBarSeries;
    sorozat->append(keszlet);
    // The month's total above its bar, in the Hungarian number form.
    sorozat->setLabelsVisible(true);
    sorozat->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    sorozat->setLabelsFormat(QStringLiteral("@value"));
    sorozat->setLabelsPrecision(15);
    c->setLocalizeNumbers(true);
    c->setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    c->addSeries(sorozat);
    auto* x = new QBarCategoryAxis;
    x->append(honapok);
    c->addAxis(x, Qt::AlignBottom);
    sorozat->attachAxis(x);
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.0f"));
    // Room beyond the longest bars for their marks.
    y->setRange(legkisebb * 1.1, legnagyobb > 0 || legkisebb < 0 ? legnagyobb * 1.1 : 1);
    y->applyNiceNumbers();
    // Forints are whole: over a short range (an empty chart's 0 to 1) the
    // even split would fall between them and print one number several times.
    const double lepes = (y->max() - y->min()) / std::max(1, y->tickCount() - 1);
    if (lepes < 1 || lepes != std::floor(lepes)) {
        y->setRange(std::floor(y->min()), std::ceil(y->max()));
        y->setTickType(QValueAxis::TicksDynamic);
        y->setTickAnchor(0);
        y->setTickInterval(std::max(1.0, std::ceil(lepes)));
    }
    c->addAxis(y, Qt::AlignLeft);
    sorozat->attachAxis(y);
}

// ---- rentals by genre --------------------------------------------------------------------

Tfrm_chMegoszlas::Tfrm_chMegoszlas(QWidget* szulo)
    : GrafikonAblak(szulo, QStringLiteral("Tfrm_chMegoszlas"),
                    QStringLiteral("Kölcsönzések megoszlása műfajok szerint"))
{
    QChart* c = grafikon();
    c->setBackgroundPen(Qt::NoPen);
    c->setBackgroundRoundness(0);
    // The legend lies over the right edge instead of narrowing the pie.
    c->legend()->setAlignment(Qt::AlignRight);   // one genre a line
    c->legend()->detachFromChart();
    c->legend()->setBackgroundVisible(true);
    c->legend()->setBrush(QBrush(Qt::white));
    c->legend()->setPen(QPen(Qt::gray));
    c->legend()->show();
    DBChart1->setRubberBand(QChartView::NoRubberBand);
    DBChart1->setInteractive(false);
}

void Tfrm_chMegoszlas::betolt(const QDate& tol, const QDate& ig)
{
    m_sorok = Grafikon::Megoszlas(tol, ig);
    QChart* c = grafikon();
    c->removeAllSeries();
    auto* sorozat = new QPieSeries;
    for (const auto& s : m_sorok) {
        QPieSlice* szelet = sorozat->append(s.cimke, s.ertek);
        szelet->setLabelVisible(true);
        szelet->setLabelPosition(QPieSlice::LabelOutside);
    }
    // Room around the pie for the marks beside it.
    sorozat->setPieSize(0.6);
    sorozat->setHorizontalPosition(0.42);
    c->addSeries(sorozat);
    // The legend gives each genre's count before its name.
    const QList<QLegendMarker*> jelek = c->legend()->markers(sorozat);
    for (int i = 0; i < jelek.size() && i < m_sorok.size(); ++i)
        jelek[i]->setLabel(QStringLiteral("%1  %2").arg(QLocale().toString(m_sorok[i].ertek, 'f', 0), m_sorok[i].cimke));
    c->legend()->setBackgroundVisible(!m_sorok.isEmpty());   // no empty box over an empty pie
    // Place the detached legend for its new size.
    QResizeEvent e(DBChart1->size(), DBChart1->size());
    QCoreApplication::sendEvent(DBChart1, &e);
}

// ---- opening -------------------------------------------------------------------------------

void BevetelGrafikon(QWidget* szulo, const QString& tol, const QString& ig)
{
    Tfrm_chBevKiad a(szulo);
    a.betolt(tol, ig);
    a.exec();
}

void MegoszlasGrafikon(QWidget* szulo, const QDate& tol, const QDate& ig)
{
    Tfrm_chMegoszlas a(szulo);
    a.betolt(tol, ig);
    a.exec();
}

void ChBevKiadMegnyit(QWidget* szulo)
{
    QString tol, ig;
    if (HonapMegad(szulo, tol, ig)) BevetelGrafikon(szulo, tol, ig);
}

void ChMegoszlasMegnyit(QWidget* szulo)
{
    auto [tol, ig] = Cassa::IdoszakJavaslat(Ma());
    if (IdoszakMegad(szulo, tol, ig)) MegoszlasGrafikon(szulo, tol, ig);
}
