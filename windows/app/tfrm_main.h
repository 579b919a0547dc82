#pragma once
// The main window: the item catalogue with its quick search and filter, and
// the menus and tool bars that open every other window. It starts on a
// session opened before it (windows/app/indulas.h) and closes it at the end.
#include "core/app/videotabla.h"
#include "windows/app/indulas.h"
#include "windows/common/muvelet.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "windows/reports/listanyomtatas.h"

#include <QKeyCombination>
#include <QMainWindow>
#include <functional>
#include <span>

class AblakHely;
class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QTableView;
class QToolBar;
class ListaModell;
class VideoRacs;
class VideoRacsRajzolo;

// What the main window opens and prints, handed to it. An empty member is
// the program's own (FoablakKapcsolatok::program()); tests set the few they
// answer themselves.
struct FoablakKapcsolatok {
    using Ablak = std::function<void(QWidget* szulo)>;
    Ablak ugyfelek, tipusok, mufajok, arkategoriak, kasszaTipusok, kolcsonzesiIdok, arBeallitas;
    Ablak kassza, beallitas, felhasznalok, sql, vonalkod, bevetelGrafikon, megoszlasGrafikon, fontos, nevjegy;
    std::function<bool(QWidget*, qint64 video, const KolcsonzesUt& ut)> kolcsonzes;
    std::function<bool(QWidget*, qint64 video)> visszavetel;
    // The counter by scanner: a card's rental, an item's return.
    std::function<bool(QWidget*, int ugyfel, const KolcsonzesUt& ut)> kartyasKolcsonzes;
    std::function<bool(QWidget*, qint64 video)> beolvasottVisszavetel;
    std::function<void(QWidget*, qint64 video)> tortenet;
    std::function<void(QWidget*, TetelLista lista)> listaNyomtat;
    // The export of the list; returns the row its walk ended on (-1: none).
    std::function<qint64(QWidget*, const VideoTabla& tbl)> excelbe;
    // The import window; `importalva` gets the last item imported.
    std::function<void(QWidget*, std::function<void(qint64)> importalva)> tetelImport;
    // The detailed search: true when it moved `tbl` to an item found.
    std::function<bool(QWidget*, VideoTabla& tbl)> reszletesKereses;
    // What a printed list's "CSV export" and the detailed search's
    // "Nyomtatás" do.
    ListaExportHorog csvExport;
    std::function<void(const QString& sql, const QVariantList& param, const QString& cim, QWidget*)> keresJelentes;
    // The choices a rental asks for; an empty one is the program's too
    // (the receipt printed from the main window).
    KolcsonzesUt kolcsonzesUt;

    // Every member set: the given ones kept, the rest the program's.
    static FoablakKapcsolatok program(FoablakKapcsolatok sajat = {});
};

class Tfrm_Main : public QMainWindow {
    Q_OBJECT
public:
    Tfrm_Main(const Munkamenet& munkamenet, FoablakKapcsolatok kapcsolatok = {}, QWidget* szulo = nullptr);
    // The program's start in one: Indulas(), then the window on its session
    // (indult() false when the start stopped).
    explicit Tfrm_Main(QWidget* szulo = nullptr);
    ~Tfrm_Main() override;

    // False when start-up stopped (no data); the program then ends.
    bool indult() const { return m_indult; }

    bool IniMentes();

    void OszlopSzelesseg();
    void TippKiir(const QString& tipp);
    void Inditas(const QString& cel);
    // Reloads the list, keeping the current item. Runs after every commit
    // (Adatbazis::valtozas()), wherever it was made.
    void TblFrissit();
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

    // Every command of the window: its caption, keys, the right it needs
    // (checked before the handler runs, so no handler repeats it) and the
    // handler. One row a command (parancsSorok()).
    enum class Jog { Nincs, Rendszergazda };
    struct FoParancs {
        Parancs parancs;
        const char* felirat;
        QKeyCombination billentyu;
        Jog jog;
        void (*kezelo)(Tfrm_Main&);
    };
    static std::span<const FoParancs> parancsSorok();

    QAction* muvelet(Parancs p) const { return m_muveletek[std::size_t(p)]; }
    // By the action's name ("aKolcsonoz"); nullptr for one the window has not.
    QAction* muvelet(const QString& nev) const;
    // True when the user has the right the command needs; otherwise says so
    // ("Nincs jogosultság a művelethez.") and returns false.
    bool jogEllenoriz(Parancs p);

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
    // "Régi adatok átvétele": on a database with only the delivered rows,
    // once confirmed, closes the window and the session; the program then
    // runs the take-over and starts again (atvetelKell()).
    void aAtvetelExecute();
    bool atvetelKell() const { return m_atvetelKell; }

    void setVisible(bool lathato) override;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    Tfrm_Main(const std::optional<Munkamenet>& munkamenet, FoablakKapcsolatok kapcsolatok, QWidget* szulo);

    FoablakKapcsolatok m_k;
    bool m_indult = false;
    bool m_megmutatva = false;
    bool m_lezarva = false;
    bool m_atvetelKell = false;
    quint64 m_frissitesek = 0;   // lists read so far (utanaFrissit)
    QAction* m_muveletek[ParancsSzam] = {};
    VideoRacs* m_racs = nullptr;
    QActionGroup* m_keresMod = nullptr;
    AblakHely* m_hely = nullptr;

    void muveletekLetrehoz();
    void menukLetrehoz();
    void feluletLetrehoz();
    void racsBetu();
    void gyorsKeres(const QString& szoveg);
    // Enter in the quick-search field: a label read acts (a card rents, an
    // item out comes back); a refused one is said and the row goes back.
    void beolvasas();
    qint64 m_beolvasasElott = -1;   // the current item before the field's text began
    QString m_elozoKeresett;
    void mezoUrit();
    void aktualisValtozott(const QModelIndex& i);
    void sorJel(int sor);
    void ListaExportUtan(qint64 sor);
    // Runs a window whose outcome the list shows even when it stored
    // nothing (a refusal: the list shows what is stored); a commit in it has
    // refreshed the list already.
    void utanaFrissit(const std::function<void()>& ablak);
};
