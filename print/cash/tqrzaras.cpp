#include "print/cash/tqrzaras.h"
#include "core/data/konverzio.h"

namespace {

const char* const TulajdonosSql = "SELECT tulajdonos, varos, cim, telefon FROM tulajdonos ORDER BY rowid LIMIT 1";

} // namespace

TqrZaras::TqrZaras() : Jelentes(QStringLiteral("Napi zárás (Z jelentés)"), QStringLiteral("qrZaras"))
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = szelesseg();   // 190 mm
    const QString betu = QStringLiteral("Tahoma");
    const Betu cim(betu, 16, Felkover), alcim(betu, 10), tulaj(betu, 10, Felkover), sima10(betu, 10),
        fejlec(betu, 8, Dolt), sor(betu, 9), kover(betu, 9, Felkover), nagy(betu, 10, Felkover);
    const QColor szurke(192, 192, 192);

    // The columns: type code, type name, number of entries, total.
    struct { double x, w; } const jel{0, 12}, nev{14, 96}, db{110, 25}, ossz{140, w - 140};

    // Page header: the title at the left and the shop at the right, each
    // between two rules; the close's day, moment and user; a thick grey
    // line; the column captions.
    Sav& f = lapFej;
    f.magassag = 37;
    const double bal = 80, jobb = w - 95;
    f.vonal({0, 0, bal, 0}, 0.3);
    f.vonal({0, 21, bal, 21}, 0.3);
    f.szoveg({0, 3, bal, 9}, QStringLiteral("Napi zárás"), cim);
    f.szoveg({0, 12, bal, 6}, QStringLiteral("(Z jelentés)"), alcim);
    f.vonal({jobb, 0, w, 0}, 0.3);
    f.vonal({jobb, 21, w, 21}, 0.3);
    f.forrasMezo({jobb, 1, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"), tulaj, Jobb);
    f.forrasMezo({jobb, 6, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("varos"), sima10, Jobb);
    f.forrasMezo({jobb, 11, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("cim"), sima10, Jobb);
    f.forrasMezo({jobb, 16, w - jobb, 5}, QStringLiteral("tulajdonos"), QStringLiteral("telefon"), sima10, Jobb);
    f.szoveg({0, 23.5, 12, 5}, QStringLiteral("nap:"), fejlec);
    f.forrasMezo({12, 23, 40, 5}, QStringLiteral("zaras"), QStringLiteral("nap"), nagy);
    f.szoveg({60, 23.5, 18, 5}, QStringLiteral("zárva:"), fejlec);
    f.forrasMezo({74, 23, 30, 5}, QStringLiteral("zaras"), QStringLiteral("ido"), nagy);
    f.szoveg({110, 23.5, 25, 5}, QStringLiteral("felhasználó:"), fejlec);
    f.forrasMezo({130, 23, w - 130, 5}, QStringLiteral("zaras"), QStringLiteral("felhasznalo"), nagy);
    f.vonal({0, 30, w, 30}, 1.0, szurke);
    f.szoveg({jel.x, 32, jel.w, 4}, QStringLiteral("jel"), fejlec);
    f.szoveg({nev.x, 32, nev.w, 4}, QStringLiteral("pénztári tétel típusa"), fejlec);
    f.szoveg({db.x, 32, db.w, 4}, QStringLiteral("tételek"), fejlec, Jobb);
    f.szoveg({ossz.x, 32, ossz.w, 4}, QStringLiteral("összeg (Ft)"), fejlec, Jobb);

    // One line a cash type, a rule under each.
    Sav& r = reszlet;
    r.magassag = 5.5;
    r.mezo({jel.x, 0.7, jel.w, 4.5}, QStringLiteral("tipus"), sor);
    r.mezo({nev.x, 0.7, nev.w, 4.5}, QStringLiteral("nev"), sor);
    r.mezo({db.x, 0.7, db.w, 4.5}, QStringLiteral("darab"), sor, Jobb);
    r.mezo({ossz.x, 0.7, ossz.w, 4.5}, QStringLiteral("osszeg"), sor, Jobb, PenzFormatum);
    r.vonal({0, 5.3, w, 5.3}, 0.1, szurke);

    // The day's sums and balances, then the count against the book.
    Sav& o = osszegzes;
    o.magassag = 74;
    o.vonal({0, 0.5, w, 0.5}, 0.3);
    double y = 2;
    const auto sorPar = [&](const QString& cimke, const char* mezo, const Betu& b) -> std::pair<Elem*, Elem*> {
        Elem& c = o.szoveg({nev.x, y, 110, 5}, cimke, b);
        Elem& e = o.forrasMezo({ossz.x - 20, y, ossz.w + 20, 5}, QStringLiteral("zaras"), QString::fromLatin1(mezo), b, Jobb);
        y += 5.5;
        return {&c, &e};
    };
    sorPar(QStringLiteral("tételek száma"), "tetelek", sor);
    sorPar(QStringLiteral("bevételek összesen"), "bevetel", sor);
    sorPar(QStringLiteral("kiadások összesen"), "kiadas", sor);
    y += 2;
    sorPar(QStringLiteral("nyitó egyenleg (az előző napok után)"), "nyito", sor);
    sorPar(QStringLiteral("záró egyenleg"), "zaro", kover);
    const auto utan = sorPar(QStringLiteral("ebből a zárás után könyvelve"), "zarasutan", sor);
    m_utanCim = utan.first;
    m_utanErtek = utan.second;
    y += 2;
    o.vonal({0, y, w, y}, 1.0, szurke);
    y += 2;
    sorPar(QStringLiteral("várt készpénz (a pénztárkönyv egyenlege a záráskor)"), "vart", nagy);
    sorPar(QStringLiteral("megszámolt készpénz"), "szamolt", nagy);
    sorPar(QStringLiteral("eltérés (megszámolt − várt)"), "elteres", nagy);
    y += 12;
    o.vonal({w - 70, y, w, y}, 0.2);
    o.szoveg({w - 70, y + 0.8, 70, 4}, QStringLiteral("aláírás"), fejlec, Kozep);

    // Page footer as the printed cash book's.
    Sav& l = lapLab;
    l.magassag = 13;
    const double s = 3.8;
    const Betu kicsi(betu, 8);
    l.vonal({0, 0.5, w, 0.5}, 0.3);
    l.szoveg({0, 1.5, w / 3, s}, QStringLiteral("Kazettora"), kicsi);
    l.rendszer({0, 1.5 + s, w / 3, s}, Oldal, kicsi, Bal, QStringLiteral("oldal: "));
    l.szoveg({w / 3, 1.5 + s, w / 3, s}, QString::fromLatin1(Honlap), kicsi, Kozep);
    l.rendszer({w * 2 / 3, 1.5, w / 3, s}, DatumIdo, kicsi, Jobb);
    l.rendszer({w * 2 / 3, 1.5 + s, w / 3, s}, Cim, kicsi, Jobb);
    l.rendszer({w * 2 / 3, 1.5 + 2 * s, w / 3, s}, Nev, kicsi, Jobb);
}

void TqrZaras::megnyit(const Zaras::Jelentes& z)
{
    QList<QVariantMap> sorok;
    for (const Zaras::TipusOsszeg& t : z.tipusok)
        sorok.append({{QStringLiteral("tipus"), t.tipus},
                      {QStringLiteral("nev"), t.nev},
                      {QStringLiteral("darab"), t.darab},
                      {QStringLiteral("osszeg"), t.osszeg}});
    adat(sorok);
    forras(QStringLiteral("zaras"),
           {{QStringLiteral("nap"), RovidDatum(z.nap)},
            {QStringLiteral("ido"), HosszuIdo(z.ido)},
            {QStringLiteral("felhasznalo"), z.felhasznalo.isEmpty() ? QStringLiteral("–") : z.felhasznalo},
            {QStringLiteral("tetelek"), QString::number(z.tetelek)},
            {QStringLiteral("bevetel"), Zaras::Ft(z.bevetel)},
            {QStringLiteral("kiadas"), Zaras::Ft(z.kiadas)},
            {QStringLiteral("nyito"), Zaras::Ft(z.nyito)},
            {QStringLiteral("zaro"), Zaras::Ft(z.zaro)},
            {QStringLiteral("zarasutan"), Zaras::Ft(z.zarasUtan)},
            {QStringLiteral("vart"), Zaras::Ft(z.vart)},
            {QStringLiteral("szamolt"), Zaras::Ft(z.szamolt)},
            {QStringLiteral("elteres"), Zaras::ElteresSzoveg(z.elteres)}});
    const bool utan = FtMaszk(z.zarasUtan) != QLatin1String("0");
    m_utanCim->lathato = utan;
    m_utanErtek->lathato = utan;
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
}

bool ZarasNyomtat(const Zaras::Jelentes& z, const Kimenet& kimenet, QWidget* szulo)
{
    TqrZaras qr;
    qr.megnyit(z);
    return qr.kiad(kimenet, szulo);
}
