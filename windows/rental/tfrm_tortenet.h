#pragma once
// The history window "Történet": the lendings of one customer or one item,
// oldest first, with the current row's name in a panel above the grid, and
// the history report printed or previewed from it.
#include "core/common/listamodell.h"
#include "core/rental/tortenet.h"

#include <QDialog>

class ListaKeret;
class QAction;
class QLabel;
class QTableView;
class QToolBar;

class Tfrm_Tortenet : public QDialog {
    Q_OBJECT
public:
    Tfrm_Tortenet(TortenetMod mod, qint64 kulcs, QWidget* szulo = nullptr);

    TortenetMod mod() const { return m_mod; }
    qint64 kulcs() const { return m_kulcs; }
    KulcsosLista& lista() { return m_lista; }
    ListaModell* modell() const { return m_modell; }
    // Reads the rows (throws AdatbazisHiba) and makes the first one current.
    void nyit();
    int aktualis() const;   // -1 when there is no row

    QToolBar* ToolBar1 = nullptr;
    QLabel* Label1 = nullptr;    // "ügyfél" or "Tétel:"
    QLabel* DBText1 = nullptr;   // the current row's name
    QTableView* DBGrid1 = nullptr;
    QAction* aNyomtat = nullptr;
    QAction* aNyomtatKep = nullptr;
    QAction* aExcelbe = nullptr;
    QAction* aBezar = nullptr;

public slots:
    void aNyomtatExecute();
    void aNyomtatKepExecute();
    void aBezarExecute();

private:
    TortenetMod m_mod;
    qint64 m_kulcs;
    ListaKeret* m_keret;
    KulcsosLista m_lista;
    ListaModell* m_modell = nullptr;

    void aktualisValtozott(int sor);
};

// The opening operation: the history of the customer (`ugyfel` key) or the
// item (`video` key), shown modally. Throws AdatbazisHiba when the rows
// cannot be read; the window is not shown then.
void TortenetMegnyit(QWidget* szulo, TortenetMod mod, qint64 kulcs);
