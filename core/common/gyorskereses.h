#pragma once
// What a quick-search field's text asks for. Every list with a quick search
// reads its text through this one rule; the window only runs the answer
// against its own list (the code's index, the name's index).
//
// The rule:
// - Empty text, or spaces only, asks for nothing: the current row stays.
// - Code mode: digits 0-9 only (surrounding spaces aside), read as a whole
//   number; leading zeros do not count ("0007" is code 7). Anything else —
//   a letter, a sign, more than a code can hold (beyond 2147483647) — is no
//   code: nothing is looked for and the current row stays.
// - Name mode: the text as typed (inner and trailing spaces, accents and
//   letter case kept) is the beginning of a name; how letters compare is
//   the list's own collation.
// - Item code mode: as code mode, but eight digits are what a hand scanner
//   types from an item's EAN-8 label: the check digit (the last) is verified
//   and dropped, leading zeros do not count ("00000017" is item 1). A wrong
//   check digit asks for nothing and says so (HibasVonalkod). Labels carry
//   codes of seven digits at most, so a typed code up to seven digits reads
//   as before.
#include <QString>

namespace GyorsKereses {

enum class Mod { Kod, Nev, TetelKod };

struct Kerdes {
    enum class Tipus { Semmi, Kod, Nev, HibasVonalkod };
    Tipus tipus = Tipus::Semmi;
    int kod = 0;        // Tipus::Kod
    QString eleje;      // Tipus::Nev
};

Kerdes Ertelmez(const QString& szoveg, Mod mod);

// The EAN-8 check digit of seven digits (0-9 each).
int Ean8Ellenorzo(QStringView hetJegy);

} // namespace GyorsKereses
