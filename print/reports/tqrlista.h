#pragma once
// The printed item lists: every item, the items out (all, or only the
// overdue ones), the items in the shop, and every item by how often it was
// lent. Each is grouped by item type with a count under every group, and
// all four read the same columns of the items with the names of their
// reference rows; only the selection and the order differ.
#include "print/common/jelentes.h"

#include <QDate>
#include <memory>

// The lists the main window offers.
enum class TetelLista {
    Teljes,         // TqrLista: every item by type and code
    Kiadott,        // TqrLista2: every item out
    KiadottLejart,  // TqrLista2: items out whose due day has passed
    Bentlevo,       // TqrLista3: items in the shop
    Kolcsonzesek    // TqrLista4: every item by type, the most lent first
};

// What the four lists have in common: the page header with the heading and
// the owner, the group per item type, the footer; the statement they print.
class TqrListaAlap : public Jelentes {
public:
    // The item columns every list reads (27), the joins to the reference
    // tables, then `feltetel` (a WHERE clause or nothing) and the order.
    static QString Lekerdezes(const QString& feltetel, const QString& sorrend);

    // The statement printed and its parameters; what "CSV export" writes.
    QString sql() const { return m_sql; }
    QVariantList parameterek() const { return m_param; }
    // The large heading at the top left of every page.
    QString fejcim() const { return m_fejcim->szoveg; }

    // Runs the statement and reads the owner's record. Throws AdatbazisHiba.
    void megnyit();

protected:
    struct Oszlop {
        QString fejlec, mezo;
        double x, w;                 // mm
        Igazitas igazitas = Bal;
        Formatum formatum = {};
    };
    TqrListaAlap(const QString& cim, const QString& nev, const QString& fejcim, const QString& alcim,
                 const QList<Oszlop>& oszlopok);
    void lekerdezesBeallit(const QString& sql, const QVariantList& param = {})
    {
        m_sql = sql;
        m_param = param;
    }
    Elem* m_fejcim = nullptr;

private:
    QString m_sql;
    QVariantList m_param;
};

// Every item by type and code, "Teljes lista"; or the rows of a search
// (its own statement, which must give the same columns), "Keresés eredménye".
class TqrLista : public TqrListaAlap {
public:
    TqrLista();
    void keresesEredmenye(const QString& sql, const QVariantList& param = {});
};

// The items out whose due day is before `d1`: every one with a day far
// ahead, the overdue ones with today (an item due today is not yet late).
class TqrLista2 : public TqrListaAlap {
public:
    TqrLista2(const QDate& d1, const QString& alcim);
    // Far enough ahead to let every item out through.
    static QDate Mindet() { return QDate(2100, 1, 1); }
};

// The items in the shop.
class TqrLista3 : public TqrListaAlap {
public:
    TqrLista3();
};

// Every item by type, the most often lent first.
class TqrLista4 : public TqrListaAlap {
public:
    TqrLista4();
};

// The report of a list with its parameters set (the overdue list counts
// from today, Ma()); not yet opened.
std::unique_ptr<TqrListaAlap> TetelListaJelentes(TetelLista lista);
