#include "core/customers/tagdij.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/ora.h"
#include "core/data/rekord.h"
#include "core/rental/cassakonyveles.h"

#include <QLocale>

namespace Tagdij {

int Honapok(int idoszak)
{
    static constexpr int honapok[IdoszakSzam] = {3, 6, 12};
    return idoszak >= 0 && idoszak < IdoszakSzam ? honapok[idoszak] : 0;
}

double Osszeg(int idoszak)
{
    switch (idoszak) {
    case 0: return TBeall.dijnegyed;
    case 1: return TBeall.dijfel;
    case 2: return TBeall.dijev;
    default: return 0;
    }
}

QString OsszegSzoveg(double osszeg)
{
    // -0 would read "-0"; a fee of nothing is plain 0.
    if (osszeg == 0) osszeg = 0;
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    // 'f' with the shortest precision: the fewest digits that give the
    // number back, never an exponent.
    return l.toString(osszeg, 'f', QLocale::FloatingPointShortest);
}

QString Felirat(int idoszak)
{
    static const char* const nevek[IdoszakSzam] = {"Negyedéves: ", "Féléves: ", "Teljes évre: "};
    if (Honapok(idoszak) == 0) return {};
    return QString::fromUtf8(nevek[idoszak]) + OsszegSzoveg(Osszeg(idoszak)) + QStringLiteral(".-");
}

QDate UjLejarat(const QDate& ma, int honapok)
{
    // QDate::addMonths keeps the day, or takes the target month's last day
    // when it has no such day.
    return ma.addMonths(honapok);
}

QDate Fizet(const QVariant& ugyfel, int honapok, double osszeg)
{
    Adatbazis::Tranzakcio tr;
    Rekord sor(QStringLiteral("ugyfel"));
    if (!ugyfel.isValid() || ugyfel.isNull() || !sor.szerkeszt(ugyfel))
        throw AdatbazisHiba(QStringLiteral("Az ügyfél már nem létezik."));
    const QDate lejarat = UjLejarat(Ma(), honapok);
    sor.beallit(QStringLiteral("dijfizetve"), lejarat);
    sor.ment();
    // After the row, as the order of the two writes has it; both are kept
    // only together.
    CassaKonyvel(QStringLiteral("T"), sor.kulcs(), osszeg, true);
    tr.jovahagy();
    return lejarat;
}

} // namespace Tagdij
