#include "core/cash/grafikon.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"

#include <QSqlQuery>

namespace Grafikon {

namespace {

QList<Sor> sorok(const QString& sql, const QVariantList& param)
{
    QList<Sor> l;
    QSqlQuery q = Adatbazis::vegrehajt(sql, param);
    while (q.next()) l.append({VarSzoveg(q.value(0)), VarValos(q.value(1))});
    return l;
}

} // namespace

QString BevetelSql()
{
    return QStringLiteral(
        "SELECT\n"
        "  idoszak,\n"
        "  SUM(osszeg) AS osszeg\n"
        "FROM cassa\n"
        "  WHERE (cassatip IN ('B','T')) AND (idoszak BETWEEN :pido1 AND :pido2)\n"
        "GROUP BY idoszak\n"
        "ORDER BY 1;");
}

QList<Sor> Bevetelek(const QString& tol, const QString& ig)
{
    return sorok(BevetelSql(), {tol, ig});
}

QString MegoszlasSql()
{
    // A missing genre (NULL) and a nameless one fall into one empty-named
    // group, as the user sees them: both without a name.
    return QStringLiteral(
        "SELECT\n"
        "  COALESCE(mufaj.mufaj_nev, '') AS mufaj_nev,\n"
        "  COUNT(ugyfel_video.video) AS kolcsonzes\n"
        "FROM ugyfel_video\n"
        "  LEFT JOIN video ON (ugyfel_video.video = video.video)\n"
        "  LEFT JOIN mufaj ON (video.mufaj = mufaj.mufaj)\n"
        "WHERE ugyfel_video.datum BETWEEN :d1 AND :d2\n"
        "GROUP BY 1\n"
        "ORDER BY 1 COLLATE HU;");
}

QList<Sor> Megoszlas(const QDate& tol, const QDate& ig)
{
    return sorok(MegoszlasSql(), {tol, ig});
}

} // namespace Grafikon
