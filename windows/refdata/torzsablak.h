#pragma once
// The reference list window pattern: a modal list over one table with a
// quick-search field, new/edit/delete through a modal edit dialog bound to
// the pending row, and a selection mode that hands back the current row's
// key. Each member (item types, genres, …, rental periods, customers) states
// only its differences in a TorzsLeiras, or overrides the hooks below.
#include "core/common/gyorskereses.h"
#include "core/common/listamodell.h"
#include "core/data/kulcslista.h"
#include "core/data/rekord.h"

#include <QDialog>
#include <QVariant>
#include <functional>
#include <memory>

class ListaKeret;
class QAction;
class QLineEdit;
class QTableView;
class QToolBar;
class QMenu;
class TorzsSzerkeszto;

// A list field read through a join beside the table's own fields: a name
// looked up by a reference, {"fiztip_nev", "f.fiztip_nev"}.
struct TorzsKapcsoltMezo {
    QString mezo;
    QString kifejezes;
    Sema::Tipus tipus = Sema::Tipus::Szoveg;
};

struct TorzsLeiras {
    QString osztaly;          // object name of the window: "Tfrm_TorzsTipus"
    QString cim;              // caption: "Típusok"
    QString tabla;            // "tipus"
    QString kulcs;            // the key handed back: "tipus"
    QString keresoMezo;       // field of the quick search; empty: no quick-search field
    // The quick search's mode at opening (a member with a code search
    // switches it), and whether Up, Down, PageUp and PageDown typed in the
    // field walk the grid.
    GyorsKereses::Mod keresoMod = GyorsKereses::Mod::Nev;
    bool keresoLeptet = false;
    QString rend;             // ORDER BY over alias "t": "t.tipus_nev COLLATE HU"
    QString szuro;            // WHERE over alias "t"; empty: all rows
    QList<Oszlop> oszlopok;   // grid columns (fields of the table)
    const bool* jog = nullptr;   // right needed for new/edit/delete (TBeall.torzsszerkeszt)
    // Builds the member's edit dialog on the pending row; `uj` for a new row.
    std::function<TorzsSzerkeszto*(QWidget* szulo, Rekord& sor, bool uj)> szerkeszto;
    QSize meret{360, 420};
    // Looked-up fields for the grid and the joins that supply them over alias
    // "t" ("LEFT JOIN fiztip f ON (f.fiztip = t.fiztip)"); a reference that
    // points nowhere then reads as an empty field.
    QList<TorzsKapcsoltMezo> kapcsolt;
    QString joinok;
    // Runs after the row is saved, in the same transaction: what the save
    // brings with it (a cash row, …) is stored together with the row or not
    // at all. Throwing AdatbazisHiba refuses the save: nothing is stored and
    // the dialog stays open with the reason. `uj` for a new row.
    std::function<void(Rekord& sor, bool uj)> mentesUtan;
};

class TorzsAblak : public QDialog {
    Q_OBJECT
public:
    TorzsAblak(TorzsLeiras leiras, bool valasztas, QWidget* szulo = nullptr);

    // The opening operation: makes the row whose key equals `kulcs`
    // current (the first row when none), shows the window modally and
    // returns the current row's key when closed with "Elfogad", otherwise
    // an invalid QVariant.
    QVariant futtat(const QVariant& kulcs);

    const TorzsLeiras& leiras() const { return m_leiras; }
    bool valasztas() const { return m_valasztas; }
    KulcsosLista& lista() { return m_lista; }
    ListaModell* modell() const { return m_modell; }
    // Current row (-1 when the list is empty) and a field of it.
    int aktualis() const;
    QVariant ertek(const QString& mezo) const;
    void aktualisBeallit(int sor);
    // Makes the row whose `kulcs` field equals the value current; false when none.
    bool keresKulcs(const QVariant& kulcs);
    // Reloads the list; the row with the given key (or the same position) stays current.
    void ujratolt(const QVariant& kulcs = QVariant());

