#include "windows/app/videoracs.h"
#include "windows/common/keplista.h"
#include "core/common/listamodell.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/rental/kolcsonzes.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace {

// Grid columns: field, title, width factor (0: fixed 18 pixels).
struct RacsOszlop {
    const char* mezo;
    const char* cim;
    double arany;
};
const RacsOszlop RacsOszlopok[] = {
    {"kint", "!", 0},           {"azon", "kód", 0.05},          {"video_nev", "cím", 0.23},
    {"tipus_nev", "típus", 0.10}, {"arkat_nev", "árkat.", 0.10}, {"dat_kiadva", "kiadva", 0.10},
    {"ido_kiadva", "idő.k", 0.08}, {"dat_visszakell", "vissza kell", 0.10}, {"ido_visszakell", "idő.vk", 0.08},
    {"ugyfel_nev", "ügyfél", 0.11}, {"kolcsonozve", "kölcs.", 0.05}};

} // namespace

QList<Oszlop> VideoRacs::oszlopok()
{
    QList<Oszlop> o;
    for (const RacsOszlop& r : RacsOszlopok) {
        Oszlop x;
        x.mezo = QString::fromLatin1(r.mezo);
        x.cim = QString::fromUtf8(r.cim);
        if (x.mezo == "kint") {
            x.mezo.clear();   // icon only
            x.igazitas = Qt::AlignCenter;
        } else if (x.mezo == "azon" || x.mezo == "kolcsonozve") {
            x.igazitas = Qt::AlignRight | Qt::AlignVCenter;
        }
        o << x;
    }
    return o;
}

void VideoRacs::oszlopSzelesseg(int szelesseg)
{
    setColumnWidth(0, 18);
    const int alap = szelesseg - 67;
    for (int i = 1; i < int(std::size(RacsOszlopok)); ++i)
        setColumnWidth(i, int(std::nearbyint(alap * RacsOszlopok[i].arany)));   // halves to even
}

void VideoRacs::paintEvent(QPaintEvent* e)
{
    if (rajzolo) rajzolo->pillanatRogzit(Most());
    QTableView::paintEvent(e);
    if (rajzolo) rajzolo->pillanatRogzit({});
}

VideoRacsRajzolo::VideoRacsRajzolo(const KulcsosLista* lista, int kintOszlop, QObject* szulo)
    : QStyledItemDelegate(szulo), m_lista(lista), m_kintOszlop(kintOszlop)
{
}

bool VideoRacsRajzolo::kintJel(int sor) const
{
    return VarSzoveg(m_lista->ertek(sor, "kint")) != QLatin1String("N");
}

QColor VideoRacsRajzolo::szovegSzin(int sor, bool kijelolt) const
{
    // Only an item out can be overdue; the clock (a time-zone look-up) is
    // read for those alone.
    const QString kint = VarSzoveg(m_lista->ertek(sor, "kint"));
    if (kint != QLatin1String("I")) return {};
    const bool lejart = Lejart(kint, m_lista->ertek(sor, "dat_visszakell").toDate(),
                               m_lista->ertek(sor, "ido_visszakell").toTime(),
                               m_pillanat.isValid() ? m_pillanat : Most());
    if (!lejart) return {};
    return kijelolt ? QColor(0xFF, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00);
}

void VideoRacsRajzolo::initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const
{
    QStyledItemDelegate::initStyleOption(o, i);
    const QColor normal = szovegSzin(i.row(), false);
    if (normal.isValid()) {
        o->palette.setColor(QPalette::Text, normal);
        o->palette.setColor(QPalette::HighlightedText, szovegSzin(i.row(), true));
    }
}

void VideoRacsRajzolo::paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const
{
    if (i.column() != m_kintOszlop) {
        // The style draws the cell (background, selection, focus frame)
        // without its text, and the text is laid out once here: the style
        // would lay it out three times (size, elision, drawing), and that was
        // most of what a repaint of the grid cost.
        QStyleOptionViewItem opt = o;
        initStyleOption(&opt, i);
        const QString szoveg = opt.text;
        opt.text.clear();
        const QWidget* w = opt.widget;
        const QStyle* st = w ? w->style() : QApplication::style();
        st->drawControl(QStyle::CE_ItemViewItem, &opt, p, w);
        if (!szoveg.isEmpty()) szovegRajzol(p, opt, szoveg);
        return;
    }
    p->fillRect(o.rect, o.palette.brush(QPalette::Base));
    const QPixmap& jel = kintJel(i.row()) ? KepLista::szurkeNyil() : KepLista::feketeKereszt();
    p->drawPixmap(o.rect.left() + 1, o.rect.top(), jel);
}

// One line of cell text as the style draws it: inside the focus frame's
// margin, in the cell's alignment, elided when it does not fit.
void VideoRacsRajzolo::szovegRajzol(QPainter* p, const QStyleOptionViewItem& o, const QString& szoveg) const
{
    const QWidget* w = o.widget;
    const QStyle* st = w ? w->style() : QApplication::style();
    const int margo = st->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
    const QRect r = o.rect.adjusted(margo, 0, -margo, 0);
    QTextOption beall;
    beall.setWrapMode(QTextOption::ManualWrap);
    beall.setTextDirection(o.direction);
    beall.setAlignment(QStyle::visualAlignment(o.direction, o.displayAlignment));
    QTextLayout sor(szoveg, o.font);
    sor.setTextOption(beall);
    auto tordel = [&] {
        sor.beginLayout();
        QTextLine l = sor.createLine();
        l.setLineWidth(r.width());
        sor.endLayout();
        return l;
    };
    QTextLine l = tordel();
    if (l.naturalTextWidth() > r.width()) {
        sor.setText(o.fontMetrics.elidedText(szoveg, o.textElideMode, r.width()));
        l = tordel();
    }
    QPalette::ColorGroup cg = (o.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (cg == QPalette::Normal && !(o.state & QStyle::State_Active)) cg = QPalette::Inactive;
    qreal y = r.top();
    if (o.displayAlignment & Qt::AlignVCenter) y += (r.height() - l.height()) / 2;
    else if (o.displayAlignment & Qt::AlignBottom) y += r.height() - l.height();
    p->save();
    p->setPen(o.palette.color(cg, (o.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
    sor.draw(p, QPointF(r.left(), y));
    p->restore();
}
