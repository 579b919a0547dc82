#include "print/cash/tqrcassa.h"
#include "core/cash/cassa.h"

namespace {

const char* const TulajdonosSql = "SELECT tulajdonos, varos, cim, telefon FROM tulajdonos ORDER BY rowid LIMIT 1";

} // namespace

TqrCassa::TqrCassa() : Jelentes(QStringLiteral("Napi cassa"), QStringLiteral("qrCassa"))
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = szelesseg();   // 190 mm
    const QString betu = QStringLiteral("Tahoma");
    const Betu cim(betu, 16, Felkover), tulaj(betu, 10, Felkover), sima10(betu, 10), fejlec(betu, 8, Dolt),
        sor(betu, 8), kover(betu, 8, Felkover);
    const QColor szurke(192, 192, 192);

    // The columns: day, type, amount, balance, customer.
    struct { double x, w; } const dat{0, 22}, nev{24, 52}, ossz{78, 28}, zar{108, 30}, ugy{142, w - 142};

    // Page header: the title at the left and the shop at the right, each
    // between two rules, a thick grey line, the column captions.
    Sav& f = lapFej;
    f.magassag = 30;
    const double bal = 80, jobb = w - 95;
    f.vonal({0, 0, bal, 0}, 0.3);
    f.vonal({0, 21, bal, 21}, 0.3);
    f.szoveg({0, 6, bal, 9}, QStringLiteral("Cassa"), cim);
    f.vonal({jobb, 0, w, 0}, 0.3);
    f.vonal({jobb, 21, w, 21}, 0.3);
    f.forrasMezo({jobb, 1, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"), tulaj, Jobb);
    f.forrasMezo({jobb, 6, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("varos"), sima10, Jobb);
    f.forrasMezo({jobb, 11, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("cim"), sima10, Jobb);
    f.forrasMezo({jobb, 16, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("telefon"), sima10, Jobb);
    f.vonal({0, 23.5, w, 23.5}, 1.0, szurke);
    f.szoveg({dat.x, 25, dat.w, 4}, QStringLiteral("dátum"), fejlec);
    f.szoveg({nev.x, 25, nev.w, 4}, QStringLiteral("megnevezés"), fejlec);
    f.szoveg({ossz.x, 25, ossz.w, 4}, QStringLiteral("összeg"), fejlec, Jobb);
    f.szoveg({zar.x, 25, zar.w, 4}, QStringLiteral("záró"), fejlec, Jobb);
    f.szoveg({ugy.x, 25, ugy.w, 4}, QStringLiteral("ügyfél"), fejlec);

    // One line per entry, a rule under each.
    Sav& r = reszlet;
    r.magassag = 5;
    r.mezo({dat.x, 0.5, dat.w, 4}, QStringLiteral("datum"), sor, Bal, DatumFormatum);
    r.mezo({nev.x, 0.5, nev.w, 4}, QStringLiteral("cassatip_nev"), sor);
    r.mezo({ossz.x, 0.5, ossz.w, 4}, QStringLiteral("osszeg"), sor, Jobb, PenzFormatum);
    r.mezo({zar.x, 0.5, zar.w, 4}, QStringLiteral("zaro"), kover, Jobb, PenzFormatum);
    r.mezo({ugy.x, 0.5, ugy.w, 4}, QStringLiteral("ugyfel_nev"), sor);
    r.vonal({0, 4.8, w, 4.8}, 0.1, szurke);

    // Page footer: product and page at the left, the maker's home page in
    // the middle, the moment of printing, title and name at the right.
    Sav& l = lapLab;
    l.magassag = 13;
    const double s = 3.8;
    l.vonal({0, 0.5, w, 0.5}, 0.3);
    l.szoveg({0, 1.5, w / 3, s}, QStringLiteral("Kazettora"), sor);
    l.rendszer({0, 1.5 + s, w / 3, s}, Oldal, sor, Bal, QStringLiteral("oldal: "));
    l.szoveg({w / 3, 1.5 + s, w / 3, s}, QString::fromLatin1(Honlap), sor, Kozep);
    l.rendszer({w * 2 / 3, 1.5, w / 3, s}, DatumIdo, sor, Jobb);
    l.rendszer({w * 2 / 3, 1.5 + s, w / 3, s}, Cim, sor, Jobb);
    l.rendszer({w * 2 / 3, 1.5 + 2 * s, w / 3, s}, Nev, sor, Jobb);
}

void TqrCassa::megnyit(bool szurve, const QDate& nap)
{
    adatSql(Cassa::ListaSql(szurve), szurve ? Cassa::NapParam(nap) : QVariantList());
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
}

void CassaNyomtat(bool szurve, const QDate& nap, const Kimenet& kimenet, QWidget* szulo)
{
    TqrCassa qr;
    qr.megnyit(szurve, nap);
    qr.kiad(kimenet, szulo);
}
