#include "windows/common/keplista.h"
#include "windows/common/muvelet.h"

#include <QApplication>
#include <functional>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStandardPaths>

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

// Stands in for the icon of "Kölcsönöz" where the icon theme is missing.
QPixmap nyil(const QColor& c)
{
    return rajzol([&](QPainter& g) {
        QPainterPath p;
        p.moveTo(2, 6); p.lineTo(8, 6); p.lineTo(8, 2); p.lineTo(14, 8); p.lineTo(8, 14); p.lineTo(8, 10);
        p.lineTo(2, 10);
        p.closeSubpath();
        g.setPen(QPen(c.darker(140), 1));
        g.setBrush(c);
        g.drawPath(p);
    });
}

// The icons come from a free icon theme installed with the program
// (breeze-icon-theme, drawn for 16 pixels); the look does not change with
// the desktop's theme. Looked up where the system keeps icon themes.
const char* const Tema = "breeze";

void temaBeallit()
{
    static bool kesz = false;
    if (kesz) return;
    kesz = true;
    QStringList utak = QIcon::themeSearchPaths();
    for (const QString& d : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                                      QStandardPaths::LocateDirectory))
        if (!utak.contains(d)) utak << d;
    if (!utak.contains(QStringLiteral("/usr/share/icons"))) utak << QStringLiteral("/usr/share/icons");
    QIcon::setThemeSearchPaths(utak);
    QIcon::setThemeName(QString::fromLatin1(Tema));
}

} // namespace

const QPixmap& feketeKereszt() { static const QPixmap p = kereszt(Qt::black, 2); return p; }
const QPixmap& szurkeNyil()
{
    static const QPixmap p = [] {
        const QPixmap k = ikon(Parancs::Kolcsonoz).pixmap(16, 16);
        return k.isNull() ? nyil(QColor(128, 128, 128)) : k;
    }();
    return p;
}
const QPixmap& zoldPipa()
{
    static const QPixmap p = rajzol([](QPainter& g) {
        g.setPen(QPen(QColor(0, 150, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        g.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 4)}));
    });
    return p;
}
const QPixmap& pirosKereszt() { static const QPixmap p = kereszt(QColor(220, 0, 0), 2.5); return p; }

QIcon ikon(Parancs p)
{
    static QIcon tar[ParancsSzam];
    static bool megvan[ParancsSzam] = {};
    const std::size_t i = std::size_t(p);
    if (!megvan[i]) {
        temaBeallit();
        tar[i] = QIcon::fromTheme(QString::fromLatin1(ParancsAdat(p).ikon));
        megvan[i] = true;
    }
    return tar[i];
}

QIcon ikon(const QString& m)
{
    const ParancsSor* s = ParancsNevrol(m);
    return s ? ikon(s->parancs) : QIcon();
}

} // namespace KepLista
