#pragma once
// The counter by scanner: what a scanned or typed code stands for, found
// through the code indexes (one probe each, whatever the shop's size), and
// what the counter must say before a card holder's rental.
#include "core/rental/kolcsonzes.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace Beolvasas {

struct Tetel {
    qint64 video = 0;
    int azon = 0;
    QString nev;
    bool kint = false;
    int ugyfel = 0;         // its customer while out
    QString ugyfelNev;
};
// The item of a code: of several with one code, a kept one before a deleted
// one, then the first by key. Nothing when no item has the code.
std::optional<Tetel> TetelKodbol(int azon);

struct Ugyfel {
    int ugyfel = 0;
    int azon = 0;
    QString nev;
    QDate dijfizetve;
    bool torolve = false;
};
// The customer of a code, likewise.
std::optional<Ugyfel> UgyfelKodbol(int azon);
std::optional<Ugyfel> UgyfelKulcsbol(int ugyfel);

// What the operator is told before the first item joins a card holder's
// rental: an expired membership and the items kept past their due moment.
struct Figyelmeztetes {
    bool tagsagLejart = false;
    QDate dijfizetve;
    QList<VisszavetelTetel> kesesben;
    bool ures() const { return !tagsagLejart && kesesben.isEmpty(); }
    QString szoveg() const;   // Hungarian, a line an item
};
Figyelmeztetes KolcsonzesElott(const Ugyfel& u);

// The shop's default rental period, as TBeall names it; nothing when none
// is set or the period no longer exists.
struct Idoszak {
    int fiztip = 0;
    QString nev;
    int ora = 0;
};
std::optional<Idoszak> AlapIdoszak();
std::optional<Idoszak> IdoszakOlvas(int fiztip);
QList<Idoszak> Idoszakok();   // every period, by key

// The five-digit form codes are shown in.
QString KodSzoveg(int azon);

} // namespace Beolvasas
