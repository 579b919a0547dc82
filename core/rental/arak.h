#pragma once
// The two rules of a rental that come from its period: the fee of an item
// (the price matrix) and the moment the item is due back.
#include <QDateTime>
#include <QVariant>

// The fee of lending one item of price category `arkat` for rental period
// `fiztip`: the `ar` of the matrix row of that pair, the first in
// (fiztip, arkat) order; an empty `ar` reads as 0.
// When the matrix holds no row for the pair the fee is 0 and the item goes
// out free of charge; `van` (when given) tells the caller whether a row was
// found, so that it can warn about the missing price.
// Throws AdatbazisHiba when the matrix cannot be read.
double KolcsonzesiAr(int fiztip, int arkat, bool* van = nullptr);

// The moment an item lent at `kiadva` for a period of `ora` hours is due:
// `ora` whole hours later on the calendar and the clock, so 24 hours is the
// same time of day on the next day and 168 hours the same time a week later,
// also across a change to or from summer time (the shop's clock reading is
// what the customer is told and what the due fields store). Should the
// reading not exist on that day (the hour skipped in spring), it moves on
// by the skipped hour, as the wall clock does. The result keeps the time
// representation of `kiadva`; its date() and time() are the due day and
// time. 0 hours is the lending moment itself; an empty `ora` counts as 0.
QDateTime VisszaKellIdopont(const QDateTime& kiadva, int ora);
QDateTime VisszaKellIdopont(const QDateTime& kiadva, const QVariant& ora);
