#pragma once
// The barcode label sheet: one label per row of the work table `vkod`, on A4
// in seven columns filled from top to bottom, each label an EAN-8 symbol of
// the code and, when asked, the code in digits under it.
#include "print/common/jelentes.h"

class TqrVKod : public Jelentes {
public:
    // Label size in mm: the width, and the height with and without the number.
    static constexpr double CimkeSzeles = 27;
    static constexpr double CimkeMagasSzammal = 15.6;   // 17 rows, 119 a page
    static constexpr double CimkeMagasSzamNelkul = 11.4;   // 24 rows, 168 a page
    static constexpr int Oszlopok = 7;
    // The symbol's place on the label, in mm.
    static constexpr double VonalkodBal = (CimkeSzeles - 20.4) / 2, VonalkodFelul = 1.3;
    static constexpr double VonalkodSzeles = 20.4, VonalkodMagas = 7.1;
    static constexpr double SzamFelul = 10.8;

    explicit TqrVKod(bool szammal);
    bool szammal() const { return m_szammal; }
    // Labels a page.
    int lapankent() const;
    // Reads the rows of the work table. Throws AdatbazisHiba.
    void megnyit();

private:
    bool m_szammal;
};

// Prints, previews or writes to PDF the labels of the work table as it
// stands. Database errors are not caught here.
void VKodNyomtat(bool szammal, const Kimenet& kimenet, QWidget* szulo = nullptr);
