#pragma once
// The customer register: the list window "Ügyfelek" on the reference list
// pattern, with two quick-search modes, the membership icon column and the
// expired-membership filter, and its edit dialog "Ügyfél szerkesztés".
#include "windows/refdata/torzsablak.h"

#include <QStyledItemDelegate>

class QDateEdit;
class QMenu;
class QValidator;

// Draws the membership mark of the "!" column: a green tick while the
// membership runs, a red cross once it has expired.
class UgyfelRacsRajzolo : public QStyledItemDelegate {
public:
    UgyfelRacsRajzolo(const KulcsosLista* lista, int ikonOszlop, QObject* szulo);
    // True: the red cross.
    bool lejartJel(int sor) const;
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
private:
    const KulcsosLista* m_lista;
    int m_ikonOszlop;
};

class Tfrm_TorzsUgyfel : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsUgyfel(bool valasztas, QWidget* szulo = nullptr);

    static TorzsLeiras ugyfelLeiras();
    bool nevSzerint() const;   // the search mode: by name (true) or by code
    bool lejartSzures() const;

    QAction* aTagdij = nullptr;
    QAction* aTortenet = nullptr;
    QAction* aKeresKod = nullptr;
    QAction* aKeresNev = nullptr;
    QAction* aNyomtat = nullptr;
    QAction* aNyomtatKep = nullptr;
    QAction* aExcelbe = nullptr;
    QAction* aSzur = nullptr;
    QMenu* KeresoMenu = nullptr;
    QMenu* NyomtatMenu = nullptr;
    UgyfelRacsRajzolo* Rajzolo = nullptr;

public slots:
    void aKeresKodExecute();
    void aKeresNevExecute();
    void aSzurExecute();
    // Membership fee of the current customer: the period chosen in the fee
    // dialog is paid and the row read again.
    void aTagdijExecute();

protected:
    void gyorsKeres(const GyorsKereses::Kerdes& kerdes) override;
    void ujSorElokeszit(Rekord& sor) override;

private:
    void rendValt(bool nevSzerint);
    // Reads the list again after a change of order or filter.
    void ujraolvas();
};

class Tfrm_TorzsUgyfel_Szerkeszt : public TorzsSzerkeszto {
    Q_OBJECT
public:
    // `uj`: a new customer, whose paid-until day may be set here; an existing
    // customer's changes only through the membership fee payment.
    Tfrm_TorzsUgyfel_Szerkeszt(Rekord& sor, bool uj, QWidget* szulo = nullptr);

    QLineEdit* ugyfel_nev = nullptr;
    QLineEdit* azon = nullptr;
    QLineEdit* cim_irsz = nullptr;
    QLineEdit* cim_varos = nullptr;
    QLineEdit* cim_cim = nullptr;
    QLineEdit* telefon = nullptr;
    QLineEdit* mobil = nullptr;
    QLineEdit* fax = nullptr;
    QLineEdit* szigszam = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Town from the postal code table when the town is still empty.
    void varosKitolt();
};

// The opening operation: makes the customer with the internal key `ugyfel`
// current (-1: the first one), shows the register modally and returns the
// current customer's `ugyfel` when closed with "Elfogad", otherwise -1.
int TorzsUgyfelMegnyit(QWidget* szulo, int ugyfel, bool valasztas);
