#pragma once
// Case folding and ordering that know Hungarian letters. SQLite's own UPPER,
// LOWER, LIKE and NOCASE fold ASCII only, so "ő" would never find "Ő"; the
// order is ICU's Hungarian collator.
#include <QByteArray>
#include <QList>
#include <QString>

namespace HuFold {

// Upper-cases code point by code point (no length-changing mappings), so a
// folded prefix is still a prefix of the folded text.
QString nagybetu(const QString& s);
QString kisbetu(const QString& s);

// True when text begins with prefix, letter for letter, ignoring letter case.
bool kezdodik(const QString& text, const QString& prefix);

// ---- the Hungarian alphabetical order --------------------------------------------
// ICU's "hu" collator at secondary strength: letter case is ignored; a/á,
// e/é, i/í, o/ó, u/ú, ö/ő, ü/ű are one letter each, the accent deciding
// only between otherwise equal texts; ö and ü are letters of their own after
// o and u; cs, dz, dzs, gy, ly, ny, sz, ty, zs are single letters (and
// "ssz" is "sz"+"sz"). Texts are compared as UTF-8, as SQLite stores them.

// False (with a Hungarian message) when the collator cannot be opened.
bool rendElerheto(QString* hiba = nullptr);
// Three-way comparison of two texts in that order.
int osszehasonlit(const char* a, int alen, const char* b, int blen);
int osszehasonlit(const QString& a, const QString& b);
// The collator's version ("153.120.42.0"): indexes built with another
// version must be rebuilt.
QString rendVerzio();

// Where the texts beginning with a typed text stand in that order. A text
// begins with `eleje` in the order when it is not before `eleje` and its
// letters start with the letters of `eleje` (accents aside, as the order
// sees them). Mostly that is one range of the order, [eleje, eleje+U+FFFF);
// when the end of `eleje` can be the start of a double letter ("Kass" →
// "Kassza" is k-a-sz-sz-a), the texts that complete it stand in ranges of
// their own further on. Disjoint ranges, in order; a search probes each
// with `>= also AND < felso` and takes the first hit in the order.
struct Tartomany {
    QString also;    // inclusive
    QString felso;   // exclusive
};
QList<Tartomany> kezdoTartomanyok(const QString& eleje);
// True when `szoveg` stands in one of those ranges.
bool rendKezdodik(const QString& szoveg, const QString& eleje);

// LIKE with % and _ (and an optional escape character), case-insensitive
// for every letter.
bool like(const QString& minta, const QString& szoveg, QChar escape = QChar());

// The same LIKE with one pattern for many texts (a scan of a table): the
// pattern is folded once, each text as it comes, from the engine's UTF-8.
class LikeMinta {
public:
    explicit LikeMinta(const QString& minta, QChar escape = QChar());
    QChar escape() const { return m_escape; }
    bool illik(const char* utf8, qsizetype hossz) const;
private:
    QList<char32_t> m_p;
    QChar m_escape;
    char32_t m_esc;
};

} // namespace HuFold
