#pragma once
// Items loaded in bulk from a semicolon-separated text: the first line is a
// heading, every further line one new item (code; type; price category;
// title; description; genre; purchase price). Nothing is checked against
// the catalogue (codes may repeat, keys need not exist): what the table
// itself refuses stops the import. The whole text is one transaction, so a
// refused line leaves the table as it was and the corrected text can simply
// be imported again.
#include "core/data/adatbazis.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace TetelImport {

// How the bytes of a file were read. Files of the old counter programs are
// Windows-1250; today's editors write UTF-8, some UTF-16 with a byte-order
// mark. A text that is valid UTF-8 (plain ASCII included) is read as UTF-8;
// one with a UTF-16 byte-order mark as UTF-16; one that is mostly UTF-8 (more
// whole multi-byte UTF-8 letters than stray bytes) with a fault is refused;
// anything else is Windows-1250.
enum class Kodolas { Utf8, Cp1250, Utf16 };
QString KodolasNev(Kodolas k);   // "UTF-8", "Windows-1250", "UTF-16"

// The largest file the import reads (64 MB): far beyond any catalogue,
// and a bound on the memory a wrong file can take.
inline constexpr qint64 LegnagyobbFajl = 64LL * 1024 * 1024;

struct Beolvasott {
    QString szoveg;
    Kodolas kodolas = Kodolas::Utf8;
};
// A byte-order mark is dropped. Throws AdatbazisHiba (of kind Bemenet, with
// the line's number in sor()) for a text with a NUL or a faulty UTF-8 or
// UTF-16 one.
Beolvasott Dekodol(const QByteArray& bajtok);
// The whole file, decoded. Throws AdatbazisHiba (Hungarian, with the
// system's reason) when it cannot be read, is no regular file or is larger
// than LegnagyobbFajl.
Beolvasott FajlOlvas(const QString& fajl);

// The lines of a text: CR LF, LF and a lone CR each end a line; a final line
// break does not make one more (empty) line.
QStringList Sorok(const QString& szoveg);

// One line's item as stored: fields counted from 1 between ";", missing ones
// empty, those after the seventh ignored; numbers read tolerantly (blanks
// and spaces inside removed, "," or "." as decimal separator, 0 when unreadable).
struct Tetel {
    int azon = 0;
    int tipus = 0;
    int arkat = 0;
    QString video_nev;
    QString szoveg;
    int mufaj = 0;
    double beszar = 0;
};
Tetel SorOlvas(const QString& sor);

// A line the table refused: its number in the text (sor(), the heading is
// line 1) and the engine's reason in Hungarian.
class SorHiba : public AdatbazisHiba {
public:
    SorHiba(int sor, const QString& ok);
    QString ok() const { return m_ok; }
private:
    QString m_ok;
};

struct Eredmeny {
    qint64 tetelek = 0;       // items stored
    qint64 utolsoKulcs = -1;  // `video` key of the last one, -1 when none
};

// Imports every line after the first, in one transaction, with today's date
// as the purchase date, in the shop, not deleted, never lent. `halad(kesz,
// osszes)` runs after each line (osszes: the lines less the heading).
// Throws SorHiba for a refused line, AdatbazisHiba when the store fails;
// either way nothing is stored.
Eredmeny Importal(const QString& szoveg, const std::function<void(qint64, qint64)>& halad = {});

} // namespace TetelImport
