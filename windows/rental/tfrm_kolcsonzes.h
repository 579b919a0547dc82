#pragma once
// The rental window and the return window: a tool bar, the customer and
// the amount to pay, and the items of the operation.
#include "core/rental/beolvasas.h"
#include "core/rental/kolcsonzes.h"

#include <QDialog>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QTableWidget;
class QToolBar;

// The common frame of the two windows.
class KolcsonzesKeret : public QDialog {
    Q_OBJECT
public:
    KolcsonzesKeret(const QString& osztaly, const QString& cim, const QString& ugyfelNev, QWidget* szulo);
    QToolBar* ToolBar1 = nullptr;
    QLabel* lblNev = nullptr;
    QLabel* lblOsszeg = nullptr;
    QTableWidget* DBGrid1 = nullptr;
    // The scanner's field: it holds the focus; a label read into it (or a
    // code typed) and Enter acts at once. The line beside it answers.
    QLineEdit* edtVonalkod = nullptr;
    QLabel* lblUzenet = nullptr;
    int aktualis() const;
protected:
    QAction* muvelet(const char* nev, const QString& felirat, const QList<QKeySequence>& billentyuk);
    void osszegMutat(double osszeg);
    void aktualisBeallit(int sor);
    // What a scan did: a refusal is said with the warning sound, in red.
    void valasz(const QString& szoveg, bool hiba);
    virtual void beolvasva(const QString& szoveg) = 0;
    // The customer line: a window adds its own figures before its stretch.
    QHBoxLayout* m_panel = nullptr;
    // The item a scan names; nothing (the refusal said) when it names none.
    std::optional<Beolvasas::Tetel> beolvasottTetel(const QString& szoveg);
    bool eventFilter(QObject* o, QEvent* e) override;
};

class Tfrm_Kolcsonzes : public KolcsonzesKeret {
    Q_OBJECT
public:
    Tfrm_Kolcsonzes(Kolcsonzes& k, QWidget* szulo = nullptr);
    QAction* aUj = nullptr;
    QAction* aTorol = nullptr;
    QAction* aElfogad = nullptr;
    QAction* aMegsem = nullptr;
    QAction* aIdoszak = nullptr;
    QLabel* lblIdoszak = nullptr;
    // The item choice; the program's is the item picker.
    std::function<qint64(QWidget*)> tetelValaszto;
    // The period choice of "Időtartam"; without it the key does nothing.
    std::function<int(QWidget*, QString* nev, int* ora)> idoValaszto;
    // Told before the first item joins (a card holder's expired membership,
    // items kept too long); empty: nothing to tell.
    QString figyelmeztetes;
    void idoszakMutat(const QString& nev);
    // The rental number, once "Elfogad" completed the rental.
    int kolcsid() const { return m_kolcsid; }
public slots:
    void aUjExecute();
    void aTorolExecute();
    void aElfogadExecute();
    void aIdoszakExecute();
protected:
    void beolvasva(const QString& szoveg) override;
private:
    Kolcsonzes& m_k;
    int m_kolcsid = 0;
    void frissit(qint64 aktualisVideo = -1);
    // The warning, once; false when the operator does not go on.
    bool figyelmeztet();
};

class Tfrm_VisszaVesz : public KolcsonzesKeret {
    Q_OBJECT
public:
    Tfrm_VisszaVesz(Visszavetel& v, QWidget* szulo = nullptr);
    QAction* aTorol = nullptr;
    QAction* aPotdij = nullptr;
    QAction* aElfogad = nullptr;
    QAction* aMegsem = nullptr;
    QAction* aKesedelem = nullptr;        // F6: the current item's late fee, as the operator accepts it
    QAction* aKesedelemTorol = nullptr;   // Shift+F6: no late fee for the current item
    QMenu* PopupMenu1 = nullptr;
    // Text colour of a row as drawn now (invalid: the grid's own).
    QColor szovegSzin(int sor, bool kijelolt) const;
public slots:
    void aTorolExecute();
    void aPotdijExecute();
    void aElfogadExecute();
    void aKesedelemExecute();
    void aKesedelemTorolExecute();
protected:
    void beolvasva(const QString& szoveg) override;
private:
    Visszavetel& m_v;
    void frissit(int sor);
    // The late-fee column and its actions, added to the window's own.
    void kesedelemBeallit();
    void kesedelemMutat();
};

// The choices a rental asks for, handed to it by its caller: the main
// window gives the customer register, the period window, the item picker
// and the receipt; tests and benchmarks give answers of their own.
struct KolcsonzesUt {
    std::function<int(QWidget*)> ugyfelValaszto;                          // -1: cancelled
    std::function<int(QWidget*, QString* nev, int* ora)> idoValaszto;    // -1: cancelled
    std::function<qint64(QWidget*)> tetelValaszto;
    std::function<void(int kolcsid)> nyugta;
};

// "Kölcsönöz" on an item: true when a rental was completed.
bool KolcsonzesInditas(QWidget* szulo, qint64 video, const KolcsonzesUt& ut);
// "Visszavesz" on an item: true when items came back.
bool VisszavetelInditas(QWidget* szulo, qint64 video);

// The counter by scanner, from the main window. A card: the rental window
// opens at once for its customer with the shop's default period (asked
// when none is set). An item out: the return window opens for its
// customer with that item marked. True when something was completed.
bool KartyasKolcsonzes(QWidget* szulo, int ugyfel, const KolcsonzesUt& ut);
bool BeolvasottVisszavetel(QWidget* szulo, qint64 video);
