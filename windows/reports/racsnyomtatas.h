#pragma once
// Printing a list window's grid: what it shows, as it shows it (columns,
// titles, alignments, the widths on the screen) over its list in the
// current order and filter.
#include "print/reports/tqrgridprint.h"

class QTableView;

// The description of a grid over a ListaModell; a grid over another model
// gives its columns and no rows.
GridKep RacsKep(const QTableView* racs);

// `nyomtat`: straight to the printer; otherwise the preview, which returns
// once closed. `osszegMezo` empty: no total. False when nothing was printed.
bool RacsNyomtat(QTableView* racs, bool nyomtat, const QString& cim, const QString& alcim,
                 const QString& osszegMezo, int betuMeret);
