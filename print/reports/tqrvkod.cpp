#include "print/reports/tqrvkod.h"
#include "core/data/konverzio.h"
#include "print/reports/ean8.h"
#include "core/reports/vkod.h"

#include <QPainter>
#include <cmath>

TqrVKod::TqrVKod(bool szammal)
    : Jelentes(QStringLiteral("Vonalkód nyomtatás"), QStringLiteral("qrVKod")), m_szammal(szammal)
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    Sav& r = reszlet;
    r.oszlopok = Oszlopok;
    r.oszlopSzelesseg = CimkeSzeles;
    r.lefele = true;
    r.magassag = szammal ? CimkeMagasSzammal : CimkeMagasSzamNelkul;
    // Silver, dotted: a guide for the scissors that a scanner ignores.
    r.keret({0, 0, CimkeSzeles, r.magassag}, 0.2, QColor(0xC0, 0xC0, 0xC0)).tollStilus = Qt::DotLine;
    r.rajz({VonalkodBal, VonalkodFelul, VonalkodSzeles, VonalkodMagas},
           [](QPainter& p, const QRectF& hely, double, const Sor& sor) {
               // A code the symbol cannot carry (more than seven digits)
               // leaves the place of the bars empty; its number still prints.
               Ean8::Rajzol(p, hely, VarSzoveg(sor.ertek(QStringLiteral("azon"))), Qt::black);
           });
    if (szammal)
        r.mezo({0, SzamFelul, CimkeSzeles, r.magassag - SzamFelul}, QStringLiteral("azon"), Betu("Tahoma", 8), Kozep);
}

int TqrVKod::lapankent() const
{
    return Oszlopok * int(std::floor(magassag() / reszlet.magassag + 1e-9));
}

void TqrVKod::megnyit()
{
    adatSql(QString::fromLatin1(VKod::Lekerdezes));
}

void VKodNyomtat(bool szammal, const Kimenet& kimenet, QWidget* szulo)
{
    TqrVKod qr(szammal);
    qr.megnyit();
    qr.kiad(kimenet, szulo);
}
