#pragma once
// The codes of a run of barcode labels: the range typed in (or given on the
// command line) and the work table `vkod` the label report prints from.
// Two kinds of run: item labels (a label for every code of the range) and
// customer cards (a card for every listed customer whose code is in it).
#include <QString>
#include <QtGlobal>

namespace VKod {

enum class Fajta { Tetel, Ugyfel };

// An EAN-8 symbol carries seven digits and its check digit, so no code
// above seven digits can be put on a label.
inline constexpr qint64 LegnagyobbKod = 9999999;
// A card carries the customer's code in ten digits; a customer's code is
// at most what the table's field holds.
inline constexpr qint64 LegnagyobbUgyfelKod = 2147483647;

// The rows of the label report, in the order they were written.
inline constexpr const char* Lekerdezes = "SELECT azon FROM vkod ORDER BY vkod";
// The rows of the card report: one per listed customer with a code of the
// run, so customers who share a code each get their own card with their
// own name.
inline constexpr const char* KartyaLekerdezes =
    "SELECT u.azon, u.ugyfel_nev FROM vkod v JOIN ugyfel u ON u.azon = CAST(v.azon AS INTEGER) "
    "AND u.torolve = 'N' ORDER BY v.vkod, u.ugyfel";

// A code as the labels show it: at least five digits, zeros in front
// (1 -> "00001", 123456 -> "123456").
QString Formaz(qint64 kod);

// Reads one end of the range: a whole decimal number from 0 to
// LegnagyobbKod (LegnagyobbUgyfelKod for cards), spaces around it allowed.
// On refusal false, with the Hungarian reason naming the field (`mezo`, as
// the user knows it).
bool KodOlvas(const QString& szoveg, const QString& mezo, qint64* kod, QString* hiba, Fajta fajta = Fajta::Tetel);

// Empties the work table, its keys starting from 1 again. The window does
// this before it reads the range, so a refused range leaves no old labels.
// Throws AdatbazisHiba.
void Urit();

// The most labels one run makes (84 sheets): the work table lives in the
// shop's database, and its one transaction holds the write lock against
// the counter only for a moment at this size.
inline constexpr qint64 LegtobbCimke = 10000;

// Empties the work table and writes one row per code from `elso` to
// `utolso` in ascending order; none when `utolso` < `elso`. All of it in
// one transaction: a failure leaves the table as it was. Returns the number
// of rows written. Throws AdatbazisHiba, and refuses a range of more than
// LegtobbCimke codes before writing anything.
qint64 Feltolt(qint64 elso, qint64 utolso);

// The same for customer cards: one row per code from `elso` to `utolso`
// that a listed customer (torolve 'N') has, in ascending order. Returns the
// number of cards (customers); none, or more than LegtobbCimke, are refused
// before anything is written.
qint64 UgyfelFeltolt(qint64 elso, qint64 utolso);

// Either kind of run.
qint64 Feltolt(Fajta fajta, qint64 elso, qint64 utolso);

} // namespace VKod
