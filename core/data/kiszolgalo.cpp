#include "core/data/kiszolgalo.h"
#include "core/data/beallitas.h"

#include <libpq-fe.h>
#include <memory>

namespace Kiszolgalo {

QString KapcsolatEllenoriz(const QString& kapcsolat)
{
    if (kapcsolat.trimmed().isEmpty())
        return QStringLiteral("A beállításfájlban nincs megadva a kiszolgáló elérése (Kapcsolat=).");
    char* hibaSzoveg = nullptr;
    std::unique_ptr<PQconninfoOption, void (*)(PQconninfoOption*)> opciok(
        PQconninfoParse(kapcsolat.toUtf8().constData(), &hibaSzoveg), PQconninfoFree);
    if (hibaSzoveg) PQfreemem(hibaSzoveg);   // libpq's English words; the operator is told in Hungarian
    if (!opciok)
        // Not repeated: a password may stand in what could not be read.
        return QStringLiteral("A kiszolgáló elérése (Kapcsolat=) nem értelmezhető. Kulcs=érték párokat (például "
                              "host=/run/postgresql dbname=bolt user=pult) vagy postgresql:// címet várok.");
    bool vanAdatbazis = false;
    for (const PQconninfoOption* o = opciok.get(); o->keyword; ++o) {
        if (!o->val || !*o->val) continue;
        const QByteArray kulcs(o->keyword);
        if (kulcs == "password")
            return QStringLiteral("A kiszolgáló elérése (Kapcsolat=) jelszót tartalmaz. Jelszót ne írjon a "
                                  "beállításfájlba: adja meg a ~/.pgpass fájlban (vagy a PGPASSFILE által megadott "
                                  "fájlban), vagy használja a kiszolgáló peer-hitelesítését.");
        if (kulcs == "dbname") vanAdatbazis = true;
    }
    if (!vanAdatbazis)
        return QStringLiteral("A kiszolgáló elérése (Kapcsolat=) nem nevezi meg az adatbázist (dbname=).");
    return {};
}

bool Olvas(const IniFajl& ini, Beallitas* b, QString* hiba)
{
    const QString szakasz = QString::fromLatin1(Szakasz);
    const QString motor = ini.szoveg(szakasz, QStringLiteral("Motor"), QString()).trimmed();
    *b = Beallitas{};
    if (motor.isEmpty() || motor.compare(QLatin1String("SQLite"), Qt::CaseInsensitive) == 0) return true;
    if (motor.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) != 0) {
        if (hiba)
            *hiba = QStringLiteral("Ismeretlen adatbázismotor a beállításfájlban: Motor=%1 (SQLite vagy PostgreSQL lehet).")
                        .arg(motor);
        return false;
    }
    b->motor = Motor::PostgreSQL;
    b->kapcsolat = ini.szoveg(szakasz, QStringLiteral("Kapcsolat"), QString()).trimmed();
    const QString baj = KapcsolatEllenoriz(b->kapcsolat);
    if (!baj.isEmpty()) {
        if (hiba) *hiba = baj;
        return false;
    }
    return true;
}

} // namespace Kiszolgalo
