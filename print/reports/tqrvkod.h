#pragma once
// The barcode label sheet: one label per row of the work table `vkod`, on A4
// in seven columns filled from top to bottom. An item label is an EAN-8
// symbol of the code and, when asked, the code in digits under it; a
// customer card an EAN-13 symbol of the card's thirteen digits, the digits
// when asked, and the customer's name. Both kinds share the label size and
// grid, so one label paper serves both.
#include "core/reports/vkod.h"
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
    // A card's symbol: 95 modules of 0.23 mm, which leaves more than the
    // eleven modules of quiet zone EAN-13 asks for on both sides in the
    // label's width. Under it the digits (when asked) and the name.
    static constexpr double KartyaModul = 0.23;
    static constexpr double KartyaVonalkodSzeles = 95 * KartyaModul;
    static constexpr double KartyaVonalkodBal = (CimkeSzeles - KartyaVonalkodSzeles) / 2, KartyaVonalkodFelul = 1.0;
    static constexpr double KartyaVonalkodMagas = 6.0;
    static constexpr double KartyaSzamFelul = 7.3, KartyaNevFelulSzammal = 10.9, KartyaNevFelulSzamNelkul = 7.5;
    static constexpr double KartyaNevMagas = 3.4;

    explicit TqrVKod(bool szammal, VKod::Fajta fajta = VKod::Fajta::Tetel);
    bool szammal() const { return m_szammal; }
    VKod::Fajta fajta() const { return m_fajta; }
    // Labels a page.
    int lapankent() const;
    // Reads the rows of the work table. Throws AdatbazisHiba.
    void megnyit();

private:
    bool m_szammal;
    VKod::Fajta m_fajta;
};

// Prints, previews or writes to PDF the labels of the work table as it
// stands. Database errors are not caught here.
void VKodNyomtat(bool szammal, const Kimenet& kimenet, QWidget* szulo = nullptr,
                 VKod::Fajta fajta = VKod::Fajta::Tetel);
