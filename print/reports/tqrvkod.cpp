#include "print/reports/tqrvkod.h"
#include "core/common/gyorskereses.h"
#include "core/data/konverzio.h"
#include "print/reports/ean.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

// The card's thirteen digits for the customer code of a row; empty for a
// code a card cannot carry.
QString kartyaSzam(const QVariant& azon)
{
    bool jo = false;
    const qint64 kod = azon.toLongLong(&jo);
    return jo && !azon.isNull() ? GyorsKereses::UgyfelKartyaSzam(kod) : QString();
}

// The name on one line across the label: a long name is set smaller, down
// to a size still legible, and only then cut short.
void nevRajzol(QPainter& p, const QRectF& hely, const QString& nev)
{
    if (nev.isEmpty()) return;
    QFont f = Jelentes::Betu(QStringLiteral("Tahoma"), 7).font();
    for (double pont = 7; pont >= 5; pont -= 0.5) {
        f.setPointSizeF(pont);
        if (QFontMetricsF(f, p.device()).horizontalAdvance(nev) <= hely.width()) break;
    }
    const QString szoveg = QFontMetricsF(f, p.device()).elidedText(nev, Qt::ElideRight, hely.width());
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(hely, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, szoveg);
}

} // namespace

TqrVKod::TqrVKod(bool szammal, VKod::Fajta fajta)
    : Jelentes(fajta == VKod::Fajta::Ugyfel ? QStringLiteral("Ügyfélkártyák") : QStringLiteral("Vonalkód nyomtatás"),
               QStringLiteral("qrVKod")),
      m_szammal(szammal), m_fajta(fajta)
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    Sav& r = reszlet;
    r.oszlopok = Oszlopok;
    r.oszlopSzelesseg = CimkeSzeles;
    r.lefele = true;
    r.magassag = szammal ? CimkeMagasSzammal : CimkeMagasSzamNelkul;
    // Silver, dotted: a guide for the scissors that a scanner ignores.
    r.keret({0, 0, CimkeSzeles, r.magassag}, 0.2, QColor(0xC0, 0xC0, 0xC0)).tollStilus = Qt::DotLine;
    if (fajta == VKod::Fajta::Tetel) {
        r.rajz({VonalkodBal, VonalkodFelul, VonalkodSzeles, VonalkodMagas},
               [](QPainter& p, const QRectF& hely, double, const Sor& sor) {
                   // A code the symbol cannot carry (more than seven digits)
                   // leaves the place of the bars empty; its number still prints.
                   Ean8::Rajzol(p, hely, VarSzoveg(sor.ertek(QStringLiteral("azon"))), Qt::black);
               });
        if (szammal)
            r.mezo({0, SzamFelul, CimkeSzeles, r.magassag - SzamFelul}, QStringLiteral("azon"), Betu("Tahoma", 8), Kozep);
        return;
    }
    r.rajz({KartyaVonalkodBal, KartyaVonalkodFelul, KartyaVonalkodSzeles, KartyaVonalkodMagas},
           [](QPainter& p, const QRectF& hely, double, const Sor& sor) {
               Ean13::Rajzol(p, hely, kartyaSzam(sor.ertek(QStringLiteral("azon"))), Qt::black);
           });
    // Thirteen digits in the item labels' size would fill the label's width.
    if (szammal)
        r.mezo({0, KartyaSzamFelul, CimkeSzeles, KartyaNevFelulSzammal - KartyaSzamFelul}, QStringLiteral("azon"),
               Betu("Tahoma", 7), Kozep, kartyaSzam);
    r.rajz({1, szammal ? KartyaNevFelulSzammal : KartyaNevFelulSzamNelkul, CimkeSzeles - 2, KartyaNevMagas},
           [](QPainter& p, const QRectF& hely, double, const Sor& sor) {
               nevRajzol(p, hely, VarSzoveg(sor.ertek(QStringLiteral("ugyfel_nev"))).trimmed());
           });
}

int TqrVKod::lapankent() const
{
    return Oszlopok * int(std::floor(magassag() / reszlet.magassag + 1e-9));
}

void TqrVKod::megnyit()
{
    adatSql(QString::fromLatin1(m_fajta == VKod::Fajta::Ugyfel ? VKod::KartyaLekerdezes : VKod::Lekerdezes));
}

void VKodNyomtat(bool szammal, const Kimenet& kimenet, QWidget* szulo, VKod::Fajta fajta)
{
    TqrVKod qr(szammal, fajta);
    qr.megnyit();
    qr.kiad(kimenet, szulo);
}
