#pragma once
// The printed cash book ("Napi cassa"): every entry of the list, or of the
// one day it is narrowed to, with the shop's name and address on each page.
#include "print/common/jelentes.h"

#include <QDate>

class QWidget;

class TqrCassa : public Jelentes {
public:
    TqrCassa();
    // The entries in the window's order, all of them or (`szurve`) those of
    // the day `nap`, and the owner's record. Throws AdatbazisHiba.
    void megnyit(bool szurve, const QDate& nap);
};

// Prints the cash book as the window shows it; the page header and footer
// also when there is no entry. Database errors are not caught here.
void CassaNyomtat(bool szurve, const QDate& nap, const Kimenet& kimenet, QWidget* szulo = nullptr);
