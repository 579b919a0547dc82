#include "common/keplista.h"

#include <QApplication>
#include <functional>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace KepLista {

namespace {

QPixmap rajzol(const std::function<void(QPainter&)>& f)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    f(g);
    return p;
}

QPixmap kereszt(const QColor& c, qreal vastag)
{
    return rajzol([&](QPainter& g) {
        g.setPen(QPen(c, vastag, Qt::SolidLine, Qt::RoundCap));
        g.drawLine(QPointF(4, 4), QPointF(12, 12));
        g.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
}

QPixmap nyil(const QColor& c, bool jobbra)
{
    return rajzol([&](QPainter& g) {
        QPainterPath p;
        if (jobbra) {
            p.moveTo(2, 6); p.lineTo(8, 6); p.lineTo(8, 2); p.lineTo(14, 8); p.lineTo(8, 14); p.lineTo(8, 10);
            p.lineTo(2, 10);
        } else {
            p.moveTo(14, 6); p.lineTo(8, 6); p.lineTo(8, 2); p.lineTo(2, 8); p.lineTo(8, 14); p.lineTo(8, 10);
            p.lineTo(14, 10);
        }
        p.closeSubpath();
        g.setPen(QPen(c.darker(140), 1));
        g.setBrush(c);
        g.drawPath(p);
    });
}

QPixmap betu(const QString& s, const QColor& c)
{
    return rajzol([&](QPainter& g) {
        QFont f = g.font();
        f.setBold(true);
        f.setPixelSize(s.size() > 1 ? 9 : 13);
        g.setFont(f);
        g.setPen(c);
        g.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, s);
    });
}

QIcon stilus(QStyle::StandardPixmap sp)
{
    return QApplication::style() ? QApplication::style()->standardIcon(sp) : QIcon();
}

} // namespace

const QPixmap& feketeKereszt() { static const QPixmap p = kereszt(Qt::black, 2); return p; }
const QPixmap& szurkeNyil() { static const QPixmap p = nyil(QColor(128, 128, 128), true); return p; }
const QPixmap& zoldPipa()
{
    static const QPixmap p = rajzol([](QPainter& g) {
        g.setPen(QPen(QColor(0, 150, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
    });
    return p;
}
const QPixmap& pirosKereszt() { static const QPixmap p = kereszt(QColor(220, 0, 0), 2.5); return p; }

QIcon ikon(const QString& m)
{
    static QHash<QString, QIcon> tar;
    if (auto it = tar.constFind(m); it != tar.constEnd()) return *it;
    QIcon i;
    if (m == "aKolcsonoz") i = QIcon(szurkeNyil());
    else if (m == "aVisszavesz") i = QIcon(nyil(QColor(0, 120, 200), false));
    else if (m == "aUj" || m == "aUjMasol") i = stilus(QStyle::SP_FileIcon);
    else if (m == "aSzerkeszt") i = stilus(QStyle::SP_FileDialogDetailedView);
    else if (m == "aTorol") i = stilus(QStyle::SP_TrashIcon);
    else if (m == "aKeres" || m == "aKeresReszletes") i = stilus(QStyle::SP_FileDialogContentsView);
    else if (m == "aSzur") i = stilus(QStyle::SP_FileDialogListView);
    else if (m == "aNyomtat") i = betu("P", QColor(60, 60, 60));
    else if (m == "aBezar") i = stilus(QStyle::SP_DialogCloseButton);
    else if (m == "aUgyfelek") i = stilus(QStyle::SP_DirHomeIcon);
    else if (m == "aBetumeretNovel") i = betu("A+", QColor(0, 0, 128));
    else if (m == "aBetumeretCsokkent") i = betu("A-", QColor(0, 0, 128));
    else if (m == "aBeallit") i = stilus(QStyle::SP_FileDialogInfoView);
    else if (m == "aArchival") i = stilus(QStyle::SP_DriveHDIcon);
    else if (m == "aSugo") i = stilus(QStyle::SP_DialogHelpButton);
    else if (m == "aFontos") i = stilus(QStyle::SP_MessageBoxInformation);
    else if (m == "aUjdonsag") i = stilus(QStyle::SP_BrowserReload);
    else if (m == "aTortenet") i = stilus(QStyle::SP_FileDialogBack);
    else if (m == "aKassza") i = betu("Ft", QColor(0, 110, 0));
    else if (m == "aElfogad") i = stilus(QStyle::SP_DialogApplyButton);
    else if (m == "aTagdij") i = betu("T", QColor(0, 110, 0));
    else if (m == "aNyomtatKep") i = stilus(QStyle::SP_FileDialogContentsView);
    else if (m == "aExcelbe") i = betu("xls", QColor(0, 100, 0));
    else if (m == "aKeresKod") i = betu("123", QColor(0, 0, 128));
    else if (m == "aKeresNev") i = betu("abc", QColor(0, 0, 128));
    else if (m == "aPotdij") i = betu("+Ft", QColor(160, 0, 0));
    else if (m == "aMegsem") i = stilus(QStyle::SP_DialogCancelButton);
    tar.insert(m, i);
    return i;
}

} // namespace KepLista
