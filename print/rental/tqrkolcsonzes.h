#pragma once
// The rental receipt: who borrowed what from whom, until when and for how
// much, with the shop's note and a line for the customer's signature.
#include "print/common/jelentes.h"

class QWidget;

class TqrKolcsonzes : public Jelentes {
public:
    TqrKolcsonzes();
    // Reads the rental's items (by item type, then code), the owner's record
    // and the settings row. Throws AdatbazisHiba.
    void megnyit(int pkolcsid);
};

// Prints the receipt of rental `kolcsid`: straight to the default printer
// for the program, to a PDF for tests. Database errors are not caught here.
void KolcsonzesNyomtat(int kolcsid, const Kimenet& kimenet = Kimenet::nyomtato(), QWidget* szulo = nullptr);
