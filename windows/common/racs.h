#pragma once
// The look and behaviour every read-only grid of the program shares: whole
// rows, one at a time, no editing in the grid, titles that do not sort, a
// narrow row indicator, and the current row highlighted even without the focus.
class QFont;
class QTableView;

void RacsBeallit(QTableView* racs);

// The grids' font at `pont` points: a sans whose double acute (ő, ű, Ő, Ű)
// stays distinct from the diaeresis at the small sizes grids use, where the
// window font's is a flat bar of a pixel or two.
QFont RacsBetu(int pont);

class ListaModell;
// Moves the row indicator of `racs` to `sor` (-1: none).
void RacsSorJel(QTableView* racs, ListaModell* modell, int sor);

class QTableWidget;
// The same for a grid that holds its own few rows (the rental and return
// windows): the current row's title carries the mark, the others nothing
// (no row numbers). Call after the rows or the current row changed.
void RacsSorJel(QTableWidget* racs);
