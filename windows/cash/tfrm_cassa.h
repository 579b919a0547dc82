#pragma once
// The cash book window: every entry with its type, amount, running balance
// and customer; a filter to one day, the entry typed by hand, printing, and
// the day's close with its Z report.
#include "core/common/listamodell.h"
#include "core/data/kulcslista.h"

#include <QDate>
#include <QDialog>
#include <QStyledItemDelegate>

class ListaKeret;
class QAction;
class QMenu;
class QTableView;
class QToolBar;

// Entries that take money out are written in red, in yellow on the
// current row.
class CassaRacsRajzolo : public QStyledItemDelegate {
    Q_OBJECT
public:
    CassaRacsRajzolo(const KulcsosLista* lista, QObject* szulo = nullptr);
    bool kiadas(int sor) const;
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override;
private:
    const KulcsosLista* m_lista;
};

class Tfrm_Cassa : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Cassa(QWidget* szulo = nullptr);

    // Reads the entries and makes the first one current. Throws AdatbazisHiba.
    void megnyit();

    KulcsosLista& lista() { return m_lista; }
    ListaModell* modell() const { return m_modell; }
    int aktualis() const;                  // -1 when the list is empty
    void aktualisBeallit(int sor);
    bool szurve() const;
    QDate szuroNap() const { return m_nap; }

    QToolBar* ToolBar1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* NyomtatMenu = nullptr;
    CassaRacsRajzolo* Rajzolo = nullptr;
    QAction* aUj = nullptr;
    QAction* aSzur = nullptr;
    QAction* aNapzaras = nullptr;
    QAction* aNyomtat = nullptr;
    QAction* aNyomtatKep = nullptr;
    QAction* aBezar = nullptr;

public slots:
    void aUjExecute();
    void aSzurExecute();
    void aNapzarasExecute();
    void aNyomtatExecute();
    void aNyomtatKepExecute();
    void aBezarExecute();

private:
    ListaKeret* m_keret;
    KulcsosLista m_lista;
    ListaModell* m_modell;
    QDate m_nap;   // the day of the filter while it is on

    void ujraolvas();
};

// Opens the cash book modally; returns when it is closed.
void CassaMegnyit(QWidget* szulo);
