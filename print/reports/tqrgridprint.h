#pragma once
// A grid printed as a simple table: one printed column per grid column, with
// the grid's titles, alignments and relative widths, over the grid's own
// list in its current order and filter. The page is 575 units wide; the
// columns are laid out when the report is built, from the screen widths.
//
// What the report needs of a grid is a plain description (GridKep), so that
// it is built and tested without a display; the window layer fills one from
// a QTableView (reports/racsnyomtatas.h).
#include "print/common/jelentes.h"

#include <QList>
#include <QString>

class KulcsosLista;

// One grid column as the screen shows it.
struct GridOszlop {
    QString mezo;                        // empty: an empty column under its heading
    QString cim;                         // the column's title
    Jelentes::Igazitas igazitas = Jelentes::Bal;
    int szelesseg = 0;                   // pixels
    Jelentes::Formatum formatum = {};    // as the grid shows the value; default VarSzoveg
};

// What is printed of a grid.
struct GridKep {
    QList<GridOszlop> oszlopok;          // in order, hidden ones too
    int szelesseg = 0;                   // the grid's overall width, pixels
    const KulcsosLista* lista = nullptr; // the rows; null: none
};

class TqrGridPrint : public Jelentes {
public:
    // The printable band, in the units the columns are placed in.
    static constexpr int SavSzelesseg = 575;

    // Where a column stands and how wide it is, in units.
    struct Hely {
        int x = 0, w = 0;
        bool operator==(const Hely&) const = default;
    };
    // Each column gets its share of the band (rounded to the nearest unit,
    // an exact half to the even one); 4 units separate neighbours. Columns
    // wider together than the grid run off the right edge. A grid of no
    // width gives every column 0.
    static QList<Hely> Helyek(const QList<int>& szelessegek, int racsSzelesseg);
    // Nearest whole number, an exact half to the even neighbour.
    static int Kerekit(double x);

    // `osszegMezo`: a numeric field totalled under its column at the end
    // (empty: no summary). `betuMeret`: points of the headings, the data
    // and the summary.
    TqrGridPrint(const GridKep& racs, const QString& cim, const QString& alcim, const QString& osszegMezo,
                 int betuMeret);

    // The columns as placed (units), in grid order.
    const QList<Hely>& helyek() const { return m_helyek; }
    // Millimetres per unit.
    double egyseg() const;

    // Streams the grid's rows and reads the owner's record. Throws AdatbazisHiba.
    void megnyit();

private:
    GridKep m_racs;
    QList<Hely> m_helyek;
};

// The routine: builds the report over the grid, then prints it at once
// (`nyomtat`) or shows the preview and waits until it is closed. A database
// error, before or while the rows are read, is shown with its reason;
// returns false when nothing (complete) was printed.
bool GridNyomtat(QWidget* szulo, const GridKep& racs, bool nyomtat, const QString& cim, const QString& alcim,
                 const QString& osszegMezo, int betuMeret);
