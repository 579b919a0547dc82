#pragma once
// The day's close on paper ("Napi zárás (Z jelentés)"): the shop's header,
// the closed day, when and by whom, the day's cash entries by type, the
// day's money in and out, the balances, and the expected cash against the
// counted with the difference.
#include "core/cash/zaras.h"
#include "print/common/jelentes.h"

class QWidget;

class TqrZaras : public Jelentes {
public:
    TqrZaras();
    // The close's figures and the owner's record. Throws AdatbazisHiba.
    void megnyit(const Zaras::Jelentes& z);

private:
    // The line of the postings after the close, shown only when there were some.
    Elem* m_utanCim = nullptr;
    Elem* m_utanErtek = nullptr;
};

// Prints a close's report; false when nothing was printed (the reason shown).
bool ZarasNyomtat(const Zaras::Jelentes& z, const Kimenet& kimenet, QWidget* szulo = nullptr);
