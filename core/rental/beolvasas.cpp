#include "core/rental/beolvasas.h"
#include "core/customers/ugyfelek.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/sema.h"

#include <QSqlQuery>

namespace Beolvasas {

std::optional<Tetel> TetelKodbol(int azon)
{
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT v.video, v.azon, v.video_nev, v.kint, v.ugyfel, u.ugyfel_nev FROM video v "
                       "LEFT JOIN ugyfel u ON (u.ugyfel = v.ugyfel) WHERE v.azon = ? "
                       "ORDER BY (v.torolve IS 'I'), v.video LIMIT 1"),
        {azon});
    if (!q.next()) return std::nullopt;
    Tetel t;
    t.video = q.value(0).toLongLong();
    t.azon = VarEgesz(q.value(1));
    t.nev = VarSzoveg(q.value(2));
    t.kint = VarSzoveg(q.value(3)) == QLatin1String("I");
    t.ugyfel = t.kint ? VarEgesz(q.value(4)) : 0;
    t.ugyfelNev = t.kint ? VarSzoveg(q.value(5)) : QString();
    return t;
}

namespace {

std::optional<Ugyfel> ugyfelOlvas(const QString& feltetel, int ertek)
{
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT ugyfel, azon, ugyfel_nev, dijfizetve, torolve FROM ugyfel WHERE %1 = ? "
                       "ORDER BY (torolve IS 'I'), ugyfel LIMIT 1").arg(feltetel),
        {ertek});
    if (!q.next()) return std::nullopt;
    Ugyfel u;
    u.ugyfel = VarEgesz(q.value(0));
    u.azon = VarEgesz(q.value(1));
    u.nev = VarSzoveg(q.value(2));
    u.dijfizetve = Sema::ertekbe(Sema::Tipus::Datum, q.value(3)).toDate();
    u.torolve = VarSzoveg(q.value(4)) == QLatin1String("I");
    return u;
}

} // namespace

std::optional<Ugyfel> UgyfelKodbol(int azon) { return ugyfelOlvas(QStringLiteral("azon"), azon); }
std::optional<Ugyfel> UgyfelKulcsbol(int ugyfel) { return ugyfelOlvas(QStringLiteral("ugyfel"), ugyfel); }

Figyelmeztetes KolcsonzesElott(const Ugyfel& u)
{
    Figyelmeztetes f;
    f.dijfizetve = u.dijfizetve;
    f.tagsagLejart = Ugyfelek::TagsagLejart(u.dijfizetve, Ma());
    const QDateTime most = Most();
    const Visszavetel kint(u.ugyfel, u.nev);
    for (const VisszavetelTetel& t : kint.tetelek())
        if (Lejart(QStringLiteral("I"), t.datVisszakell, t.idoVisszakell, most)) f.kesesben << t;
    return f;
}

QString Figyelmeztetes::szoveg() const
{
    QStringList sorok;
    if (tagsagLejart)
        sorok << (dijfizetve.isValid()
                      ? QStringLiteral("A tagság lejárt: %1").arg(RovidDatum(dijfizetve))
                      : QStringLiteral("A tagdíj nincs befizetve."));
    if (!kesesben.isEmpty()) {
        sorok << QStringLiteral("Késésben lévő tételek (%1 db):").arg(kesesben.size());
        for (const VisszavetelTetel& t : kesesben)
            sorok << QStringLiteral("  %1  %2  (határidő: %3 %4)")
                         .arg(KodSzoveg(t.azon), t.nev, RovidDatum(t.datVisszakell),
                              t.idoVisszakell.toString(QStringLiteral("HH:mm")));
    }
    return sorok.join(u'\n');
}

std::optional<Idoszak> IdoszakOlvas(int fiztip)
{
    QSqlQuery q =
        Adatbazis::vegrehajt(QStringLiteral("SELECT fiztip, fiztip_nev, ora FROM fiztip WHERE fiztip = ?"), {fiztip});
    if (!q.next()) return std::nullopt;
    return Idoszak{VarEgesz(q.value(0)), VarSzoveg(q.value(1)), VarEgesz(q.value(2))};
}

QList<Idoszak> Idoszakok()
{
    QList<Idoszak> l;
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT fiztip, fiztip_nev, ora FROM fiztip ORDER BY fiztip"));
    while (q.next()) l << Idoszak{VarEgesz(q.value(0)), VarSzoveg(q.value(1)), VarEgesz(q.value(2))};
    return l;
}

std::optional<Idoszak> AlapIdoszak()
{
    if (TBeall.alapfiztip <= 0) return std::nullopt;
    return IdoszakOlvas(TBeall.alapfiztip);
}

QString KodSzoveg(int azon) { return QStringLiteral("%1").arg(azon, 5, 10, QLatin1Char('0')); }

} // namespace Beolvasas
