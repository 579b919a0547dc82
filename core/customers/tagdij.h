#pragma once
// The membership fee: the three periods the operator may pay for, what each
// costs (the fee settings of TBeall), the expiry a payment gives, and the
// payment itself.
#include <QDate>
#include <QString>
#include <QVariant>

namespace Tagdij {

// The periods in the order the fee dialog offers them: a quarter, half a
// year, a whole year.
inline constexpr int IdoszakSzam = 3;
// Calendar months a period adds (3, 6, 12); 0 for an index out of range.
int Honapok(int idoszak);
// The period's fee from the settings (dijnegyed, dijfel, dijev).
double Osszeg(int idoszak);
// The choice as the dialog shows it: "Negyedéves: 1500.-".
QString Felirat(int idoszak);
// A fee in the shortest plain decimal form, no grouping, the system's
// decimal separator: 1500 -> "1500", 1500.5 -> "1500,5" under hu_HU.
QString OsszegSzoveg(double osszeg);

// Today plus the months, counted from today whatever the old expiry was;
// where the target month is shorter, its last day (30 Nov + 3 -> end of Feb).
QDate UjLejarat(const QDate& ma, int honapok);

// Pays the fee of a period for the customer with the internal key `ugyfel`:
// the new expiry (UjLejarat from Ma()) into the customer's row and the "T"
// cash row of `osszeg` with the month key, in one transaction, durable on
// return (or part of the caller's open one). Throws AdatbazisHiba with the
// reason, nothing written, when the customer no longer exists or the engine
// or the cash posting refuses. Returns the new expiry.
QDate Fizet(const QVariant& ugyfel, int honapok, double osszeg);

} // namespace Tagdij
