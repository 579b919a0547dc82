#pragma once
// The one rule by which a row enters the cash book: its amount and the cash
// balance after it (the previous row's balance plus the amount), with the
// month key for the program's own postings.
#include <QString>
#include <QVariant>

// Posts one row inside the caller's open transaction (Adatbazis::Tranzakcio),
// so that the balance read and the append cannot be separated, and the row
// reaches the disk together with the rest of the caller's operation.
// `ugyfel` invalid: no customer (manual entry). Throws AdatbazisHiba, "Nem
// megfelelő érték." when the amount or the new balance is past PenzHatar.
void KasszaKonyvelTranzakcioban(const QString& tipus, const QVariant& ugyfel, double osszeg, bool idoszak);

// The same in a transaction of its own.
void KasszaKonyvel(const QString& tipus, const QVariant& ugyfel, double osszeg, bool idoszak);
