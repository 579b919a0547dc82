#pragma once
// The tables of the data folder: fields in stored order, types, text widths
// and indexes. The fifteen of the earlier Paradox folder come first; tables
// and fields of a version past RegiVerzio are this program's own additions. The same description creates a new database,
// checks an existing one when it is opened and brings an older one up to
// the current schema version (PRAGMA user_version).
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
    int verzio = 0;         // the schema version that added it
};

struct Tabla {
    QString nev;
    std::vector<Mezo> mezok;
    QStringList kulcs;                 // primary key field(s)
    QStringList indexek;               // CREATE INDEX statements
    int verzio = 0;                    // the schema version that added it
};

// The schema version this program writes. An older database is brought up
// to it when opened; a newer one is refused.
//   1: the book-keeping table `rendszer` (the collator version of the indexes).
//   2: the index of the cash book's month keys, cassa(idoszak).
//   3: felhasznalo.jelszo widened to hold a password's salted digest.
//   4: the index of the items' types, video(tipus).
//   5: the scanner counter: beallit.alapfiztip (the default rental period),
//      the late-fee rules (kesedelem) and the day closes (zaras).
inline constexpr int Verzio = 5;
// The last version whose tables and fields all come from the earlier
// Paradox data folder; later ones start empty when a folder is taken over.
inline constexpr int RegiVerzio = 4;
inline bool regiMappaban(const Tabla& t) { return t.verzio <= RegiVerzio; }
inline bool regiMappaban(const Mezo& m) { return m.verzio <= RegiVerzio; }

// The database's own book-keeping, outside the shop's tables: name → value.
inline constexpr const char* RendszerTabla = "rendszer";
// Under this name: the version of the collator the HU indexes were built with.
inline constexpr const char* RendezesKulcs = "hu_rendezes";

const std::vector<Tabla>& tablak();
// The name of the index a statement of Tabla::indexek creates.
QString indexNev(const QString& createIndex);

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

// Creates every table and index in an empty database, marked with the
// current schema version and the running collator's version. Run it inside
// a transaction. Throws AdatbazisHiba.
void letrehoz(QSqlDatabase& db);
// Empty when the database is of this program: a schema version it knows and
// every table and field that version has; otherwise a Hungarian message.
QString ellenoriz(QSqlDatabase& db);
// For a database ellenoriz() accepted: in one transaction, the steps from
// its schema version up to the current one (tables, fields and indexes
// added since), every index of the schema that is missing (dropped since),
// and, when the collator's version differs from the one stored, a rebuild
// of every index ordered by HU (REINDEX HU) and the new version stored.
// Does nothing (and takes no lock) when all is current, nor for missing
// indexes alone when the file cannot be written.
// Throws AdatbazisHiba; then nothing has changed.
void frissit(QSqlDatabase& db);
int semaVerzio(QSqlDatabase& db);

} // namespace Sema
