#include "core/rental/cassakonyveles.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"

void CassaKonyvel(const QString& tipus, const QVariant& ugyfel, double osszeg, bool idoszak)
{
    // On its own the balance could be read by one program and appended by
    // another in between, and a caller's failure later could leave the
    // money posted for an operation that never happened.
    if (!Adatbazis::tranzakcioban())
        throw AdatbazisHiba(QStringLiteral("Pénztári tétel csak a művelet tranzakcióján belül könyvelhető; "
                                           "a tétel nem lett rögzítve."));
    // The previous row is the one with the largest key, not the latest date.
    const double elozo = Adatbazis::ertek(QStringLiteral("SELECT penzvan FROM cassa ORDER BY cassa DESC LIMIT 1")).toDouble();
    // An amount or a balance past the money bound (an overflow) would carry
    // on into every later balance.
    if (!PenzErvenyes(osszeg) || !PenzErvenyes(elozo + osszeg)) throw AdatbazisHiba(QString::fromUtf8(NemMegfeleloErtek));
    const QDate ma = Ma();
    Adatbazis::vegrehajt(
        QStringLiteral("INSERT INTO cassa (cassatip, datum, ugyfel, osszeg, penzvan, idoszak) VALUES (?, ?, ?, ?, ?, ?)"),
        {tipus, ma, ugyfel.isValid() ? ugyfel : QVariant(), osszeg, elozo + osszeg,
         idoszak ? QVariant(ma.toString(QStringLiteral("yyyyMM"))) : QVariant()});
}
