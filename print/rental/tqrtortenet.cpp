#include "print/rental/tqrtortenet.h"

namespace {

const char* const TulajdonosSql = "SELECT tulajdonos, varos, cim, telefon FROM tulajdonos ORDER BY rowid LIMIT 1";

// A pair of thin lines across a block: the frame above and below it.
void vonalPar(Jelentes::Sav& s, double x1, double x2, double y)
{
    s.vonal({x1, y, x2, y}, 0.15);
    s.vonal({x1, y + 0.7, x2, y + 0.7}, 0.15);
}

} // namespace

TqrTortenet::TqrTortenet(TortenetMod mod)
    : Jelentes(QStringLiteral("Kiadott tételek"), QStringLiteral("qrTortenet")), m_mod(mod)
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = szelesseg();   // 190 mm
    const bool ugyfelre = mod == TortenetMod::Ugyfel;
    const Betu dolt("Arial", 9, Dolt), sima("Arial", 9), kover("Arial", 11, Felkover);

    // Page header: the title and whose history it is at the left, the owner
    // at the right, each block between two line pairs; the column headings.
    Sav& f = lapFej;
    f.magassag = 34;
    const double balVege = 95, jobbEleje = 105;
    vonalPar(f, 0, balVege, 0);
    vonalPar(f, jobbEleje, w, 0);
    f.szoveg({0, 2, balVege, 9}, QStringLiteral("Történet"), Betu("Arial", 18, Felkover));
    f.szoveg({0, 12, balVege, 4.5}, ugyfelre ? QStringLiteral("ügyfél") : QStringLiteral("Tétel:"), dolt);
    f.mezo({0, 16.8, balVege, 5.5}, Tortenet::FejMezo(mod), kover);
    f.forrasMezo({jobbEleje, 2, w - jobbEleje, 5.5}, QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"), kover, Jobb);
    f.forrasMezo({jobbEleje, 8, w - jobbEleje, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("varos"), sima, Jobb);
    f.forrasMezo({jobbEleje, 12.5, w - jobbEleje, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("cim"), sima, Jobb);
    f.forrasMezo({jobbEleje, 17, w - jobbEleje, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("telefon"), sima, Jobb);
    vonalPar(f, 0, balVege, 23.5);
    vonalPar(f, jobbEleje, w, 23.5);
    f.szoveg({0, 27.5, 30, 4.5}, QStringLiteral("dátum"), dolt);
    f.szoveg({35, 27.5, w - 35, 4.5}, ugyfelre ? QStringLiteral("tétel") : QStringLiteral("ügyfél"), dolt);
    f.vonal({0, 33, w, 33}, 0.3);

    // One line per lending.
    Sav& r = reszlet;
    r.magassag = 5.5;
    r.mezo({0, 0.8, 30, 4.5}, QStringLiteral("datum"), sima, Bal, DatumFormatum);
    r.mezo({35, 0.8, w - 35, 4.5}, Tortenet::SorMezo(mod), sima);
    r.vonal({0, 5.3, w, 5.3}, 0.1, QColor(160, 160, 160));

    Sav& l = lapLab;
    l.magassag = 13;
    l.vonal({0, 0, w, 0}, 0.3);
    kozosLablec(l, 1.5, Betu("Courier New", 7), 3.5);
}

void TqrTortenet::megnyit(qint64 kulcs)
{
    adatSql(Tortenet::Lekerdezes(m_mod, kulcs));
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
}

void TortenetNyomtat(TortenetMod mod, qint64 kulcs, const Kimenet& kimenet, QWidget* szulo)
{
    TqrTortenet qr(mod);
    qr.megnyit(kulcs);
    qr.kiad(kimenet, szulo);
}
