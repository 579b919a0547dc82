#pragma once
// The main window: the item catalogue with its quick search and filter, the
// menus and tool bars that open every other window, and the owner of the
// database session and the settings.
#include "core/app/videotabla.h"
#include "windows/rental/tfrm_kolcsonzes.h"

#include <QHash>
#include <QMainWindow>
#include <QMargins>
#include <functional>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QTableView;
class QToolBar;
class ListaModell;
class VideoRacs;
class VideoRacsRajzolo;

class Tfrm_Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrm_Main(QWidget* szulo = nullptr);
    ~Tfrm_Main() override;

    // False when start-up stopped (no data); the program then ends.
    bool indult() const { return m_indult; }

    // Settings operations.
    void IniBeolvas();
    bool AdatbazisNyit();
    void BeallitBetolt();
    bool IniMentes();

    void OszlopSzelesseg();
    void TippKiir(const QString& tipp);
    void Inditas(const QString& cel);
    // After other windows changed items: reload, keep the current item.
    void TblFrissit();
    // Reopens the session and the item list after an archive run.
    void AdatUjranyitas();
    // Moves the grid to the current row of Tbl.
    void aktualisMutat();

    VideoTabla Tbl;
    ListaModell* TblModell = nullptr;
    VideoRacsRajzolo* Rajzolo = nullptr;
    QTableView* DBGrid1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* StatusPanel[4] = {};
    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar2 = nullptr;

    // Every action by its name ("aKolcsonoz").
    QAction* muvelet(const QString& nev) const { return m_muveletek.value(nev); }
    // Gives an action its handler and enables it; the right the action
    // needs (from the action table) is checked before the handler runs.
    void muveletBekot(const QString& nev, std::function<void()> kezelo);
    // The right an action needs: true when the user has it; otherwise says
    // so ("Nincs jogosultság a művelethez.") and returns false.
    bool jogEllenoriz(const QString& nev);

    // The choices a rental asks for (tests may answer them instead).
    KolcsonzesUt kolcsonzesUt;

    // Handlers of this window.
    void aKeresExecute();
    void aKeres1Execute();
    void aKeres2Execute();
    void aSzurExecute();
    void aBezarExecute();
    void aBetumeretNovelExecute();
    void aBetumeretCsokkentExecute();
    void aKolcsonozExecute();
    void aVisszaveszExecute();
    // The item window on a new item (uj) or on the current one.
    void TetelSzerkeszt(bool uj);
    void aUjMasolExecute();
    void aTorolExecute();
    void aArchivalExecute();
    // The archive with its save dialog; `menubol` when the menu started it
    // (the list is shown again afterwards). False only when the archive
    // folder could not be made, which keeps a closing program open.
    bool ArchivFuttat(bool menubol);

    void setVisible(bool lathato) override;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool m_indult = false;
    bool m_megmutatva = false;
    bool m_helyKesz = false;       // the place of the first showing is set
    bool m_teljesKep = false;      // shown full-screen: follows the frame's size
    QMargins m_keret;              // the frame counted when the place was set
    bool m_lezarva = false;
    QHash<QString, QAction*> m_muveletek;
    QHash<QString, const bool*> m_jogok;
    VideoRacs* m_racs = nullptr;
    QActionGroup* m_keresMod = nullptr;

    void muveletekLetrehoz();
    void menukLetrehoz();
    void feluletLetrehoz();
    void racsBetu();
    void gyorsKeres(const QString& szoveg);
    void mezoUrit();
    void aktualisValtozott(const QModelIndex& i);
    void sorJel(int sor);
    // The place of the first showing: the saved frame corner and inner
    // size, or (full screen) the whole work area, frame included.
    void helyBeallit();
    void teljesKepIgazit();
    QRect munkaterulet() const;
    QMargins keretMeret() const;
};
