#pragma once
// The settings window's rules: the beallit row as the window edits it, and
// its saving together with the three settings-file values the window shows
// (full screen, data folder, archive folder).
#include "core/admin/tulajdonos.h"
#include "core/rental/kesedelem.h"

#include <QString>
#include <QVariant>

// The fields of the beallit row the window edits, as stored: a field may be
// empty or hold a value other than "I"/"N", and what the operator leaves
// alone is written back as it was.
struct BeallitSor {
    QVariant beallit;   // the row's key; invalid while the table is empty
    QVariant vanbelep, dijnegyed, dijfel, dijev, autonyom, elorefizet, kolcsszoveg, alapfiztip;
};

// The settings-file values of the window.
struct BeallitFajlErtekek {
    bool TeljesKep = false;
    QString Utvonal;
    QString MentesUtvonal;
};

// The row the program reads at start: the first by key. An empty table gives
// empty fields and no key. Throws AdatbazisHiba when the table cannot be read.
BeallitSor BeallitSorOlvas();

// The file values as TBeall holds them now.
BeallitFajlErtekek BeallitFajlErtekekTBeallbol();

// Saves the window, all of it or none of it: the row (an empty table gets
// its first row), the three values into the settings file `iniFajl` (its
// other lines kept, written safely and durably at once, so a crash before the
// program's close loses nothing), and then the three values into TBeall.
// With `tulajdonos`, the shop's details are stored in the same transaction,
// and so are the late-fee rules with `kesedelem` (Kesedelem::Ment).
// Throws AdatbazisHiba with the reason (the row refused, the file not
// writable); the row, the file and TBeall are then as they were.
void BeallitasokMent(const BeallitSor& sor, const BeallitFajlErtekek& fajl, const QString& iniFajl,
                     const TulajdonosAdat* tulajdonos = nullptr,
                     const QList<Kesedelem::ArkatSzabaly>* kesedelem = nullptr);

// Finishes a save that was killed after its commit and before its settings
// file took its place: with the session open, at start. True when the
// settings file changed (it is to be read again). A save whose row did not
// commit leaves nothing to finish: its pending file is removed, and so are
// the temporaries of killed writers beside the settings file.
bool BeallitasokBefejez(const QString& iniFajl);
