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
// - Customer code mode: as code mode, and the reverse of item code mode.
// - Labels: eight digits are always an item's EAN-8 label, thirteen digits
//   starting "29" a customer card's EAN-13 ("29", the customer's code in ten
//   digits, the check digit; the "2" range is for in-shop use, so no
//   product's barcode is read as a card). Either in the field of the other
//   kind asks for nothing and says which it is (UgyfelKartya, TetelCimke).
#include <QString>

namespace GyorsKereses {

enum class Mod { Kod, Nev, TetelKod, UgyfelKod };

struct Kerdes {
    enum class Tipus { Semmi, Kod, Nev, HibasVonalkod, UgyfelKartya, TetelCimke };
    Tipus tipus = Tipus::Semmi;
    int kod = 0;        // Tipus::Kod, and the code on the label of the other kind
    QString eleje;      // Tipus::Nev
};

Kerdes Ertelmez(const QString& szoveg, Mod mod);

// What the operator is told of a label the field refuses (a wrong check
// digit, the other kind's label); empty for any other answer.
QString CimkeHiba(const Kerdes& k, const QString& szoveg);

// What a scanned label holds, whatever field it went into.
struct Cimke {
    enum class Fajta { Nem, Tetel, Ugyfel, Hibas };   // Nem: no label, typed text
    Fajta fajta = Fajta::Nem;
    int kod = 0;
};
Cimke CimkeOlvas(const QString& szoveg);

// The EAN-8 check digit of seven digits (0-9 each).
int Ean8Ellenorzo(QStringView hetJegy);
// The EAN-13 check digit of twelve digits.
int Ean13Ellenorzo(QStringView tizenketJegy);
// The thirteen digits of a customer's card; empty for a code out of range.
QString UgyfelKartyaSzam(qint64 azon);
inline constexpr const char* KartyaElotag = "29";

} // namespace GyorsKereses
