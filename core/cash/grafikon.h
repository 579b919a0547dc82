#pragma once
// The rows the two statistics charts draw: the program's own income month by
// month, and the rentals of a period by the genre of the item lent. Reading
// only; each returns label and value per row, in the order drawn.
#include <QDate>
#include <QList>
#include <QString>

namespace Grafikon {

struct Sor {
    QString cimke;   // the month key, or the genre's name (empty: no genre)
    double ertek = 0;
    bool operator==(const Sor& m) const { return cimke == m.cimke && ertek == m.ertek; }
};

// The rental and membership fees ("B" and "T") per month key from `tol` to
// `ig`, both included, compared as text: keys as typed are passed unchanged,
// a reversed range gives nothing; entries without a month key (typed by
// hand) never count. One row per month that has some, in key order.
// Throws AdatbazisHiba.
QString BevetelSql();
QList<Sor> Bevetelek(const QString& tol, const QString& ig);

// The rental history rows dated from `tol` to `ig` (both days included)
// counted by the name of the lent item's genre. An item gone, without a
// genre or with a deleted one, or a genre without a name, counts in one
// group with an empty name. Groups in name order. Throws AdatbazisHiba.
QString MegoszlasSql();
QList<Sor> Megoszlas(const QDate& tol, const QDate& ig);

} // namespace Grafikon
