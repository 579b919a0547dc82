#pragma once
// Late fees: the rules per price category (table kesedelem) and the fee an
// overdue item has run up by a given moment.
//
// A rule gives grace hours, a fee per started day and a cap per item. An
// item brought back within the grace hours after its due moment owes
// nothing; past them it owes the fee for every started 24 hours of real time
// since the due moment, at most the cap (none when the cap is 0). A category
// without a rule proposes nothing.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QTime>
#include <optional>

struct KesedelmiSzabaly {
    int turelem = 0;        // grace hours
    double napidij = 0;     // per started overdue day
    double plafon = 0;      // per item; 0: no cap
    bool operator==(const KesedelmiSzabaly&) const = default;
};

// The largest grace the settings accept: a year of hours.
inline constexpr int KesedelemTurelemHatar = 8760;

// The due moment of an item from its stored local (wall-clock) day and time.
// A time that does not exist locally (the hour skipped when summer time
// starts) is the moment the clock jumps to; a missing time is the end of the
// day, as the item list's colours take it.
QDateTime KesedelemHatarido(const QDate& datVisszakell, const QTime& idoVisszakell);

// Started 24-hour periods of real elapsed time from `hatarido` to `most`;
// 0 when `most` is not past it. A summer-time change counts its 23 or 25 hours.
int KesedelmiNapok(const QDateTime& hatarido, const QDateTime& most);

// The fee by `most` for an item due at `hatarido`: 0 within the grace,
// else KesedelmiNapok × napidij, capped at plafon when plafon > 0, and never
// past PenzHatar.
double KesedelmiDij(const KesedelmiSzabaly& szabaly, const QDateTime& hatarido, const QDateTime& most);
// No rule: no fee.
double KesedelmiDij(const std::optional<KesedelmiSzabaly>& szabaly, const QDateTime& hatarido, const QDateTime& most);

namespace Kesedelem {

// Every rule, by price category. Throws AdatbazisHiba.
QMap<int, KesedelmiSzabaly> Szabalyok();
// The rule of one category, or none.
std::optional<KesedelmiSzabaly> Szabaly(int arkat);

// A price category with its rule, as the settings window lists them.
struct ArkatSzabaly {
    int arkat = 0;
    QString nev;
    std::optional<KesedelmiSzabaly> szabaly;
};
// Every price category in name order, each with its rule; a rule whose
// category no longer exists is not listed (and is kept as it is).
QList<ArkatSzabaly> Kategoriak();

// Why a rule cannot be stored, in Hungarian, or empty text.
QString Ellenoriz(const KesedelmiSzabaly& s);

// Stores the rules of the listed categories in one transaction (joining the
// caller's): a category with a rule gets it, one with none loses its rule.
// Categories not listed keep theirs. Throws AdatbazisHiba (nothing stored)
// when a rule is refused.
void Ment(const QList<ArkatSzabaly>& szabalyok);

} // namespace Kesedelem
