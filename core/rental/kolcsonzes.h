#pragma once
// The rental and the return as the counter performs them. The items chosen,
// taken out or kept are working state held here, in memory; the tables
// change only when the operation completes, in one transaction, so a crash
// at any moment leaves every item either out with its customer or in the
// shop with none.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QTime>

// An item out whose due moment has passed (due earlier today, or any day
// before today). Items in the shop are never overdue. The rule of the item
// list's colours and the return window; the printed overdue list counts by
// day and takes only items due before today.
bool Lejart(const QString& kint, const QDate& datVisszakell, const QTime& idoVisszakell, const QDateTime& most);

struct KolcsonzesTetel {
    qint64 video = 0;
    int azon = 0;
    QString nev;
    int arkat = 0;
    double ar = 0;      // price for the rental's period
};

// Why an item cannot be lent, or empty when it can.
QString KolcsonzesAkadaly(qint64 video);

class Kolcsonzes {
public:
    Kolcsonzes(int ugyfel, const QString& ugyfelNev, int fiztip, int ora);

    int ugyfel() const { return m_ugyfel; }
    QString ugyfelNev() const { return m_ugyfelNev; }
    int fiztip() const { return m_fiztip; }
    int ora() const { return m_ora; }
    // Another rental period: the listed items take its prices.
    void idoszakValt(int fiztip, int ora);

    // The listed items, in item key order.
    const QList<KolcsonzesTetel>& tetelek() const { return m_tetelek; }
    // Adds an item; false when it is already listed. Throws AdatbazisHiba
    // with a Hungarian reason when it is not in the shop.
    bool hozzaad(qint64 video);
    void torol(int index);
    // The sum of the listed items' prices for the period.
    double osszeg() const;

    // Lends every listed item in one durable transaction: the item fields,
    // a history row each, and the "B" cash row when fees are paid in
    // advance. Returns the rental number. Throws AdatbazisHiba (nothing
    // written) when the database refuses, an item went out meanwhile, or a
    // price or the total is past PenzHatar.
    int befejez();

private:
    int m_ugyfel, m_fiztip, m_ora;
    QString m_ugyfelNev;
    QList<KolcsonzesTetel> m_tetelek;
};

struct VisszavetelTetel {
    qint64 video = 0;
    int azon = 0;
    QString nev;
    QDate datVisszakell;
    QTime idoVisszakell;
    double ar = 0;
    // Late fee: proposed from the category's rule when the list is read;
    // what the operator accepts is added to the price at completion.
    int arkat = 0;
    double javasoltDij = 0;
    double kesedelmiDij = 0;
};

// Why an item's rental cannot be taken back, or empty when it can.
QString VisszavetelAkadaly(qint64 video);

class Visszavetel {
public:
    // Every item lent to the customer, in item key order.
    Visszavetel(int ugyfel, const QString& ugyfelNev);
    static Visszavetel targybol(qint64 video);   // the customer of that item

    int ugyfel() const { return m_ugyfel; }
    QString ugyfelNev() const { return m_ugyfelNev; }
    const QList<VisszavetelTetel>& tetelek() const { return m_tetelek; }
    // The item stays out: it leaves the list.
    void marad(int index);
    // Marking by scan: once an item is marked, only the marked ones come
    // back and count in the sum; the others stay out. False when the item
    // is not in the list.
    bool jelol(qint64 video);
    bool jeloles() const { return !m_jeloltek.isEmpty(); }
    bool jelolt(int index) const;
    // The items the completion takes back.
    QList<VisszavetelTetel> visszajonnek() const;
    // Adds a surcharge to the item's price; stored at once (own transaction).
    // Throws AdatbazisHiba "Nem megfelelő érték." (nothing stored) when the
    // surcharge or the new price is not a finite sum within PenzHatar.
    void potdij(int index, double osszeg);
    // The prices and the accepted late fees.
    double osszeg() const;
    // Sets the item's late fee as the operator accepts it (0 clears it);
    // nothing is stored before befejez(). Throws AdatbazisHiba "Nem
    // megfelelő érték." (fee unchanged) when it is negative or not a finite
    // sum within PenzHatar.
    void kesedelmiDij(int index, double osszeg);

    // Takes the listed items back in one durable transaction, each late fee
    // added to its item's price, with the "B" cash row of their prices when
    // fees are not paid in advance.
    void befejez();

private:
    int m_ugyfel;
    QString m_ugyfelNev;
    QList<VisszavetelTetel> m_tetelek;
    QSet<qint64> m_jeloltek;
    // The late fee each overdue item owes now by its category's rule.
    void kesedelemJavasol();
    // Inside befejez()'s transaction: the accepted fees onto the prices.
    void kesedelemRaterhel();
};

