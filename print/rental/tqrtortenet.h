#pragma once
// The history report "Kiadott tételek": the history rows of one customer or
// one item, with the name in the page header and the owner at the right.
#include "core/rental/tortenet.h"
#include "print/common/jelentes.h"

class QWidget;

class TqrTortenet : public Jelentes {
public:
    explicit TqrTortenet(TortenetMod mod);
    TortenetMod mod() const { return m_mod; }
    // Reads the rows of the customer or item `kulcs` and the owner's record.
    // Throws AdatbazisHiba.
    void megnyit(qint64 kulcs);

private:
    TortenetMod m_mod;
};

// Prints, previews or (tests) writes to PDF the history report of the
// customer or item `kulcs`. Database errors are not caught here.
void TortenetNyomtat(TortenetMod mod, qint64 kulcs, const Kimenet& kimenet = Kimenet::nyomtato(),
                     QWidget* szulo = nullptr);
