#pragma once
// The end-of-day close: the counted cash set against the cash book's
// balance, recorded once a day in `zaras`, and the figures of the day's Z
// report. A closed day takes no more entries typed by hand; the program's
// own postings (rentals, returns, fees) are never blocked by a close.
#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <optional>

namespace Zaras {

// One cash type's entries of the day.
struct TipusOsszeg {
    QString tipus;      // cassatip code
    QString nev;        // its name; empty when the type no longer exists
    int darab = 0;
    double osszeg = 0;
};

// A recorded close and the Z report's figures of its day.
struct Jelentes {
    int kulcs = 0;
    QDate nap;
    QTime ido;                // when the close was recorded
    QString felhasznalo;      // empty without a login
    double vart = 0;          // the cash book's balance at the close
    double szamolt = 0;       // counted by the operator
    double elteres = 0;       // szamolt - vart
    // The day's entries as the cash book holds them now, by type (in code order).
    QList<TipusOsszeg> tipusok;
    int tetelek = 0;
    double bevetel = 0;       // sum of the day's positive amounts
    double kiadas = 0;        // sum of the day's negative amounts (negative)
    double nyito = 0;         // balance after the last entry dated before the day
    double zaro = 0;          // balance after the last entry dated on or before the day
    // Posted on the day after the close (the program's own postings): zaro - vart.
    double zarasUtan = 0;
};

// The cash the book expects in the drawer at the end of `nap`: the balance
// after the last entry (in the order written) dated on or before it; 0 for
// an empty book. Throws AdatbazisHiba.
double Vart(const QDate& nap);

// The last closed day; invalid when no day has been closed. Throws AdatbazisHiba.
QDate UtolsoZartNap();

// The close of `nap` with its report; nothing when the day has none.
// Throws AdatbazisHiba.
std::optional<Jelentes> Keres(const QDate& nap);
// The last close with its report; nothing when there has been none.
std::optional<Jelentes> Utolso();

// Closes `nap` with the counted cash, in one transaction, durable on return;
// returns the close with its report. `megerositettVart`, when given, is the
// expected cash the operator was shown: a balance changed since then is
// refused rather than recorded unseen. Throws AdatbazisHiba (nothing
// written) with a Hungarian reason: the day is closed already (a day is
// closed once), a later day is closed, the day is in the future, the
// counted cash is negative or not a number, the balance changed, storage.
Jelentes Zar(const QDate& nap, double szamolt, const QString& felhasznalo,
             std::optional<double> megerositettVart = std::nullopt);

// Throws AdatbazisHiba with the Hungarian refusal when `nap` cannot be
// closed whatever is counted: a future day, or a day before the last
// closed one. A window asks it before the operator counts; Zar asks again.
void ZarhatoNap(const QDate& nap);

// Throws AdatbazisHiba with the Hungarian refusal when an entry typed by
// hand dated `nap` would fall on a closed day (on or before the last close).
// Run it inside the entry's transaction, so a close cannot slip in between.
void KeziTetelEllenoriz(const QDate& nap);

// "1 234 Ft", "-50 Ft"; a difference with its sign and meaning:
// "+500 Ft (többlet)", "-500 Ft (hiány)", "0 Ft".
QString Ft(double osszeg);
QString ElteresSzoveg(double elteres);

} // namespace Zaras
