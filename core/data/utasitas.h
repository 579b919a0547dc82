#pragma once
// One prepared statement of the engine, the only way the program talks to
// it below Qt's driver: prepared once, bound, stepped row by row, reset and
// run again, and finalized when it goes, however it goes (a bind that
// throws included). Columns are read typed, straight from the engine, so a
// million rows cost what the engine costs. Every failure throws
// AdatbazisHiba with the engine's reason in Hungarian and its kind.
#include "core/data/adatbazis.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

struct sqlite3_stmt;

namespace Sema {
enum class Tipus;
}

namespace Adatbazis {

// The kind of a failure from the engine's result code.
AdatbazisHiba::Fajta hibaFajta(int motorKod);

// The stored forms of dates ("yyyy-MM-dd") and times ("HH:mm:ss") read
// digit by digit: the format-string parser is far slower, and lists and
// exports read hundreds of thousands of them. False when `s` is not in
// that form (the numbers are not checked for range).
inline bool isoDatumJegyek(QByteArrayView s, int& ev, int& ho, int& nap)
{
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    const char* p = s.data();
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (p[i] < '0' || p[i] > '9') return false;
    ev = (p[0] - '0') * 1000 + (p[1] - '0') * 100 + (p[2] - '0') * 10 + (p[3] - '0');
    ho = (p[5] - '0') * 10 + (p[6] - '0');
    nap = (p[8] - '0') * 10 + (p[9] - '0');
    return true;
}

inline bool isoIdoJegyek(QByteArrayView s, int& ora, int& perc, int& mp)
{
    if (s.size() != 8 || s[2] != ':' || s[5] != ':') return false;
    const char* p = s.data();
    for (int i : {0, 1, 3, 4, 6, 7})
        if (p[i] < '0' || p[i] > '9') return false;
    ora = (p[0] - '0') * 10 + (p[1] - '0');
    perc = (p[3] - '0') * 10 + (p[4] - '0');
    mp = (p[6] - '0') * 10 + (p[7] - '0');
    return true;
}

class Utasitas {
public:
    // What a column of the current row holds.
    enum class Tipus { Null, Egesz, Valos, Szoveg, Bajtok };

    Utasitas() = default;
    // On the session.
    explicit Utasitas(const QString& sql);
    Utasitas(const QSqlDatabase& db, const QString& sql);
    // The first statement of `szoveg` (UTF-8); `*farok` is set to where the
    // next one begins. A piece of only blanks and comments gives a statement
    // that is not ervenyes(). `nyers`: see nyersUzenet().
    static Utasitas elso(const QSqlDatabase& db, QByteArrayView szoveg, qsizetype* farok, bool nyers = false);
    ~Utasitas();
    Utasitas(Utasitas&& m) noexcept;
    Utasitas& operator=(Utasitas&& m) noexcept;
    Utasitas(const Utasitas&) = delete;
    Utasitas& operator=(const Utasitas&) = delete;

    bool ervenyes() const { return m_st != nullptr; }
    // The engine's own message on failure, untranslated: for the free SQL
    // window, which shows the engine's words as they are.
    void nyersUzenet(bool nyers) { m_nyers = nyers; }

    // Parameters count from 1, as the engine counts them; values are stored
    // as Adatbazis::vegrehajt stores them (Sema::tarolt).
    Utasitas& kot(int i, const QVariant& ertek);
    // A named parameter (":nev", or "nev" for ":nev").
    Utasitas& kot(const QString& nev, const QVariant& ertek);
    // Positional from the first.
    Utasitas& kotMind(const QVariantList& param);
    Utasitas& kotEgesz(int i, qint64 v);
    Utasitas& kotValos(int i, double v);
    Utasitas& kotNull(int i);
    // `masol` false: the bytes are not copied and must stay put until the
    // next step or reset.
    Utasitas& kotSzoveg(int i, QByteArrayView utf8, bool masol = true);

    // Steps to the next row: true with a row, false when there are no more.
    bool lep();
    // Runs to the end, every row passed over.
    void futtat();
    // Back to the start for another run; the bound values stay.
    void ujra();

    int oszlopok() const;
    QString oszlopNev(int i) const;
    Tipus tipus(int i) const;
    bool ures(int i) const { return tipus(i) == Tipus::Null; }
    qint64 egesz(int i) const;
    double valos(int i) const;
    QString szoveg(int i) const;
    // The text's UTF-8 bytes (the blob's bytes), valid until the next step.
    QByteArrayView utf8(int i) const;
    QByteArrayView bajtok(int i) const;
    // As the Qt driver gives it: integer, real, text, bytes or null.
    QVariant ertek(int i) const;
    // Sema::ertekbe of the column, the stored date and time forms read fast.
    QVariant ertek(int i, Sema::Tipus t) const;
    // The table and field a column is read straight from; false for an
    // expression.
    bool forras(int i, QString* tabla, QString* mezo) const;

    QByteArray sql() const;
    // It writes nothing when run (a query).
    bool csakOlvas() const;
    // Of the connection: the key of the last row inserted, rows changed by
    // the last INSERT/UPDATE/DELETE, and by every one since it opened.
    qint64 utolsoKulcs() const;
    qint64 valtozott() const;
    qint64 osszesValtozas() const;

private:
    [[noreturn]] void hiba(int rc) const;
    Utasitas(sqlite3* h, sqlite3_stmt* st) : m_h(h), m_st(st) {}
    static sqlite3* kapcsolat(const QSqlDatabase& db);
    void elokeszit(const QString& sql);
    sqlite3* m_h = nullptr;
    sqlite3_stmt* m_st = nullptr;
    bool m_nyers = false;
};

} // namespace Adatbazis
