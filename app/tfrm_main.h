#pragma once
// The main window: the item catalogue with its quick search and filter, the
// menus and tool bars that open every other window, and the owner of the
// database session and the settings.
#include "app/videotabla.h"

#include <QHash>
#include <QMainWindow>
#include <QStyledItemDelegate>
#include <functional>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QTableView;
class QToolBar;
class ListaModell;

// Draws the item grid: the out-on-rental mark, overdue rows red (yellow
// when selected).
class VideoRacsRajzolo : public QStyledItemDelegate {
public:
    VideoRacsRajzolo(const KulcsosLista* lista, int kintOszlop, QObject* szulo);
    // Text colour of a row, or an invalid colour for the grid's own.
    QColor szovegSzin(int sor, bool kijelolt) const;
    bool kintJel(int sor) const;   // true: the arrow (out), false: the cross
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
    // The moment rows are judged by while the grid draws (one reading of the
    // clock per drawing pass, not per cell); invalid: read the clock.
    void pillanatRogzit(const QDateTime& most) { m_pillanat = most; }
protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override;
private:
    const KulcsosLista* m_lista;
    int m_kintOszlop;
    QDateTime m_pillanat;
    void szovegRajzol(QPainter* p, const QStyleOptionViewItem& o, const QString& szoveg) const;
};

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
    // Gives an action its handler and enables it. `jog` points at the right
    // the action needs (TBeall.rendszergazda), or nullptr.
    void muveletBekot(const QString& nev, std::function<void()> kezelo, const bool* jog = nullptr);

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

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool m_indult = false;
    bool m_megmutatva = false;
    bool m_lezarva = false;
    QHash<QString, QAction*> m_muveletek;
    QActionGroup* m_keresMod = nullptr;

    void muveletekLetrehoz();
    void menukLetrehoz();
    void feluletLetrehoz();
    void racsBetu();
    void gyorsKeres(const QString& szoveg);
    void mezoUrit();
    void aktualisValtozott(const QModelIndex& i);
    void sorJel(int sor);
};