    QLineEdit* Edit1 = nullptr;   // nullptr when the member has no quick search
    QTableView* DBGrid1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* aUj = nullptr;
    QAction* aSzerkeszt = nullptr;
    QAction* aTorol = nullptr;
    QAction* aKeres = nullptr;
    QAction* aElfogad = nullptr;
    QAction* aBezar = nullptr;

public slots:
    virtual void aUjExecute();
    virtual void aSzerkesztExecute();
    virtual void aTorolExecute();
    void aKeresExecute();
    void aElfogadExecute();
    void aBezarExecute();

protected:
    // Quick search: runs what the quick-search rule read from the field's
    // text (never called for a text that asks for nothing). By default the
    // first row in list order whose search field begins with the text, any
    // letter case, accents as typed.
    virtual void gyorsKeres(const GyorsKereses::Kerdes& kerdes);
    // The frame the window is built on (tool bar, search field, grid, menu).
    ListaKeret& keret() const { return *m_keret; }
    // Fills a new pending row before its dialog opens (codes, defaults).
    virtual void ujSorElokeszit(Rekord& sor);
    // Runs the edit dialog on the pending row; true when it was saved.
    virtual bool szerkesztoFuttat(Rekord& sor, bool uj);
    // Deletes the current row; runs inside the deletion's transaction, so a
    // member may remove what belongs to the row along with it.
    virtual void sorTorol(const QVariantList& kulcs);
    // A member that checks a right before changes.
    bool jogVan();
    // Adds a tool-bar button and grid menu entry (members with more actions).
    QAction* muvelet(const QString& nev, const QString& felirat, const QKeySequence& billentyu,
                     const QString& tipp = QString());

    void showEvent(QShowEvent* e) override;

    TorzsLeiras m_leiras;
    bool m_valasztas;
    ListaKeret* m_keret;
    KulcsosLista m_lista;
    ListaModell* m_modell;
};

// The edit dialog of the pattern: labelled controls in tab order bound to
// fields of the pending row, "OK" that saves and "Mégsem" that gives up.
// Enter moves to the next control; fields take the focus colour.
class TorzsSzerkeszto : public QDialog {
    Q_OBJECT
public:
    TorzsSzerkeszto(Rekord& sor, const QString& cim, QWidget* szulo = nullptr);

    // Controls bound to fields; each returns the new control. A text field
    // takes as many characters as its table field; a number field refuses
    // on "OK" what is no number or out of its field's range (integers:
    // 32 bits; sums of money: finite, within PenzHatar).
    QLineEdit* szovegMezo(const QString& felirat, const QString& mezo, int hossz = 0);
    QLineEdit* szamMezo(const QString& felirat, const QString& mezo);
    // Any widget with its own read/write of the row.
    void sajat(const QString& felirat, QWidget* w, std::function<void(Rekord&)> beir);

    // Call after the controls are added: buttons, tab order, conventions.
    void kesz();

    Rekord& sor() { return m_sor; }
    // What the save brings with it, run after the row is written, in the
    // same transaction (see TorzsLeiras::mentesUtan).
    void mentesUtanBeallit(std::function<void(Rekord&)> f) { m_mentesUtan = std::move(f); }
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;

public slots:
    // Writes the controls into the row and saves it together with what the
    // save brings with it (mentesUtan), in one transaction; on refusal shows
    // "Hiányos, vagy hibás adatmegadás" and the reason (a storage failure:
    // "A mentés nem sikerült." and the reason), stores nothing and stays
    // open with the row pending.
    void btnOKClick();

protected:
    // Called after the row is written, inside the save's transaction; by
    // default runs what mentesUtanBeallit() gave. Throw to refuse the save.
    virtual void mentesUtan(Rekord& sor);

private:
    Rekord& m_sor;
    QList<std::function<void(Rekord&)>> m_beirok;
    std::function<void(Rekord&)> m_mentesUtan;
    // Checks run before anything is written; each shows its refusal itself.
    QList<std::function<bool()>> m_ellenorok;
};

QVariant TorzsMegnyit(const TorzsLeiras& leiras, QWidget* szulo, const QVariant& kulcs, bool valasztas);
