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
#include <QString>

namespace GyorsKereses {

enum class Mod { Kod, Nev };

struct Kerdes {
    enum class Tipus { Semmi, Kod, Nev };
    Tipus tipus = Tipus::Semmi;
    int kod = 0;        // Tipus::Kod
    QString eleje;      // Tipus::Nev
};

Kerdes Ertelmez(const QString& szoveg, Mod mod);

} // namespace GyorsKereses
