#pragma once
// A shop's years of data taken over from its earlier data folder: the
// fifteen Paradox tables (read with pxlib) and the settings file beside
// them, into a new installation's database. All or nothing: the database is
// built under a temporary name and takes its place only once every row is
// in and the check figures of both sides agree.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QSqlDatabase;

namespace Atvetel {

struct Beallitasok {
    QString regi;          // the earlier data folder, or a zip archive of it
    QString ini;           // the earlier settings file; empty: looked for beside the data folder
    bool proba = false;    // read and check everything, write nothing
    // Replace a database that holds only the delivered rows (the window's
    // case at a first start); the caller has closed its connection.
    bool csere = false;
};

struct TablaSzam {
    QString tabla;         // our table name
    QString fajl;          // the file it came from ("video.DB"), empty when missing
    qint64 olvasott = 0, irt = 0;
};

struct Ellenorzes {
    QString nev;           // "a pénztár összege"
    QString regi, uj;      // as printed
    bool egyezik = false;
};

struct Eredmeny {
    QList<TablaSzam> tablak;
    QList<Ellenorzes> ellenorzesek;
    QStringList megjegyzesek;   // warnings and the settings taken over
    QString adatbazis;          // the database made (empty in a trial run)
};

// The table being read, its rows done and its rows in all. Called at each
// table's start and end and every few thousand rows.
using Jelzes = std::function<void(const QString& tabla, qint64 kesz, qint64 osszes)>;

// Takes the data over into `programMappa` (its Data folder and settings
// file). False with a Hungarian reason naming the file (and the row's number
// in it) when anything is refused; then no database is left behind and the
// settings file is untouched. `eredmeny` holds what was done so far either way.
bool atvesz(const QString& programMappa, const Beallitasok& b, Eredmeny* eredmeny, QString* hiba,
            const Jelzes& jelzes = {});

// The table of counts and check figures, and the remarks, as text lines.
QString jelentes(const Eredmeny& e);

// True when the database holds nothing a shop made: no item, customer,
// history row or cash entry (only what an installation delivers).
bool csakAlapadatok(const QSqlDatabase& db);

// Whether the take-over was offered at a start already: asked once for a
// database (a row of the book-keeping table), whatever the answer was.
bool felajanlva(const QSqlDatabase& db);
void felajanlvaJelol(const QSqlDatabase& db);

// The tables an earlier data folder must have, and the two it may lack.
QStringList foTablak();
inline const QStringList OpcionalisTablak = {QStringLiteral("irsz"), QStringLiteral("vkod")};

} // namespace Atvetel
