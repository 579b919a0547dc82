#pragma once
// The rental history: the history rows of one customer (what they borrowed,
// and when) or of one item (who borrowed it, and when), oldest lending first.
// Rows are only ever appended by a rental; nothing here writes.
#include "core/data/kulcslista.h"

#include <QString>

enum class TortenetMod {
    Ugyfel,   // the rows of a customer (`ugyfel` key)
    Tetel     // the rows of an item (`video` key)
};

namespace Tortenet {

// The query the window and the report read: the history rows with the
// customer's and the item's names. The outer joins keep a row whose customer
// or item has been deleted since, with an empty name. The added line picks
// the rows of the given customer or item in key order, which is the order of
// lending; the history table's index on that column carries the key, so the
// rows come in order without sorting, however many there are.
QString Lekerdezes(TortenetMod mod, qint64 kulcs);

// The same rows as a keyed list for a grid (ListaModell): fields
// `ugyfel_video`, `ugyfel`, `ugyfel_nev`, `video`, `video_nev`, `datum`.
// Call betolt() to read the keys.
KulcsosLista Lista(TortenetMod mod, qint64 kulcs);

// Whose history it is: the name in the window's panel and the report's
// page header (`ugyfel_nev` for a customer's history, `video_nev` for an
// item's), read from the current or printed row.
QString FejMezo(TortenetMod mod);
// The other side of each lending: the name column of the grid and of the
// report's rows (`video_nev` for a customer's history, `ugyfel_nev` for an
// item's).
QString SorMezo(TortenetMod mod);

} // namespace Tortenet
