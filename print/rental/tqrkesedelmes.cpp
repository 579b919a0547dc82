#include "print/rental/tqrkesedelmes.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/sema.h"
#include "core/rental/kesedelem.h"
#include "core/rental/kolcsonzes.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

const char* const TulajdonosSql = "SELECT * FROM tulajdonos ORDER BY rowid LIMIT 1";

// The columns the statement gives, then the computed ones.
enum Oszlop {
    Video, Azon, VideoNev, Arkat, DatVisszakell, IdoVisszakell, Ugyfel, UgyfelAzon, UgyfelNev, Telefon, Mobil, CimCim,
    Lakhely, SqlOszlopok,
    Hatarido = SqlOszlopok, Napok, Dij, Telefonok, OszlopSzam
};

const char* const Mezonevek[] = {"video", "azon", "video_nev", "arkat", "dat_visszakell", "ido_visszakell", "ugyfel",
                                 "ugyfel_azon", "ugyfel_nev", "telefon", "mobil", "cim_cim", "lakhely",
                                 "hatarido", "napok", "dij", "telefonok"};
static_assert(std::size(Mezonevek) == OszlopSzam);

QString penz(const QVariant& v) { return FtMaszk(VarValos(v)) + QStringLiteral(" Ft"); }

} // namespace

struct KesedelmesKurzor::Adat {
    QDateTime most;
    QMap<int, KesedelmiSzabaly> szabalyok;
    std::optional<QSqlQuery> q;
    QVariantList sor;
};

KesedelmesKurzor::KesedelmesKurzor(const QDateTime& most) : d(std::make_unique<Adat>())
{
    d->most = most;
    d->szabalyok = Kesedelem::Szabalyok();
}

KesedelmesKurzor::~KesedelmesKurzor() = default;

QString KesedelmesKurzor::Lekerdezes()
{
    // Items out due today or earlier (the index on kint finds them); the
    // moment itself is checked per row. By customer name, then item code.
    return QStringLiteral(
        "SELECT v.video, v.azon, v.video_nev, v.arkat, v.dat_visszakell, v.ido_visszakell, v.ugyfel, "
        "u.azon, u.ugyfel_nev, u.telefon, u.mobil, u.cim_cim, "
        "TRIM(COALESCE(u.cim_irsz, '') || ' ' || COALESCE(u.cim_varos, '')) "
        "FROM video v LEFT JOIN ugyfel u ON (u.ugyfel = v.ugyfel) "
        "WHERE v.kint = 'I' AND v.dat_visszakell <= :ma "
        "ORDER BY u.ugyfel_nev COLLATE HU, v.ugyfel, v.azon");
}

void KesedelmesKurzor::elejere()
{
    d->q.reset();
    d->q.emplace(Adatbazis::elokeszit(Lekerdezes()));
    Adatbazis::futtat(*d->q, {d->most.date()});
}

QStringList KesedelmesKurzor::mezok() const
{
    QStringList l;
    for (const char* n : Mezonevek) l << QString::fromLatin1(n);
    return l;
}

bool KesedelmesKurzor::kovetkezo()
{
    if (!d->q) return false;
    QSqlQuery& q = *d->q;
    while (q.next()) {
        const QDate dat = Sema::ertekbe(Sema::Tipus::Datum, q.value(DatVisszakell)).toDate();
        const QTime ido = Sema::ertekbe(Sema::Tipus::Ido, q.value(IdoVisszakell)).toTime();
        if (!Lejart(QStringLiteral("I"), dat, ido, d->most)) continue;
        d->sor = QVariantList(OszlopSzam);
        for (int i = 0; i < SqlOszlopok; ++i) d->sor[i] = q.value(i);
        const QDateTime hatarido = KesedelemHatarido(dat, ido);
        d->sor[Hatarido] = RovidDatum(dat) + (ido.isValid() ? ' ' + ido.toString(QStringLiteral("HH:mm")) : QString());
        d->sor[Napok] = KesedelmiNapok(hatarido, d->most);
        const auto sz = d->szabalyok.constFind(VarEgesz(q.value(Arkat)));
        d->sor[Dij] = sz == d->szabalyok.constEnd() ? 0.0 : KesedelmiDij(*sz, hatarido, d->most);
        QStringList tel;
        if (!VarSzoveg(q.value(Telefon)).trimmed().isEmpty()) tel << QStringLiteral("telefon: ") + VarSzoveg(q.value(Telefon));
        if (!VarSzoveg(q.value(Mobil)).trimmed().isEmpty()) tel << QStringLiteral("mobil: ") + VarSzoveg(q.value(Mobil));
        d->sor[Telefonok] = tel.isEmpty() ? QStringLiteral("nincs megadott telefonszám") : tel.join(QStringLiteral(", "));
        return true;
    }
    if (q.lastError().type() != QSqlError::NoError) throw Adatbazis::hiba(q);
    return false;
}

