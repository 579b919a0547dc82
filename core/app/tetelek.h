#pragma once
// The rules of the item records: the code a new item is offered, the copy
// of an item under a new code and the deletion of an item. Codes are not
// unique: a code another item already has is stored as typed. Each change
// is one transaction; a refusal throws AdatbazisHiba with a Hungarian
// reason and leaves the tables as they were.
#include <QList>
#include <QString>
#include <utility>

class Rekord;

inline constexpr const char* KiadottNemTorolheto = "A tétel ki van adva, ezért nem törölhető.";

// The largest code in use plus one; 1 in an empty table. Counted in 64
// bits: past the largest code a field can hold it is a number the table
// refuses, never one that wrapped round to a small code already in use.
qint64 TetelKovetkezoKod();

// A typed code as stored: rounded to the nearest whole number, a half to
// the even neighbour (12,5 -> 12, 13,5 -> 14). Throws AdatbazisHiba when
// the result is no code a field can hold.
int TetelKodKerekit(double ertek);

// Fills a new pending item: in the shop, not deleted, bought today, with
// the next code; every other field empty.
void TetelUjElokeszit(Rekord& sor);

// A new item copied from item `video`: its type, price category, title,
// description and genre, under the code `kod` (rounded as TetelKodKerekit
// does), in the shop, bought today, never lent. One transaction. Returns
// the new item's key. Throws AdatbazisHiba: the code does not fit, or the
// item copied is gone.
qint64 TetelMasol(qint64 video, double kod);

// Deletes item `video`, the row alone: its rental history and cash rows
// stay. Refused (KiadottNemTorolheto) while the item is out. An item
// already gone is no error.
void TetelTorol(qint64 video);

// The names of a reference table (tipus, arkat, mufaj) by key, in key order.
QList<std::pair<int, QString>> TetelValasztek(const QString& tabla);

// Whether every item's type is in the type table: then "the item's type
// exists" leaves no item out of a list, and a list of the items in the shop
// can read its keys from the (kint, azon) index alone. A few index probes,
// one per distinct type.
bool TetelMindenTipusMegvan();
