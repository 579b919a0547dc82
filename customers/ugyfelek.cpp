#include "customers/ugyfelek.h"
#include "data/adatbazis.h"
#include "data/konverzio.h"
#include "data/sema.h"

namespace Ugyfelek {

qint64 KovetkezoAzon()
{
    const QVariant max = Adatbazis::ertek(QStringLiteral("SELECT MAX(azon) AS maxazon FROM ugyfel"));
    return (max.isNull() ? 0 : max.toLongLong()) + 1;
}

bool Lejart(const QDate& dijfizetve, const QDate& ma)
{
    return !dijfizetve.isValid() || ma >= dijfizetve;
}

QString ListazottFeltetel() { return QStringLiteral("t.torolve = 'N'"); }

QString LejartFeltetel() { return QStringLiteral("t.torolve = 'N' AND t.dijfizetve <= ?"); }

QVariantList LejartParam(const QDate& ma) { return {ma}; }

QString VarosIrszbol(const QString& irsz)
{
    if (irsz.isEmpty()) return {};
    const QString varos = VarSzoveg(
        Adatbazis::ertek(QStringLiteral("SELECT varos FROM irsz WHERE irsz = ? ORDER BY Id LIMIT 1"), {irsz}));
    const Sema::Mezo* m = Sema::mezo("ugyfel", "cim_varos");
    return varos.left(m ? m->hossz : 25);
}

std::optional<int> KodBol(const QString& szoveg)
{
    bool ok = false;
    const int n = szoveg.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return n;
}

QString NevFelsoHatar(const QString& eleje)
{
    // The last code point weighs more than any letter in the HU order.
    return eleje + QString::fromUcs4(U"\U0010FFFF", 1);
}

} // namespace Ugyfelek
