#pragma once
// The shop's own details (the single tulajdonos row): its name, address,
// phones, tax number and bank account, printed on every report and receipt.
#include <QString>
#include <QStringList>
#include <QVariant>

struct TulajdonosAdat {
    QString tulajdonos, irsz, varos, cim, telefon, mobil, fax, adoszam, bankszamlaszam;
    bool operator==(const TulajdonosAdat&) const = default;
};

namespace Tulajdonos {

// One field: its column, its caption, and where the struct keeps it.
struct Mezo {
    const char* nev;
    const char* felirat;
    QString TulajdonosAdat::* tag;
    int hossz;   // at most this many characters (the column's width)
};
// In the order a form shows them.
const QList<Mezo>& mezok();
// A field's value as stored: an empty field is an empty text, not NULL.
QVariant tarolt(const QString& ertek);

// The invented shop of the sample catalogue and the tools' databases.
const TulajdonosAdat& Minta();

// The stored row (the first one); empty fields when there is none.
// Throws AdatbazisHiba.
TulajdonosAdat olvas();

// True while the shop has not given its details: no row, or no name in it.
bool kitoltetlen();

// Empty when `a` may be stored, otherwise the Hungarian reason (a name is
// required, no field longer than its column).
QString ellenoriz(const TulajdonosAdat& a);

// Stores `a` as the shop's row, in one transaction (inside the caller's, if
// there is one). Throws AdatbazisHiba with ellenoriz()'s reason or the
// database's.
void ment(const TulajdonosAdat& a);

// Reads a settings text for scripted installs: UTF-8 lines "field=value"
// with the column names above; blank lines and lines starting with '#' are
// skipped. A file that cannot be read, an unknown field, a line without
// '=' or a value ellenoriz() refuses gives false and the reason, with the
// line's number where there is one.
bool fajlbol(const QString& fajl, TulajdonosAdat* a, QString* hiba);

} // namespace Tulajdonos
