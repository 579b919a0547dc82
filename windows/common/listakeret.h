#pragma once
// The frame every list window is built on. From the top: an optional tool
// bar (with the quick-search field at its left when the window has one),
// then the read-only grid — or, where the window has a page of its own in
// front of the list (a statement editor, search criteria), a tab control
// whose first page is the window's and whose last page holds the grid. The
// frame owns the grid's pop-up menu, makes the actions common to list
// windows with their captions and keys, keeps the current row and its
// marker, asks the deletion question, and fixes and centres the window.
#include "core/common/gyorskereses.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>

class GyorsKereso;
class ListaModell;
class QAbstractItemModel;
class QAction;
class QDialog;
class QIcon;
class QLineEdit;
class QMenu;
class QTabWidget;
class QTableView;
class QToolBar;
class QVBoxLayout;
class QWidget;

class ListaKeret : public QObject {
    Q_OBJECT
public:
    // The actions list windows share: name, caption, hint and keys are the
    // same in every window that has them ("aTorol", "Sor törlése", Ctrl+Del).
    enum class Kozos { Uj, Szerkeszt, Torol, Keres, Elfogad, Bezar, Nyomtat, NyomtatKep, Excelbe };

    // Lays out `ablak` (which has no layout yet) with no margins. `racs` is
    // the grid to use (a window's own subclass); nullptr: a plain QTableView.
    explicit ListaKeret(QDialog* ablak, QTableView* racs = nullptr);

    QDialog* ablak() const { return m_ablak; }
    // The window's column: what a window puts between the tool bar and the
    // grid (a panel) goes here before racs() is called.
    QVBoxLayout* elrendezes() const { return m_elrendezes; }

    // The tool bar "ToolBar1" at the top. `feliratok`: captions under small
    // icons (list windows); otherwise icons only.
    QToolBar* eszkoztar(bool feliratok = true);

    // The quick-search field "Edit1" at the tool bar's left, then a
    // separator; `kereses` runs what the one rule reads from its text.
    // `racsLeptet`: Up, Down, PageUp and PageDown typed in the field walk
    // the grid (call after racs()).
    QLineEdit* kereso(GyorsKereses::Mod mod, std::function<void(const GyorsKereses::Kerdes&)> kereses,
                      bool racsLeptet = false);
    QLineEdit* Edit1() const { return m_edit; }
    GyorsKereso* gyorsKereso() const { return m_kereso; }

    // Pages in front of the list: `elolap` ("TabSheet1") first, the grid on
    // the last page "TabSheet2". Call before racs(); the returned layout of
    // the grid's page takes what goes under the grid (buttons).
    QVBoxLayout* lapokkal(QWidget* elolap, const QString& elolapCim, const QString& racsLapCim,
                          const QIcon& elolapIkon, const QIcon& racsLapIkon, int racsLapMargo = 0);
    QTabWidget* PageControl1() const { return m_lapok; }

    // The grid "DBGrid1" over `modell` in the program's grid look, placed in
    // the window (or its grid page). A ListaModell's row marker follows the
    // current row however it moves; `sorValtozott` is told the new row (-1
    // none) after that.
    QTableView* racs(QAbstractItemModel* modell, std::function<void(int)> sorValtozott = {});
    QTableView* DBGrid1() const { return m_racs; }

    // The grid's pop-up menu "PopupMenu1" (made once, filled by the window).
    QMenu* menu();

    // A common action of this window; `felirat` when the window words it
    // otherwise ("Nyomtatás" for "Nyomtat").
    QAction* muvelet(Kozos k, const QString& felirat = QString());

    // The current row; -1 when the list is empty.
    int aktualis() const;
    // Makes `sor` current (clamped to the list), selected, in view, marked.
    void aktualisBeallit(int sor);

    // "Valóban töröljem a sort?", "Megerősítés": true on yes.
    bool torlesKerdes();

    // A fixed size, never narrower than the tool bar (a hidden button would
    // go into an overflow menu), then centred on the desktop.
    void meretRogzit(QSize meret);

private:
    QDialog* m_ablak;
    QVBoxLayout* m_elrendezes;
    QVBoxLayout* m_racsHely = nullptr;
    QToolBar* m_eszkoztar = nullptr;
    QLineEdit* m_edit = nullptr;
    GyorsKereso* m_kereso = nullptr;
    QTabWidget* m_lapok = nullptr;
    QTableView* m_racs;
    ListaModell* m_modell = nullptr;
    QMenu* m_menu = nullptr;

    void racsKeszit(QWidget* szulo);
};
