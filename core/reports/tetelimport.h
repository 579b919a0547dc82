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
// Windows-1250; today's editors write UTF-8. A text that is valid UTF-8
// (plain ASCII included) is read as UTF-8, anything else as Windows-1250.
enum class Kodolas { Utf8, Cp1250 };
QString KodolasNev(Kodolas k);   // "UTF-8", "Windows-1250"

struct Beolvasott {
    QString szoveg;
    Kodolas kodolas = Kodolas::Utf8;
};
// A UTF-8 byte-order mark is dropped.
Beolvasott Dekodol(const QByteArray& bajtok);
// The whole file, decoded. Throws AdatbazisHiba (Hungarian, with the
// system's reason) when it cannot be read.
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
