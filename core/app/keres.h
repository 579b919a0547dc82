#pragma once
// The detailed search of the items: a piece of text anywhere in the title,
// the description or the genre name, any letter case (Hungarian letters
// too). The text is bound as a value, never pasted into the statement, so an
// apostrophe is only a letter; the operator's own "%" and "_" stay wildcards.
// An empty field is never found, not even by an empty text.
#include "core/data/kulcslista.h"

#include <QString>
#include <QVariantList>

// The pattern: the text upper-cased letter by letter, "%" before and after.
QString KeresMinta(const QString& szoveg);

// The found items in title order (Hungarian order), keys only, rows read a
// page at a time: the fields of `video` and `tipus_nev`. Empty until
// KeresFuttat.
KulcsosLista KeresLista();
// Runs the search for `szoveg` on `lista` (made by KeresLista); returns the
// number of items found. Throws AdatbazisHiba.
int KeresFuttat(KulcsosLista& lista, const QString& szoveg);

// The same search as one whole statement, for a report that runs it on its
// own: lines joined by line breaks, the values bound to its "?" in order.
// It returns the rows KeresFuttat lists, in the same order, each with every
// field of `video` and the names of its type, genre, price category,
// customer and rental period.
struct KeresUtasitas {
    QString sql;
    QVariantList param;
};
KeresUtasitas KeresNyomtatando(const QString& szoveg);

inline constexpr const char* KeresNincsTalalat = "Nincs ilyen sor, keresés sikertelen";
inline constexpr const char* KeresJelentesCim = "Keresés eredménye";