QVariant KesedelmesKurzor::ertek(int oszlop) const { return d->sor.value(oszlop); }

void KesedelmesKurzor::lezar()
{
    if (d->q) d->q->finish();
    d->q.reset();
}

// ---- the list -------------------------------------------------------------------------

TqrKesedelmes::TqrKesedelmes() : Jelentes(QStringLiteral("Késedelmes ügyfelek"), QStringLiteral("qrKesedelmes"))
{
    lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = szelesseg();
    const QString betu = QStringLiteral("Arial");
    const Betu fejlec(betu, 8, Dolt), sor(betu, 8), tiz(betu, 10), tizKover(betu, 10, Felkover);

    // The same head as the item lists: heading at the left, owner at the right.
    const double bal = 100, jobb = 105, alja = 24;
    Sav& f = lapFej;
    f.magassag = alja + 6;
    f.vonal({0, 0, bal, 0}, 0.3);
    f.szoveg({0, 2, bal, 8}, QStringLiteral("Késedelmes ügyfelek"), Betu(betu, 16, Felkover));
    f.rendszer({0, 11.5, bal, 6}, DatumIdo, Betu(betu, 12), Bal, QStringLiteral("állapot: "));
    f.vonal({0, 19.5, bal, 19.5}, 0.3);
    f.vonal({jobb, 0, w, 0}, 0.3);
    f.forrasMezo({jobb, 1, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("tulajdonos"), tizKover, Jobb);
    f.forrasMezo({jobb, 5.5, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("varos"), tiz, Jobb);
    f.forrasMezo({jobb, 10, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("cim"), tiz, Jobb);
    f.forrasMezo({jobb, 14.5, w - jobb, 4.5}, QStringLiteral("tulajdonos"), QStringLiteral("telefon"), tiz, Jobb);
    f.vonal({jobb, 19.5, w, 19.5}, 0.3);
    struct O { const char* fej; const char* mezo; double x, w; Igazitas i; Formatum fm; };
    const O oszlopok[] = {{"kód", "azon", 6, 14, Bal, OtJegyuFormatum},
                          {"megnevezés", "video_nev", 22, 82, Bal, {}},
                          {"határidő", "hatarido", 106, 34, Bal, {}},
                          {"késés (nap)", "napok", 142, 18, Jobb, {}},
                          {"díj", "dij", 162, 28, Jobb, penz}};
    for (const O& o : oszlopok) f.szoveg({o.x, alja, o.w, 4}, QString::fromUtf8(o.fej), fejlec, o.i);
    f.vonal({0, alja + 4.8, w, alja + 4.8}, 0.2);

    // A group per customer: name, code and phones above, the fee so far below.
    Csoport& cs = csoport(QStringLiteral("ugyfel"));
    cs.fej.magassag = 11;
    cs.fej.mezo({0, 2, 120, 4.5}, QStringLiteral("ugyfel_nev"), tizKover);
    cs.fej.mezo({120, 2, w - 120, 4.5}, QStringLiteral("ugyfel_azon"), tiz, Jobb,
                [](const QVariant& v) { return QStringLiteral("ügyfélkód: ") + OtJegyuFormatum(v); });
    cs.fej.mezo({0, 6.5, w, 4}, QStringLiteral("telefonok"), Betu(betu, 9));
    cs.lab.magassag = 7;
    cs.lab.vonal({106, 0.5, w, 0.5}, 0.1, QColor(160, 160, 160));
    cs.lab.szoveg({106, 1.5, 36, 4.5}, QStringLiteral("Összesen"), tiz);
    cs.lab.darab({142, 1.5, 18, 4.5}, tiz, Jobb).szoveg = QString();
    cs.lab.osszeg({162, 1.5, 28, 4.5}, QStringLiteral("dij"), tizKover, Jobb, penz);

    Sav& r = reszlet;
    r.magassag = 4.2;
    for (const O& o : oszlopok) r.mezo({o.x, 0.3, o.w, 3.6}, QString::fromLatin1(o.mezo), sor, o.i, o.fm);

    Sav& o = osszegzes;
    o.magassag = 9;
    o.vonal({0, 1, w, 1}, 0.3);
    o.szoveg({0, 2.5, 60, 5}, QStringLiteral("Minden késedelmes tétel"), tizKover);
    o.darab({106, 2.5, 36, 5}, tizKover, Jobb).szoveg = QStringLiteral("darab: ");
    o.osszeg({162, 2.5, 28, 5}, QStringLiteral("dij"), tizKover, Jobb, penz);

    Sav& l = lapLab;
    l.magassag = 13;
    l.vonal({0, 0.5, w, 0.5}, 0.3);
    kozosLablec(l, 1.5, sor, 3.6);
}

void TqrKesedelmes::megnyit()
{
    adat(std::make_unique<KesedelmesKurzor>(Most()));
    forras(QStringLiteral("tulajdonos"), elsoSor(QString::fromLatin1(TulajdonosSql)));
}

// ---- the letters ----------------------------------------------------------------------

TqrFelszolito::TqrFelszolito() : Jelentes(QStringLiteral("Felszólító levelek"), QStringLiteral("qrFelszolito"))
{
    lap(QPageSize::A4, QPageLayout::Portrait, {20, 20, 20, 20});
    const double w = szelesseg();   // 170 mm
    const QString betu = QStringLiteral("Times New Roman");
    const Betu szoveg(betu, 11), kover(betu, 11, Felkover), kicsi(betu, 10);
    const QString t = QStringLiteral("tulajdonos");

    // The shop's header on every letter.
    Sav& f = lapFej;
    f.magassag = 26;
    f.forrasMezo({0, 0, w, 7}, t, QStringLiteral("tulajdonos"), Betu(betu, 16, Felkover), Kozep);
    f.forrasMezo({0, 8, w, 5}, t, QStringLiteral("cimsor"), kicsi, Kozep);
    f.forrasMezo({0, 13, w, 5}, t, QStringLiteral("elerhetoseg"), kicsi, Kozep);
    f.vonal({0, 20, w, 20}, 0.4);

    // The address, the greeting and the text; each letter starts a page.
    Csoport& cs = csoport(QStringLiteral("ugyfel"));
    cs.ujOldal = true;
    cs.fej.magassag = 78;
    cs.fej.rendszer({w - 80, 2, 80, 5}, Datum, szoveg, Jobb);
    cs.fej.mezo({0, 12, 100, 5}, QStringLiteral("ugyfel_nev"), kover);
    cs.fej.mezo({0, 17, 100, 5}, QStringLiteral("cim_cim"), szoveg);
    cs.fej.mezo({0, 22, 100, 5}, QStringLiteral("lakhely"), szoveg);
    cs.fej.szoveg({0, 34, w, 6}, QStringLiteral("Tárgy: felszólítás kölcsönzött tételek visszahozására"), kover);
    cs.fej.mezo({0, 44, w, 6}, QStringLiteral("ugyfel_nev"), szoveg, Bal,
                [](const QVariant& v) { return QStringLiteral("Tisztelt %1!").arg(VarSzoveg(v)); });
    cs.fej.szoveg({0, 52, w, 16},
                  QStringLiteral("Nyilvántartásunk szerint az alábbi, Önnél lévő tételek visszahozatali határideje "
                                 "lejárt. Kérjük, hogy azokat mielőbb hozza vissza üzletünkbe. A késedelmi díjat a "
                                 "levél keltének napjáig számítottuk; a visszahozatalig minden megkezdett nap után "
                                 "tovább nő."),
                  szoveg)
        .tordel = true;
    const Betu fejlec(betu, 10, Dolt);
    struct O { const char* fej; const char* mezo; double x, w; Igazitas i; Formatum fm; };
    const O oszlopok[] = {{"kód", "azon", 0, 16, Bal, OtJegyuFormatum},
                          {"megnevezés", "video_nev", 18, 70, Bal, {}},
                          {"határidő", "hatarido", 90, 34, Bal, {}},
                          {"késés (nap)", "napok", 124, 18, Jobb, {}},
                          {"díj", "dij", 142, 28, Jobb, penz}};
    for (const O& o : oszlopok) cs.fej.szoveg({o.x, 72, o.w, 5}, QString::fromUtf8(o.fej), fejlec, o.i);
    cs.fej.vonal({0, 77.5, w, 77.5}, 0.2);

    Sav& r = reszlet;
    r.magassag = 5.5;
    for (const O& o : oszlopok) r.mezo({o.x, 0.5, o.w, 4.8}, QString::fromLatin1(o.mezo), szoveg, o.i, o.fm);

    cs.lab.magassag = 60;
    cs.lab.vonal({0, 1, w, 1}, 0.2);
    cs.lab.szoveg({0, 3, 120, 6}, QStringLiteral("Késedelmi díj összesen"), kover);
    cs.lab.osszeg({120, 3, 50, 6}, QStringLiteral("dij"), kover, Jobb, penz);
    cs.lab.szoveg({0, 14, w, 12},
                  QStringLiteral("Ha a tételeket időközben visszahozta, levelünket tekintse tárgytalannak. "
                                 "Kérdés esetén keressen minket az alábbi elérhetőségeken."),
                  szoveg)
        .tordel = true;
    cs.lab.szoveg({0, 32, 80, 6}, QStringLiteral("Üdvözlettel:"), szoveg);
    cs.lab.forrasMezo({90, 44, 80, 6}, t, QStringLiteral("tulajdonos"), kover, Kozep);
    cs.lab.forrasMezo({0, 52, w, 5}, t, QStringLiteral("elerhetoseg"), kicsi, Kozep);

    osszegzes.magassag = 12;
    osszegzes.szoveg({0, 4, w, 6}, QStringLiteral("Nincs késedelmes ügyfél: nincs kiküldendő felszólító levél."), kover,
                     Kozep);
}

void TqrFelszolito::megnyit()
{
    auto k = std::make_unique<KesedelmesKurzor>(Most());
    // With nobody to write to, the one page says so instead of staying blank.
    osszegzes.lathato = k->darab() == 0;
    adat(std::move(k));
    // The header's two lines: the address, and the phones with the tax number.
    QVariantMap t = elsoSor(QString::fromLatin1(TulajdonosSql));
    const auto mezo = [&t](const char* n) { return VarSzoveg(t.value(QString::fromLatin1(n))).trimmed(); };
    QString cimsor = (mezo("irsz") + ' ' + mezo("varos")).trimmed();
    if (!mezo("cim").isEmpty()) cimsor += (cimsor.isEmpty() ? QString() : QStringLiteral(", ")) + mezo("cim");
    QStringList el;
    if (!mezo("telefon").isEmpty()) el << QStringLiteral("telefon: ") + mezo("telefon");
    if (!mezo("mobil").isEmpty()) el << QStringLiteral("mobil: ") + mezo("mobil");
    if (!mezo("adoszam").isEmpty()) el << QStringLiteral("adószám: ") + mezo("adoszam");
    t.insert(QStringLiteral("cimsor"), cimsor);
    t.insert(QStringLiteral("elerhetoseg"), el.join(QStringLiteral(", ")));
    forras(QStringLiteral("tulajdonos"), t);
}
