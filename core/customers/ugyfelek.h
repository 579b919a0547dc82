#pragma once
// The customer register's rules that need no window: the next customer
// code, when a membership counts as expired, the town belonging to a postal
// code, and how the quick-search texts are read.
#include <QDate>
#include <QString>
#include <QVariantList>
#include <optional>

namespace Ugyfelek {

// Largest code of the whole customer table plus one (listed or not); 1 for
// an empty table. 64-bit, so a table already at the top of the code range
// gives a value the table refuses on save instead of wrapping round.
qint64 KovetkezoAzon();

// The membership icon: expired when today is on or after the paid-until
// day; a customer without that day counts as expired.
bool TagsagLejart(const QDate& dijfizetve, const QDate& ma);

// Listed customers (torolve 'N'), and listed customers whose paid-until day
// is today or earlier (a customer without that day is not among them).
// Conditions over alias "t", with their bound values.
QString ListazottFeltetel();
QString LejartFeltetel();
QVariantList LejartParam(const QDate& ma);

// Town of the first postal-code row whose code equals the text exactly, cut
// to what a customer's town can hold; empty when there is none.
QString VarosIrszbol(const QString& irsz);

// The code typed into the quick-search field; nothing when the text is not
// a whole number that a customer code can hold.
std::optional<int> KodBol(const QString& szoveg);

// Keys of the customers with a code, and (in name order) of those whose
// name stands in a range of the HU order: the two quick searches'
// candidates, each read from its field's index alone. Bound values: the
// code; the range's lower and upper bound (HuFold::kezdoTartomanyok of the
// typed text gives the ranges of the names beginning with it).
QString KodJeloltek();
QString NevJeloltek();

} // namespace Ugyfelek
