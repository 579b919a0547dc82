#pragma once
// The fifteen tables of the data folder: fields in stored order, types,
// text widths and indexes. The same description creates a new database and
// checks an existing one when it is opened.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class QSqlDatabase;

namespace Sema {

enum class Tipus { AutoInc, Egesz, Valos, Szoveg, Datum, Ido };

struct Mezo {
    QString nev;
    Tipus tipus;
    int hossz = 0;          // for Szoveg: at most this many characters
    bool kotelezo = false;  // NOT NULL (text keys only)
};

struct Tabla {
    QString nev;
    std::vector<Mezo> mezok;
    QStringList kulcs;                 // primary key field(s)
    QStringList indexek;               // CREATE INDEX statements
};

const std::vector<Tabla>& tablak();

// The named CHECK constraint of a field's type and width: its name (the
// Hungarian sentence a refusal shows) and its expression. Empty for AutoInc.
// CREATE TABLE writes these; an existing table takes a changed one only by
// being rebuilt (the engine cannot add a CHECK to a table).
struct Korlat { QString nev, kifejezes; };
Korlat korlat(const Mezo& m);
const Tabla* tabla(const QString& nev);          // any letter case
const Mezo* mezo(const QString& tabla, const QString& mezo);

// Stored forms of dates and times: ISO text, so that they sort and compare.
inline constexpr const char* DatumFormatum = "yyyy-MM-dd";
inline constexpr const char* IdoFormatum = "HH:mm:ss";

// Converts a raw SQLite value into the field's own type (QDate, QTime,
// int, double, QString); null stays null.
QVariant ertekbe(Tipus t, const QVariant& nyers);
// Converts a typed value into its stored form. Throws AdatbazisHiba for a
// number that is not finite (inf, nan).
QVariant tarolt(const QVariant& ertek);

// Creates every table and index in an empty database. Throws AdatbazisHiba.
void letrehoz(QSqlDatabase& db);
// Empty when every table and field is there; otherwise a Hungarian message.
QString ellenoriz(QSqlDatabase& db);

} // namespace Sema
