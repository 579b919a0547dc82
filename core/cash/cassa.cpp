#include "core/cash/cassa.h"
#include "core/cash/zaras.h"
#include "core/data/adatbazis.h"
#include "core/data/ora.h"
#include "core/rental/cassakonyveles.h"

#include <QSqlQuery>

namespace Cassa {

namespace {

const char* const Mezok =
    "  cassa.datum,\n"
    "  cassatip.cassatip_nev,\n"
    "  cassa.osszeg,\n"
    "  cassa.penzvan AS zaro,\n"
    "  ugyfel.ugyfel_nev";
const char* const Joinok =
    "  LEFT OUTER JOIN cassatip ON (cassa.cassatip = cassatip.cassatip)\n"
    "  LEFT OUTER JOIN ugyfel ON (cassa.ugyfel = ugyfel.ugyfel)";

} // namespace

ListaDef ListaLeiras()
{
    ListaDef d;
    d.tabla = QStringLiteral("cassa");
    d.alias = QStringLiteral("cassa");
    d.kulcs = QStringLiteral("cassa");
    d.mezok = {"datum", "cassatip_nev", "osszeg", "zaro", "ugyfel_nev"};
    using T = Sema::Tipus;
    d.tipusok = {T::Datum, T::Szoveg, T::Valos, T::Valos, T::Szoveg};
    d.select = QString::fromLatin1(Mezok).simplified();
    d.joinok = QString::fromLatin1(Joinok).simplified();
    return d;
}

QString ListaSql(bool napra)
{
    return QStringLiteral("SELECT\n  cassa.cassa,\n%1\nFROM cassa\n%2\n%3ORDER BY cassa.cassa;")
        .arg(QString::fromLatin1(Mezok), QString::fromLatin1(Joinok),
             napra ? QStringLiteral("WHERE (%1)\n").arg(NapFeltetel()) : QString());
}

QString NapFeltetel() { return QStringLiteral("cassa.datum = ?"); }

QVariantList NapParam(const QDate& nap) { return {nap}; }

double EloJeles(int szorzo, double osszeg)
{
    const double v = szorzo * osszeg;
    return v == 0 ? 0.0 : v;   // no "-0" for a zero amount of an expense type
}

void KeziTetel(const QString& tipus, int szorzo, double osszeg)
{
    Adatbazis::Tranzakcio tr;
    // Inside the transaction: a close cannot come between the check and the entry.
    Zaras::KeziTetelEllenoriz(Ma());
    CassaKonyvel(tipus, QVariant(), EloJeles(szorzo, osszeg), false);
    tr.jovahagy();
}

QStringList HonapKulcsok()
{
    QStringList kulcsok;
    // ORDER BY puts the empty key (NULL) first; the index holds it in front too.
    if (Adatbazis::ertek(QStringLiteral("SELECT 1 FROM cassa WHERE idoszak IS NULL LIMIT 1")).isValid())
        kulcsok << QString();
    // Each step is the smallest key above the previous one: one probe of the
    // index, where a DISTINCT would read every entry.
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral(
        "WITH RECURSIVE k(x) AS ("
        " SELECT MIN(idoszak) FROM cassa"
        " UNION ALL"
        " SELECT (SELECT MIN(idoszak) FROM cassa WHERE idoszak > k.x) FROM k WHERE k.x IS NOT NULL)"
        " SELECT x FROM k WHERE x IS NOT NULL"));
    while (q.next()) kulcsok << q.value(0).toString();
    return kulcsok;
}

std::pair<QDate, QDate> IdoszakJavaslat(const QDate& ma) { return {ma.addMonths(-3), ma}; }

} // namespace Cassa
