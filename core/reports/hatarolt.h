#pragma once
// Delimited text files for spreadsheets: the rows of a list or a query written
// in Windows-1250, each value wrapped in the qualifier and followed by the
// delimiter, every line ending in CR LF. Rows are read from the engine and
// written as they come, so a million rows need no more memory than ten.
#include "core/data/adatbazis.h"
#include "core/data/sema.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <functional>

class KulcsosLista;

namespace Hatarolt {

// What is written: the rows of one statement, in its order.
struct Forras {
    QString sql;
    QVariantList param;
    QStringList mezok;            // field names, in the order they are offered and written
    QStringList feliratok;        // their display labels (the header of the export window)
    QVector<int> oszlopok;        // the statement's column of each field
    // How each field's value reads (dates in the short date format, ...);
    // a field without one is written as the engine holds it.
    QVector<Sema::Tipus> tipusok;
    QVector<bool> tipusIsmert;
    // A name looked up by a key, read into memory before the rows instead of
    // joined to every row: the statement of the key -> name pairs
    // ("SELECT tipus, tipus_nev FROM tipus"); the field's column then holds
    // the key. Empty for a field read from the statement. A key without a
    // name, or no key, gives an empty field (as an outer join would).
    QStringList kikeresek;
    qint64 sorok = -1;            // number of rows when known (progress), else -1
    // The connection it is read on; not valid: the session's.
    QSqlDatabase db;
};

// A list as it is shown (its filter and order), every field of it;
// `felirat` gives a field's display label (none: the field's name).
Forras ListaForras(const KulcsosLista& lista, const std::function<QString(const QString&)>& felirat = {});
// Every column of a query, labelled by its name; a column read straight from
// a table's field takes that field's type. Throws AdatbazisHiba when the
// statement is wrong. `db`: read on that connection instead of the session's.
Forras LekerdezesForras(const QString& sql, const QVariantList& param = {}, const QSqlDatabase& db = {});
// The number of rows of a source (counted when not known). Throws AdatbazisHiba.
qint64 SorokSzama(const Forras& f);

// The delimiter and qualifier choices of the export window, in their order.
struct Valasztas { QString felirat; QString jel; };
const QList<Valasztas>& Elvalasztok();   // ";" (the default), tab, ","
const QList<Valasztas>& Jelolok();       // '"' (the default), "'", none

struct Beallitas {
    QString elvalaszto = QStringLiteral(";");
    QString jelolo = QStringLiteral("\"");
    QVector<bool> kijelolt;       // the ticked fields; empty: every field
    // The export window: display labels in the header and "BLOB" for raw
    // data. The quick writer: field names, raw data as it is.
    bool feliratok = true;
    bool blobSzo = true;
};

struct Eredmeny {
    qint64 sorok = 0;             // data lines written
    qint64 csereltErtekek = 0;    // values (and labels) with a character Windows-1250 has not
    bool megallitva = false;
};

// The file could not be made at all (as opposed to failing on the way):
// `rendszer` is the system's reason.
class MegnyitasiHiba : public AdatbazisHiba {
public:
    MegnyitasiHiba(const QString& uzenet, const QString& rendszer) : AdatbazisHiba(uzenet), m_rendszer(rendszer) {}
    QString rendszer() const { return m_rendszer; }
private:
    QString m_rendszer;
};

// Writes the file: a header line, then a line per row. An existing file is
// replaced, but only once the new one is whole (a failure leaves it as it
// was). `halad(kesz)` runs before each row with the number of rows written;
// false stops there, and the file is kept with the header and those rows.
// Throws AdatbazisHiba with the reason in Hungarian (MegnyitasiHiba when
// the file cannot be made).
Eredmeny Ir(const Forras& f, const Beallitas& b, const QString& fajl,
            const std::function<bool(qint64)>& halad = {});

// ---- Windows-1250 ------------------------------------------------------------
// The text in Windows-1250. A character the code page has not is written as
// its closest letter there (the letter without its accent, a letter of another
// script spelt in Latin ones) or else as "?"; `cserelt` then becomes true.
QByteArray Cp1250(const QString& s, bool* cserelt = nullptr);
// The same for UTF-8 text, appended to `ki`. Returns false when a character
// had to be replaced.
bool Cp1250Hozzaad(QByteArray& ki, const char* utf8, qsizetype n);

// The message after an export: how many values were written changed.
QString CsereUzenet(qint64 db);

} // namespace Hatarolt
