#pragma once
// The cash book as a list and its rules: the entries in the order they were
// written with their type, amount, running balance and customer; the entry
// typed by hand; the month keys the income chart is asked for.
#include "core/data/kulcslista.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <utility>

namespace Cassa {

// Every entry once, in key order, whether or not its type or customer
// still exists (then that name reads empty). Fields: cassa, datum,
// cassatip_nev, osszeg, zaro (the balance after the entry), ugyfel_nev.
ListaDef ListaLeiras();
// The same rows as one statement, for the printed cash book: in key order,
// only the day `nap` when it is valid (one bound value, the day).
QString ListaSql(bool napra);

// The condition and value that narrow the list to one day (index cassa_datum).
QString NapFeltetel();
QVariantList NapParam(const QDate& nap);

// The signed amount of a typed amount: the type's direction (1 income,
// -1 expense, 0 when the type has none) times the amount.
double EloJeles(int szorzo, double osszeg);

// An entry typed into the cash book: the type's code, the signed amount,
// no customer and no month key; the balance follows the last entry. One
// transaction, on disk when it returns. Throws AdatbazisHiba (nothing
// written): an amount or balance out of range, a storage failure, today
// closed already (Zaras::KeziTetelEllenoriz).
void KeziTetel(const QString& tipus, int szorzo, double osszeg);

// The month keys of the cash book, each once, in ascending order; the
// entries without one (typed by hand) give one empty key, first. Read by
// hopping along the index of the keys: a few look-ups a month, however
// many entries each month holds. Throws AdatbazisHiba.
QStringList HonapKulcsok();

// The range the rentals-by-genre chart proposes: from three calendar
// months before `ma` (the month's last day when it is shorter) to `ma`.
std::pair<QDate, QDate> IdoszakJavaslat(const QDate& ma);

} // namespace Cassa
