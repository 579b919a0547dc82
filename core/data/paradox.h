#pragma once
// One Paradox table (.DB) of an earlier data folder, read through pxlib:
// its header, its fields and its rows, with the values in our own types.
// Text is converted from the code page the header names (Windows-1250 when
// it names none) to Unicode; of a memo field, what the record itself holds.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <memory>
#include <vector>

namespace Paradox {

// Field types as pxlib numbers them.
enum Tipus : int {
    Alpha = 0x01, Date = 0x02, Short = 0x03, Long = 0x04, Currency = 0x05, Number = 0x06,
    Logical = 0x09, MemoBlob = 0x0C, Blob = 0x0D, FmtMemo = 0x0E, Time = 0x14, Timestamp = 0x15,
    AutoInc = 0x16, Bcd = 0x17, Bytes = 0x18,
};
QString tipusNev(int tipus);

struct Mezo {
    QString nev;
    int tipus = 0;
    int hossz = 0;   // bytes in the record
};

// A Paradox date is a day count from 1 January of year 1 (day 1).
inline constexpr qint64 NapEltolas = 1721425;
inline QDate datumbol(qint64 napok) { return QDate::fromJulianDay(napok + NapEltolas); }
inline qint64 datumba(const QDate& d) { return d.toJulianDay() - NapEltolas; }

class Tabla {
public:
    Tabla();
    ~Tabla();
    Tabla(const Tabla&) = delete;
    Tabla& operator=(const Tabla&) = delete;

    // Opens the file for reading. On failure false with a Hungarian reason
    // (missing, unreadable, truncated, not a Paradox table, encrypted, an
    // unknown code page); the file's name is the caller's to add.
    bool nyit(const QString& fajl, QString* hiba);
    QString fajl() const { return m_fajl; }

    int sorSzam() const;
    int kodlap() const { return m_kodlap; }      // 1250 for a header without one
    const std::vector<Mezo>& mezok() const { return m_mezok; }
    int mezoIndex(const QString& nev) const;      // any letter case; -1 when absent

    // The next row (the first at the first call); false after the last one,
    // or on a damaged block, when hiba() tells why.
    bool kovetkezo();
    int sor() const { return m_sor + 1; }         // the current row's number in the file, from 1
    QString hiba() const { return m_hiba; }

    // A field of the current row: null when the field is empty (all zero
    // bytes), else int (Long, Short, AutoInc), double (Number, Currency),
    // QString (Alpha, memo), QDate, QTime, QDateTime (Timestamp), bool
    // (Logical). A value that cannot be what its type says (a text the code
    // page does not map, a day before year 1 or after 9999, a time beyond
    // the day) gives false and a Hungarian reason in *hiba.
    bool ertek(int mezo, QVariant* v, QString* hiba);

private:
    struct Belso;
    std::unique_ptr<Belso> d;
    QString m_fajl, m_hiba, m_memoFajl;
    std::vector<Mezo> m_mezok;
    std::vector<int> m_eltolas;
    int m_kodlap = 1250;
    int m_sor = -1;
    const char* m_rekord = nullptr;
};

// Text of a code page (1250, 852, ...) as Unicode. False when a byte has no
// character in that code page.
bool kodlaprol(int kodlap, const QByteArray& bajtok, QString* szoveg);
// The reverse, for tools that write tables; false when a character has no byte.
bool kodlapra(int kodlap, const QString& szoveg, QByteArray* bajtok);
bool ismertKodlap(int kodlap);

} // namespace Paradox
