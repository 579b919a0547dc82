#pragma once
// The quick delimited writer: a whole query into a text file with a given
// delimiter and no questions (the free query window's export): a header of
// the field names, then every value followed by the delimiter, no qualifier,
// lines ending in CR LF, Windows-1250.
#include "core/reports/hatarolt.h"

class QWidget;

// Writes the rows of `lekerdezes` (Hatarolt::LekerdezesForras) into `fajl`.
// With no file name it asks for one first (the save dialog "Karakter
// határolt szöveg mentése", proposing `nev` + ".csv"); cancelling ends it.
// A file that cannot be made is reported ("File megnyitási hiba" and the
// system's reason). Returns true when the file was written; other errors
// (AdatbazisHiba) reach the caller.
bool GyorsHatarolt(QWidget* szulo, const Hatarolt::Forras& lekerdezes, const QString& nev, QString fajl,
                   const QString& elvalaszto);
