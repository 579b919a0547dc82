#include "print/reports/ean.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <zint.h>

namespace {

struct ZintTorol {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using Szimbolum = std::unique_ptr<zint_symbol, ZintTorol>;

bool csupaSzamjegy(const QString& s)
{
    for (const QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return !s.isEmpty();
}

// The bars of `adat` in zint's `jelkeszlet`, or null when zint refuses it.
Szimbolum kodol(int jelkeszlet, const QString& adat)
{
    Szimbolum s(ZBarcode_Create());
    if (!s) return {};
    s->symbology = jelkeszlet;
    s->show_hrt = 0;              // the label prints the digits itself, in its own font
    s->guard_descent = 0;         // every bar as high as the others
    s->whitespace_width = 0;
    s->output_options = BARCODE_NO_QUIET_ZONES;   // the label's margin is the quiet zone
    const QByteArray jegyek = adat.toLatin1();
    if (ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(jegyek.constData()), int(jegyek.size()))
        >= ZINT_ERROR)
        return {};
    return s;
}

// An item code's symbol. Always seven digits to zint: its EAN symbology
// reads five digits or fewer as an add-on and eight or more as EAN-13,
// never as EAN-8.
Szimbolum ean8(const QString& kod)
{
    if (!csupaSzamjegy(kod) || kod.size() > 7) return {};
    return kodol(BARCODE_EANX, kod.rightJustified(7, QLatin1Char('0')));
}

// Thirteen digits given with their check digit, which zint verifies.
Szimbolum ean13(const QString& jegyek)
{
    if (!csupaSzamjegy(jegyek) || jegyek.size() != 13) return {};
    return kodol(BARCODE_EANX_CHK, jegyek);
}

QString tartalom(const Szimbolum& s, int hossz)
{
    if (!s) return {};
    return QString::fromLatin1(reinterpret_cast<const char*>(s->text)).left(hossz);
}

bool rajzol(QPainter& p, const QRectF& hely, const Szimbolum& s, const QColor& szin)
{
    if (!s || ZBarcode_Buffer_Vector(s.get(), 0) >= ZINT_ERROR || !s->vector) return false;
    // The bars' own extent, in zint's units: whatever margin zint keeps is left out.
    double x0 = 1e30, x1 = -1e30, y0 = 1e30, y1 = -1e30;
    for (const zint_vector_rect* r = s->vector->rectangles; r; r = r->next) {
        if (r->colour != -1) continue;
        x0 = std::min<double>(x0, r->x);
        x1 = std::max<double>(x1, r->x + r->width);
        y0 = std::min<double>(y0, r->y);
        y1 = std::max<double>(y1, r->y + r->height);
    }
    if (x1 <= x0 || y1 <= y0) return false;
    const double sx = hely.width() / (x1 - x0), sy = hely.height() / (y1 - y0);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(szin);
    for (const zint_vector_rect* r = s->vector->rectangles; r; r = r->next) {
        if (r->colour != -1) continue;
        p.drawRect(QRectF(hely.left() + (r->x - x0) * sx, hely.top() + (r->y - y0) * sy, r->width * sx,
                          r->height * sy));
    }
    p.restore();
    return true;
}

} // namespace

namespace Ean8 {

QString Tartalom(const QString& kod) { return tartalom(ean8(kod), 8); }

bool Rajzol(QPainter& p, const QRectF& hely, const QString& kod, const QColor& szin)
{
    return rajzol(p, hely, ean8(kod), szin);
}

} // namespace Ean8

namespace Ean13 {

QString Tartalom(const QString& jegyek) { return tartalom(ean13(jegyek), 13); }

bool Rajzol(QPainter& p, const QRectF& hely, const QString& jegyek, const QColor& szin)
{
    return rajzol(p, hely, ean13(jegyek), szin);
}

} // namespace Ean13
