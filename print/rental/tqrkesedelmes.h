#pragma once
// The overdue follow-up: the customers holding items whose due moment has
// passed, with their phones, and under each the items, the days overdue and
// the late fee run up so far by the rules; and a reminder letter per
// customer on a page of its own, under the shop's header.
//
// Both read the items out through the index on (kint, azon) and only the
// overdue ones reach the page: the catalogue is never read whole.
#include "print/common/jelentes.h"

#include <QDateTime>

// The rows of both reports, one per overdue item, by customer name: item
// fields (video, azon, video_nev, arkat, dat_visszakell, ido_visszakell),
// the customer's (ugyfel, ugyfel_azon, ugyfel_nev, telefon, mobil,
// cim_cim, lakhely) and the computed ones: hatarido (the due moment as text),
// napok (started days overdue), dij (the fee by the rules at `most`) and
// telefonok (the phones in one line).
class KesedelmesKurzor : public Jelentes::Kurzor {
public:
    explicit KesedelmesKurzor(const QDateTime& most);
    ~KesedelmesKurzor() override;
    // The statement read; what a test checks the engine's plan of.
    static QString Lekerdezes();

    void elejere() override;
    QStringList mezok() const override;
    bool kovetkezo() override;
    QVariant ertek(int oszlop) const override;
    void lezar() override;

private:
    struct Adat;
    std::unique_ptr<Adat> d;
};

// "Késedelmes ügyfelek": a group per customer, a row per item.
class TqrKesedelmes : public Jelentes {
public:
    TqrKesedelmes();
    // Reads the rules and the owner's record and sets the rows as of Most().
    // Throws AdatbazisHiba.
    void megnyit();
};

// "Felszólító levelek": a page per customer.
class TqrFelszolito : public Jelentes {
public:
    TqrFelszolito();
    void megnyit();
};
