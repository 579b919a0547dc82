#pragma once
// The one rule by which a row enters the cash book: its amount and the cash
// balance after it (the previous row's balance plus the amount), with the
// month key for the program's own postings.
#include <QString>
#include <QVariant>

// Posts one row as part of the caller's open transaction
// (Adatbazis::Tranzakcio), so that the balance read and the append cannot be
// separated and the row is stored exactly when the rest of the caller's
// operation is. Refuses (AdatbazisHiba, nothing written) when no
// transaction is open. `ugyfel` invalid: no customer (manual entry);
// `idoszak`: write the month key. Throws AdatbazisHiba ("Nem megfelelő
// érték." when the amount or the new balance is past PenzHatar).
void CassaKonyvel(const QString& tipus, const QVariant& ugyfel, double osszeg, bool idoszak);
