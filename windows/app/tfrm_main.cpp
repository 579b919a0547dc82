#include "windows/app/tfrm_main.h"
#include "core/common/gyorskereses.h"
#include "core/admin/archiv.h"
#include "core/admin/atvetel.h"
#include "windows/admin/nevjegy.h"
#include "core/admin/sugo.h"
#include "windows/admin/tfrm_beallit.h"
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/admin/tfrm_sql.h"
#include "core/reports/listaexport.h"
#include "windows/reports/tfrm_hatarolt.h"
#include "windows/reports/tfrm_vkod.h"
#include "core/app/tetelek.h"
#include "windows/app/tfrm_keres.h"
#include "windows/app/tfrm_szerkeszt.h"
#include "windows/app/tfrm_tetelimport.h"
#include "windows/app/videoracs.h"
#include "windows/cash/tfrm_cassa.h"
#include "windows/cash/tfrm_grafikon.h"
#include "windows/common/ablakhely.h"
#include "windows/common/muvelet.h"
#include "windows/common/bevitel.h"
#include "core/common/keszito.h"
#include "core/common/listamodell.h"
#include "print/common/parbeszed.h"
#include "windows/common/racs.h"
#include "core/common/szoveg.h"
#include "windows/common/tfrm_inp.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/rekord.h"
#include "print/common/uzenet.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "windows/refdata/torzsadatok.h"
#include "windows/reports/listanyomtatas.h"
#include "windows/reports/kesedelmesnyomtatas.h"
#include "windows/rental/fiztip.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "core/rental/beolvasas.h"
#include "windows/rental/tfrm_tortenet.h"
#include "print/rental/tqrkolcsonzes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextLayout>
#include <QStatusTipEvent>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

// ---- the commands ---------------------------------------------------------------

namespace {

// Not a command: a line between two in a menu or a tool bar.
constexpr Parancs Elvalaszto = Parancs(-1);

// Where the commands show. (The context menu and the tool bars are made
// with the window, feluletLetrehoz.)
struct MenuLeiras {
    const char* cim;
    std::initializer_list<Parancs> elemek;
};

} // namespace

std::span<const Tfrm_Main::FoParancs> Tfrm_Main::parancsSorok()
{
    using enum Parancs;
    using F = Tfrm_Main;
    static constexpr FoParancs sorok[] = {
        {Uj, "Új sor", Qt::Key_Insert, Jog::Nincs, [](F& f) { f.TetelSzerkeszt(true); }},
        {UjMasol, "Új sor másolással", Qt::SHIFT | Qt::Key_Insert, Jog::Nincs, [](F& f) { f.aUjMasolExecute(); }},
        {Szerkeszt, "Szerkesztés", Qt::Key_F2, Jog::Nincs, [](F& f) { f.TetelSzerkeszt(false); }},
        {Torol, "Törlés", Qt::CTRL | Qt::Key_Delete, Jog::Nincs, [](F& f) { f.aTorolExecute(); }},
        {Keres, "Keresés", Qt::CTRL | Qt::Key_F, Jog::Nincs, [](F& f) { f.aKeresExecute(); }},
        {Keres1, "Keresés azonosítóra", {}, Jog::Nincs, [](F& f) { f.aKeres1Execute(); }},
        {Keres2, "Keresés címre", {}, Jog::Nincs, [](F& f) { f.aKeres2Execute(); }},
        {KeresReszletes, "Részletes keresés", Qt::CTRL | Qt::Key_T, Jog::Nincs,
         [](F& f) { if (f.m_k.reszletesKereses(&f, f.Tbl)) f.aktualisMutat(); }},
        {Szur, "Szűrés - csak kintlévő", Qt::CTRL | Qt::Key_S, Jog::Nincs, [](F& f) { f.aSzurExecute(); }},
        {Nyomtat, "Nyomtat", Qt::CTRL | Qt::Key_P, Jog::Nincs, [](F& f) { f.m_k.listaNyomtat(&f, TetelLista::Teljes); }},
        {Excelbe, "Excelbe", Qt::CTRL | Qt::Key_E, Jog::Nincs, [](F& f) { f.ListaExportUtan(f.m_k.excelbe(&f, f.Tbl)); }},
        // Imported items show in the list at once (the commit read it
        // again), the last of them current.
        {Import, "Tételek importja", {}, Jog::Rendszergazda,
         [](F& f) {
             f.m_k.tetelImport(&f, [&f](qint64 utolso) {
                 if (f.Tbl.keresKulcs(utolso)) f.aktualisMutat();
             });
         }},
        {Bezar, "Kilépés a programból", {}, Jog::Nincs, [](F& f) { f.aBezarExecute(); }},
        // The list shows the names of customers, types, genres and price
        // categories: what their windows renamed or deleted shows once
        // committed.
        {Ugyfelek, "Ügyfelek", {}, Jog::Nincs, [](F& f) { f.m_k.ugyfelek(&f); }},
        {KasszaTip, "Kassza típusok", {}, Jog::Nincs, [](F& f) { f.m_k.kasszaTipusok(&f); }},
        {Tipusok, "Típusok", {}, Jog::Nincs, [](F& f) { f.m_k.tipusok(&f); }},
        {Arkat, "Árkategóriák", {}, Jog::Nincs, [](F& f) { f.m_k.arkategoriak(&f); }},
        {Mufaj, "Műfajok", {}, Jog::Nincs, [](F& f) { f.m_k.mufajok(&f); }},
        {TorzsFiztip, "Kölcsönzési idők", {}, Jog::Nincs, [](F& f) { f.m_k.kolcsonzesiIdok(&f); }},
        {ArBeallit, "Árak beállítása", {}, Jog::Nincs, [](F& f) { f.m_k.arBeallitas(&f); }},
        {Kolcsonoz, "Kölcsönöz", Qt::Key_F3, Jog::Nincs, [](F& f) { f.aKolcsonozExecute(); }},
        {Visszavesz, "Visszavesz", Qt::Key_F4, Jog::Nincs, [](F& f) { f.aVisszaveszExecute(); }},
        {Kassza, "Kassza", {}, Jog::Nincs, [](F& f) { f.m_k.kassza(&f); }},
        {Tortenet, "Történet", Qt::Key_F8, Jog::Nincs,
         [](F& f) { if (f.Tbl.aktualis() >= 0) f.m_k.tortenet(&f, f.Tbl.aktualisKulcs()); }},
        {VKod, "Vonalkód nyomtatás", {}, Jog::Nincs, [](F& f) { f.m_k.vonalkod(&f); }},
        {NyomKiadva, "Kiadott tételek", {}, Jog::Nincs, [](F& f) { f.m_k.listaNyomtat(&f, TetelLista::Kiadott); }},
        {NyomKiadLejart, "Kiadott, és lejárt tételek", {}, Jog::Nincs,
         [](F& f) { f.m_k.listaNyomtat(&f, TetelLista::KiadottLejart); }},
        {NyomKesedelmes, "Késedelmes ügyfelek", {}, Jog::Nincs,
         [](F& f) { KesedelmesNyomtat(&f, KesedelmesFajta::Lista); }},
        {NyomFelszolito, "Felszólító levelek", {}, Jog::Nincs,
         [](F& f) { KesedelmesNyomtat(&f, KesedelmesFajta::Levelek); }},
        {NyomBentlevo, "Bentlévő tételek", {}, Jog::Nincs, [](F& f) { f.m_k.listaNyomtat(&f, TetelLista::Bentlevo); }},
        {NyomOsszesKolcs, "Összes tétel kölcsönzések száma szerint", {}, Jog::Nincs,
         [](F& f) { f.m_k.listaNyomtat(&f, TetelLista::Kolcsonzesek); }},
        {ChMegoszlas, "Kölcsönzések megoszlása műfaj szerint", {}, Jog::Nincs, [](F& f) { f.m_k.megoszlasGrafikon(&f); }},
        {ChBevKiad, "Bevételek alakulása", {}, Jog::Nincs, [](F& f) { f.m_k.bevetelGrafikon(&f); }},
        {Felhasznalo, "Felhasználók", {}, Jog::Rendszergazda, [](F& f) { f.m_k.felhasznalok(&f); }},
        {SQL, "Szabad lekérdezés", {}, Jog::Rendszergazda, [](F& f) { f.m_k.sql(&f); }},
        {Archival, "Adatbázis archiválás", {}, Jog::Nincs, [](F& f) { f.aArchivalExecute(); }},
        {Beallit, "Beállítások", {}, Jog::Rendszergazda, [](F& f) { f.m_k.beallitas(&f); }},
        {Atvetel, "Régi adatok átvétele", {}, Jog::Rendszergazda, [](F& f) { f.aAtvetelExecute(); }},
        {BetumeretNovel, "Betűméret növelés", Qt::CTRL | Qt::Key_F12, Jog::Nincs, [](F& f) { f.aBetumeretNovelExecute(); }},
        {BetumeretCsokkent, "Betűméret csökkentés", Qt::SHIFT | Qt::Key_F12, Jog::Nincs,
         [](F& f) { f.aBetumeretCsokkentExecute(); }},
        {Sugo, "Súgó", Qt::Key_F1, Jog::Nincs,
         [](F& f) { f.Inditas(::Sugo::Fajl(ProgramUtvonal(), QCoreApplication::applicationDirPath())); }},
        {Fontos, "Fontos információk", {}, Jog::Nincs, [](F& f) { f.m_k.fontos(&f); }},
        {Level, "Levélküldés Zubolkanak", {}, Jog::Nincs,
         [](F& f) { f.Inditas(::Sugo::LevelLink().toString(QUrl::FullyEncoded)); }},
        {Honlap, "Zubolka honlapja", {}, Jog::Nincs, [](F& f) { f.Inditas(QString::fromLatin1(Keszito::HonlapUrl)); }},
        {Ujdonsag, "Újdonságok az Interneten", {}, Jog::Nincs,
         [](F& f) { f.Inditas(QString::fromLatin1(Keszito::UjdonsagUrl)); }},
        {Nevjegy, "Névjegy", Qt::ALT | Qt::Key_F1, Jog::Nincs, [](F& f) { f.m_k.nevjegy(&f); }},
    };
    static_assert(std::ranges::all_of(sorok, [](const FoParancs& s) { return s.kezelo && s.felirat; }));
    return sorok;
}

// ---- what the window opens --------------------------------------------------

FoablakKapcsolatok FoablakKapcsolatok::program(FoablakKapcsolatok k)
{
    const auto potol = [](auto& tag, auto alap) {
        if (!tag) tag = std::move(alap);
    };
    potol(k.ugyfelek, [](QWidget* w) { TorzsUgyfelMegnyit(w, -1, false); });
    potol(k.tipusok, [](QWidget* w) { TorzsTipusMegnyit(w, -1, false); });
    potol(k.mufajok, [](QWidget* w) { TorzsMufajMegnyit(w, -1, false); });
    potol(k.arkategoriak, [](QWidget* w) { TorzsArkatMegnyit(w, -1, false); });
    potol(k.kasszaTipusok, [](QWidget* w) { TorzsCassatipMegnyit(w, QString(), false); });
    potol(k.kolcsonzesiIdok, [](QWidget* w) { TorzsFizTipKarbantart(w); });
    potol(k.arBeallitas, [](QWidget* w) { ArBeallitas(w); });
    potol(k.kassza, [](QWidget* w) { CassaMegnyit(w); });
    potol(k.beallitas, [](QWidget* w) { BeallitMegnyit(w); });
    potol(k.felhasznalok, [](QWidget* w) { FelhasznaloMegnyit(w); });
    potol(k.sql, [](QWidget* w) { SqlMegnyit(w); });
    potol(k.vonalkod, [](QWidget* w) { VKodMegnyit(w); });
    potol(k.bevetelGrafikon, [](QWidget* w) { ChBevKiadMegnyit(w); });
    potol(k.megoszlasGrafikon, [](QWidget* w) { ChMegoszlasMegnyit(w); });
    potol(k.fontos, [](QWidget* w) { ReadmeMegnyit(w); });
    potol(k.nevjegy, [](QWidget* w) { NevjegyMegnyit(w); });
    potol(k.kolcsonzes, [](QWidget* w, qint64 video, const KolcsonzesUt& ut) { return KolcsonzesInditas(w, video, ut); });
    potol(k.visszavetel, [](QWidget* w, qint64 video) { return VisszavetelInditas(w, video); });
    potol(k.kartyasKolcsonzes, [](QWidget* w, int ugyfel, const KolcsonzesUt& ut) { return KartyasKolcsonzes(w, ugyfel, ut); });
    potol(k.beolvasottVisszavetel, [](QWidget* w, qint64 video) { return BeolvasottVisszavetel(w, video); });
    potol(k.tortenet, [](QWidget* w, qint64 video) { TortenetMegnyit(w, TortenetMod::Tetel, video); });
    potol(k.excelbe, [](QWidget* w, const VideoTabla& tbl) {
        Hatarolt::Forras f = ListaExport::Tetelek(tbl.lista());
        f.sorok = tbl.lista().sorok();
        return HataroltExport(w, f, QString::fromLatin1(ListaExport::TetelFajl));
    });
    potol(k.tetelImport, [](QWidget* w, std::function<void(qint64)> importalva) {
        TetelImportMegnyit(w, std::move(importalva));
    });
    // A printed list's "CSV export" opens the export window on the list's
    // statement; the detailed search prints its finds as an item list.
    potol(k.csvExport, [](QWidget* w, const QString& sql, const QVariantList& param, const QString& fajl) {
        HataroltExport(w, Hatarolt::LekerdezesForras(sql, param), fajl);
    });
    potol(k.keresJelentes, [csv = k.csvExport](const QString& sql, const QVariantList& param, const QString&, QWidget* w) {
        KeresesEredmenyeNyomtat(w, sql, param, csv);
    });
    // The lists and the search are given the export and the report above.
    potol(k.listaNyomtat, [csv = k.csvExport](QWidget* w, TetelLista l) { TetelListaNyomtat(w, l, csv); });
    potol(k.reszletesKereses, [jel = k.keresJelentes](QWidget* w, VideoTabla& tbl) { return TetelKeres(w, tbl, jel); });
    // The choices the rental asks for.
    KolcsonzesUt& ut = k.kolcsonzesUt;
    potol(ut.ugyfelValaszto, [](QWidget* w) { return TorzsUgyfelMegnyit(w, -1, true); });
    potol(ut.idoValaszto, [](QWidget* w, QString* nev, int* ora) { return TorzsFizTipValaszt(w, nev, ora); });
    return k;
}

// ---- the window -------------------------------------------------------------

Tfrm_Main::Tfrm_Main(QWidget* szulo) : Tfrm_Main(Indulas(), {}, szulo) {}

Tfrm_Main::Tfrm_Main(const Munkamenet& munkamenet, FoablakKapcsolatok kapcsolatok, QWidget* szulo)
    : Tfrm_Main(std::optional<Munkamenet>(munkamenet), std::move(kapcsolatok), szulo)
{
}

Tfrm_Main::Tfrm_Main(const std::optional<Munkamenet>& munkamenet, FoablakKapcsolatok kapcsolatok, QWidget* szulo)
    : QMainWindow(szulo), m_k(FoablakKapcsolatok::program(std::move(kapcsolatok)))
{
    // The receipt is printed from this window.
    if (!m_k.kolcsonzesUt.nyugta)
        m_k.kolcsonzesUt.nyugta = [this](int kolcsid) { KolcsonzesNyomtat(kolcsid, Kimenet::nyomtato(), this); };
    setObjectName("Tfrm_Main");
    setWindowTitle(QStringLiteral("Kazettora"));
    m_hely = new AblakHely(this, {});
    muveletekLetrehoz();
    feluletLetrehoz();
    menukLetrehoz();
    if (!munkamenet) {
        m_lezarva = true;   // no session to close
        return;
    }
    setWindowTitle(QStringLiteral("Kazettora: [%1]").arg(munkamenet->tulajdonos));
    // Grid font; the item list in code order.
    racsBetu();
    if (!Vedett([&] { TblModell->valtozas([&] { Tbl.nyit(); }); }, this)) return;
    aktualisMutat();
    // Whatever a window committed shows in the list.
    connect(&Adatbazis::valtozas(), &Adatbazis::Valtozas::valtozott, this, [this] {
        if (!m_lezarva) TblFrissit();
    });
    m_indult = true;
}

Tfrm_Main::~Tfrm_Main()
{
    if (!m_lezarva) Adatbazis::zar();
}

void Tfrm_Main::muveletekLetrehoz()
{
    for (const FoParancs& s : parancsSorok()) {
        const bool vanBillentyu = s.billentyu.key() != Qt::Key_unknown && s.billentyu.key() != Qt::Key(0);
        QAction* a = MuveletKeszit(this, s.parancs, QString::fromUtf8(s.felirat),
                                   vanBillentyu ? QList{QKeySequence(s.billentyu)} : QList<QKeySequence>{});
        m_muveletek[std::size_t(s.parancs)] = a;
        connect(a, &QAction::triggered, this, [this, &s] {
            if (jogEllenoriz(s.parancs)) Vedett([&] { s.kezelo(*this); }, this);
        });
    }
    m_keresMod = new QActionGroup(this);
    m_keresMod->setExclusive(true);
    for (Parancs p : {Parancs::Keres1, Parancs::Keres2}) {
        muvelet(p)->setCheckable(true);
        m_keresMod->addAction(muvelet(p));
    }
    muvelet(Parancs::Keres1)->setChecked(true);
    muvelet(Parancs::Szur)->setCheckable(true);
}

QAction* Tfrm_Main::muvelet(const QString& nev) const
{
    const ParancsSor* s = ParancsNevrol(nev);
    return s ? muvelet(s->parancs) : nullptr;
}

bool Tfrm_Main::jogEllenoriz(Parancs p)
{
    const std::span<const FoParancs> sorok = parancsSorok();
    const auto sor = std::ranges::find(sorok, p, &FoParancs::parancs);
    if (sor == sorok.end() || sor->jog == Jog::Nincs || TBeall.rendszergazda) return true;
    HibaAblak(QString::fromUtf8(NincsJog), this);
    return false;
}

void Tfrm_Main::feluletLetrehoz()
{
    ToolBar1 = addToolBar(QStringLiteral("Eszköztár"));
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    using enum Parancs;
    auto tesz = [this](QToolBar* tb, std::initializer_list<Parancs> elemek) {
        for (Parancs p : elemek) {
            if (p == Elvalaszto) tb->addSeparator();
            else tb->addAction(muvelet(p));
        }
    };
    tesz(ToolBar1, {Ugyfelek, Elvalaszto, BetumeretNovel, BetumeretCsokkent, Elvalaszto, Beallit, Archival, Elvalaszto,
                    Sugo, Fontos, Ujdonsag, Elvalaszto, Bezar});

    auto* kozep = new QWidget(this);
    auto* elrendezes = new QVBoxLayout(kozep);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->setSpacing(0);

    Panel1 = new QLabel(QStringLiteral("Kazettora"), kozep);
    Panel1->setObjectName("Panel1");
    QFont f = Panel1->font();
    f.setBold(true);
    f.setPointSize(9);
    Panel1->setFont(f);
    Panel1->setStyleSheet(QStringLiteral("color: #0066CC; padding: 2px;"));
    elrendezes->addWidget(Panel1);

    ToolBar2 = new QToolBar(kozep);
    ToolBar2->setObjectName("ToolBar2");
    Edit1 = new QLineEdit(ToolBar2);
    Edit1->setObjectName("Edit1");
    Edit1->setFixedWidth(121);
    CsakSzamjegy(Edit1, true);   // the search starts by code
    MuveletElsobbseg(Edit1);
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& s) { Vedett([&] { gyorsKeres(s); }, this); });
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Vedett([&] { beolvasas(); }, this); });
    ToolBar2->addWidget(Edit1);
    ToolBar2->addSeparator();
    auto legordulo = [this](QAction* fo, std::initializer_list<Parancs> menu) {
        auto* m = new QMenu(this);
        for (Parancs p : menu) m->addAction(muvelet(p));
        auto* b = new QToolButton(ToolBar2);
        b->setDefaultAction(fo);
        b->setMenu(m);
        b->setPopupMode(QToolButton::MenuButtonPopup);
        ToolBar2->addWidget(b);
    };
    legordulo(muvelet(Keres), {Keres1, Keres2});
    tesz(ToolBar2, {KeresReszletes, Szur, Elvalaszto});
    legordulo(muvelet(Uj), {Uj, UjMasol});
    tesz(ToolBar2, {Szerkeszt, Torol, Elvalaszto, Kolcsonoz, Visszavesz, Elvalaszto, Tortenet});
    elrendezes->addWidget(ToolBar2);

    TblModell = new ListaModell(&Tbl.lista(), VideoRacs::oszlopok(), this);

    m_racs = new VideoRacs(kozep);
    DBGrid1 = m_racs;
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setModel(TblModell);
    Rajzolo = new VideoRacsRajzolo(&Tbl.lista(), 0, DBGrid1);
    m_racs->rajzolo = Rajzolo;
    DBGrid1->setItemDelegate(Rajzolo);
    RacsBeallit(DBGrid1);
    DBGrid1->setCornerButtonEnabled(false);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (Parancs p : {Kolcsonoz, Visszavesz, Elvalaszto, Uj, UjMasol, Szerkeszt, Torol, Elvalaszto, Tortenet,
                      Elvalaszto, Keres, KeresReszletes, Szur}) {
        if (p == Elvalaszto) {
            auto* s = new QAction(DBGrid1);
            s->setSeparator(true);
            DBGrid1->addAction(s);
        } else {
            DBGrid1->addAction(muvelet(p));
        }
    }
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] { muvelet(Szerkeszt)->trigger(); });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { aktualisValtozott(i); });
    connect(TblModell, &QAbstractItemModel::modelReset, this, [this] {
        // The reset took the current index: put it back from Tbl.
        aktualisMutat();
    });
    KeresoMezo(Edit1, DBGrid1);
    elrendezes->addWidget(DBGrid1, 1);
    setCentralWidget(kozep);

    const int szelessegek[4] = {100, 225, 125, 50};
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(statusBar());
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        StatusPanel[i]->setFixedWidth(szelessegek[i]);
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(StatusPanel[i]);
    }
    statusBar()->setObjectName("StatusBar1");
    StatusPanel[2]->setText(QStringLiteral("Sorrend: kód"));
}


void Tfrm_Main::menukLetrehoz()
{
    using enum Parancs;
    const MenuLeiras menuk[] = {
        {"Rekordok", {Uj, Szerkeszt, Torol, Elvalaszto, Nyomtat, Excelbe, Elvalaszto, Import, Elvalaszto, Bezar}},
        {"Törzsadatok", {Ugyfelek, Elvalaszto, KasszaTip, Elvalaszto, Tipusok, Arkat, Mufaj, Elvalaszto, TorzsFiztip,
                         ArBeallit}},
        {"Kölcsönzés", {Kolcsonoz, Visszavesz, Elvalaszto, Kassza, Elvalaszto, Tortenet}},
        {"Eszközök", {VKod}},
        {"Nyomtatások", {Nyomtat, NyomKiadva, NyomKiadLejart, NyomBentlevo, NyomOsszesKolcs, Elvalaszto, NyomKesedelmes,
                         NyomFelszolito, Elvalaszto, ChMegoszlas, ChBevKiad}},
        {"Rendszer", {Felhasznalo, Elvalaszto, SQL, Archival, Elvalaszto, Beallit, Elvalaszto, Atvetel}},
        {"Súgó", {Sugo, Elvalaszto, Fontos, Level, Honlap, Ujdonsag, Elvalaszto, Nevjegy}},
    };
    for (const MenuLeiras& m : menuk) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.cim));
        for (Parancs p : m.elemek) {
            if (p == Elvalaszto) menu->addSeparator();
            else menu->addAction(muvelet(p));
        }
    }
}

// ---- settings -----------------------------------------------------------------

bool Tfrm_Main::IniMentes()
{
    QString hiba;
    const AblakHely::Hely h = AblakHely::mentendo(this);
    if (IniMentesFajlba(ProgramUtvonal() + '/' + BeallitasFajlNev,
                        {h.sarok.x(), h.sarok.y(), h.meret.height(), h.meret.width()}, &hiba))
        return true;
    HibaAblak(hiba, this);
    return false;
}

// ---- list ------------------------------------------------------------------------

void Tfrm_Main::racsBetu()
{
    QFont f = DBGrid1->font();
    f.setPointSize(TBeall.Betumeret);
    DBGrid1->setFont(f);
    // Every row takes the new height, and the header tells the table of each
    // one (a million sectionResized signals at a million items, 50 ms); one
    // layout of the grid afterwards does the same.
    QHeaderView* sorFej = DBGrid1->verticalHeader();
    {
        const QSignalBlocker csend(sorFej);
        sorFej->setDefaultSectionSize(QFontMetrics(f).height() + 4);
    }
    DBGrid1->doItemsLayout();
    sorFej->viewport()->update();
}

void Tfrm_Main::OszlopSzelesseg() { m_racs->oszlopSzelesseg(width()); }

void Tfrm_Main::aktualisMutat()
{
    const int sor = Tbl.aktualis();
    sorJel(sor);
    if (sor < 0) return;
    const QModelIndex regi = DBGrid1->currentIndex();
    const QModelIndex uj = TblModell->index(sor, regi.isValid() ? regi.column() : 1);
    if (regi.row() != sor || !regi.isValid())
        DBGrid1->selectionModel()->setCurrentIndex(uj, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    DBGrid1->scrollTo(uj);
}

void Tfrm_Main::aktualisValtozott(const QModelIndex& i)
{
    if (!i.isValid()) return;
    Tbl.aktualisBeallit(i.row());
    sorJel(i.row());
}

void Tfrm_Main::ListaExportUtan(qint64 sor)
{
    // The list stays where the export's walk ended.
    if (sor < 0 || sor >= Tbl.lista().sorok()) return;
    Tbl.aktualisBeallit(int(sor));
    aktualisMutat();
}

void Tfrm_Main::sorJel(int sor) { RacsSorJel(DBGrid1, TblModell, sor); }

void Tfrm_Main::gyorsKeres(const QString& szoveg)
{
    const bool cim = muvelet(Parancs::Keres2)->isChecked();
    // A text that does not go on from the last one is a new code (a scan
    // replaces the selected one): the row it started from is kept.
    if (m_elozoKeresett.isEmpty() || !szoveg.startsWith(m_elozoKeresett))
        m_beolvasasElott = Tbl.aktualis() >= 0 ? Tbl.aktualisKulcs() : -1;
    m_elozoKeresett = szoveg;
    const GyorsKereses::Kerdes k = GyorsKereses::Ertelmez(szoveg, cim ? GyorsKereses::Mod::Nev : GyorsKereses::Mod::TetelKod);
    using T = GyorsKereses::Kerdes::Tipus;
    if (k.tipus == T::HibasVonalkod || k.tipus == T::UgyfelKartya) {
        // Not an item's code: the row goes back to where the label's digits found it.
        if (m_beolvasasElott >= 0 && Tbl.keresKulcs(m_beolvasasElott)) aktualisMutat();
        return;
    }
    bool talalt = false;
    if (k.tipus == GyorsKereses::Kerdes::Tipus::Kod) talalt = Tbl.keresKod(k.kod);
    else if (k.tipus == GyorsKereses::Kerdes::Tipus::Nev) talalt = Tbl.keresCim(k.eleje);
    // The field emptied in title mode (choosing that mode empties it):
    // the top of the title order.
    else if (cim && szoveg.isEmpty()) talalt = Tbl.keresCim(QString());
    if (talalt) aktualisMutat();
    // A label whose code no item has moves nothing either.
    else if (!cim && GyorsKereses::CimkeOlvas(szoveg).fajta != GyorsKereses::Cimke::Fajta::Nem && m_beolvasasElott >= 0
             && Tbl.keresKulcs(m_beolvasasElott))
        aktualisMutat();
}

void Tfrm_Main::beolvasas()
{
    if (muvelet(Parancs::Keres2)->isChecked()) return;   // title search: no codes
    const GyorsKereses::Cimke c = GyorsKereses::CimkeOlvas(Edit1->text());
    using F = GyorsKereses::Cimke::Fajta;
    if (c.fajta == F::Nem) return;   // a typed code: found as it was typed
    // The next label replaces this one, whatever comes of it.
    Edit1->selectAll();
    m_elozoKeresett.clear();
    const auto kodja = [](int kod) { return Beolvasas::KodSzoveg(kod); };
    if (c.fajta == F::Hibas) {
        parbeszed().hang();
        HibaAblak(GyorsKereses::CimkeHiba(GyorsKereses::Ertelmez(Edit1->text(), GyorsKereses::Mod::TetelKod), Edit1->text()),
                  this);
        return;
    }
    if (c.fajta == F::Ugyfel) {
        const auto u = Beolvasas::UgyfelKodbol(c.kod);
        if (!u) {
            parbeszed().hang();
            HibaAblak(QStringLiteral("Nincs %1 kódú ügyfél.").arg(kodja(c.kod)), this);
            return;
        }
        Edit1->clear();
        utanaFrissit([&] { m_k.kartyasKolcsonzes(this, u->ugyfel, m_k.kolcsonzesUt); });
        Edit1->setFocus();
        return;
    }
    const auto t = Beolvasas::TetelKodbol(c.kod);
    if (!t) {
        parbeszed().hang();
        HibaAblak(QStringLiteral("Nincs %1 kódú tétel.").arg(kodja(c.kod)), this);
        return;
    }
    if (!t->kint) return;   // in the shop: the list shows it
    Edit1->clear();
    utanaFrissit([&] { m_k.beolvasottVisszavetel(this, t->video); });
    Edit1->setFocus();
}

void Tfrm_Main::mezoUrit()
{
    // Emptying the field runs the search; an empty field is searched anyway.
    if (Edit1->text().isEmpty())
        gyorsKeres(QString());
    else
        Edit1->clear();
}

void Tfrm_Main::TblFrissit()
{
    ++m_frissitesek;
    Vedett([&] { TblModell->valtozas([&] { Tbl.frissit(); }); }, this);
}

void Tfrm_Main::utanaFrissit(const std::function<void()>& ablak)
{
    struct Vegul {
        Tfrm_Main* f;
        quint64 elotte;
        ~Vegul() { if (f->m_frissitesek == elotte) f->TblFrissit(); }   // whatever the window's outcome
    } vegul{this, m_frissitesek};
    ablak();
}


// ---- handlers ------------------------------------------------------------------

void Tfrm_Main::aKeresExecute()
{
    Edit1->setFocus(Qt::ShortcutFocusReason);
    Edit1->selectAll();
}

void Tfrm_Main::aKeres1Execute()
{
    muvelet(Parancs::Keres1)->setChecked(true);
    StatusPanel[2]->setText(QStringLiteral("Sorrend: kód"));
    CsakSzamjegy(Edit1, true);
    if (Tbl.rend() != VideoTabla::Rend::Kod)
        TblModell->valtozas([&] { Tbl.rendBeallit(VideoTabla::Rend::Kod); });
    mezoUrit();
    Edit1->setFocus();
}

void Tfrm_Main::aKeres2Execute()
{
    muvelet(Parancs::Keres2)->setChecked(true);
    StatusPanel[2]->setText(QStringLiteral("Sorrend: cím"));
    CsakSzamjegy(Edit1, false);
    if (Tbl.rend() != VideoTabla::Rend::Cim)
        TblModell->valtozas([&] { Tbl.rendBeallit(VideoTabla::Rend::Cim); });
    mezoUrit();
    Edit1->setFocus();
}

void Tfrm_Main::aSzurExecute()
{
    // The action's checked state has already flipped when triggered.
    const bool be = muvelet(Parancs::Szur)->isChecked();
    TblModell->valtozas([&] { Tbl.csakKintBeallit(be); });
}

void Tfrm_Main::aBezarExecute() { close(); }

void Tfrm_Main::aBetumeretNovelExecute()
{
    if (TBeall.Betumeret == 22) return;
    ++TBeall.Betumeret;
    racsBetu();
}

void Tfrm_Main::aBetumeretCsokkentExecute()
{
    if (TBeall.Betumeret == 8) return;
    --TBeall.Betumeret;
    racsBetu();
}

void Tfrm_Main::aKolcsonozExecute()
{
    if (Tbl.aktualis() < 0) return;
    const qint64 video = Tbl.aktualisKulcs();
    utanaFrissit([&] { m_k.kolcsonzes(this, video, m_k.kolcsonzesUt); });
}

void Tfrm_Main::aVisszaveszExecute()
{
    if (Tbl.aktualis() < 0) return;
    const qint64 video = Tbl.aktualisKulcs();
    utanaFrissit([&] { m_k.visszavetel(this, video); });
}

void Tfrm_Main::TetelSzerkeszt(bool uj)
{
    Rekord sor(QStringLiteral("video"));
    if (uj) {
        TetelUjElokeszit(sor);
    } else {
        if (Tbl.aktualis() < 0) return;
        // Deleted meanwhile (elsewhere): the list catches up instead.
        if (!sor.szerkeszt(Tbl.aktualisKulcs())) {
            TblFrissit();
            return;
        }
    }
    bool mentve = false;
    {
        Tfrm_Szerkeszt d(sor, this);
        mentve = d.exec() == QDialog::Accepted;
    }
    // A row given up leaves the table as it was.
    if (sor.allapot() != Rekord::Allapot::Bongesz) sor.elvet();
    if (!mentve) return;
    if (Tbl.keresKulcs(sor.kulcs().toLongLong())) aktualisMutat();
}

void Tfrm_Main::aUjMasolExecute()
{
    if (Tbl.aktualis() < 0) return;
    const qint64 forras = Tbl.aktualisKulcs();
    double kod = double(TetelKovetkezoKod());
    if (!SzamBevitel(QStringLiteral("Azonosító"), QStringLiteral("Add meg az azonosítót"), kod, this)) return;
    const qint64 uj = TetelMasol(forras, kod);
    if (Tbl.keresKulcs(uj)) aktualisMutat();
}

void Tfrm_Main::aTorolExecute()
{
    if (Tbl.aktualis() < 0) return;
    const qint64 video = Tbl.aktualisKulcs();
    // Said before the question: an item out is never deleted.
    if (VarSzoveg(Tbl.ertek("kint")) == QLatin1String("I")) {
        HibaAblak(QString::fromUtf8(KiadottNemTorolheto), this);
        return;
    }
    if (!KerdesAblak(QString::fromUtf8(TorlesKerdes), QString::fromUtf8(TorlesCim), this)) return;
    // Refused too: the list shows what is stored.
    utanaFrissit([&] { TetelTorol(video); });
}

void Tfrm_Main::aArchivalExecute() { ArchivFuttat(true); }

void Tfrm_Main::aAtvetelExecute()
{
    // The take-over replaces the database: only one that holds nothing of
    // the shop's own yet.
    if (!::Atvetel::csakAlapadatok(Adatbazis::db())) {
        HibaAblak(QStringLiteral("Régi adatokat csak egy új, még üres telepítésbe lehet átvenni.\n"
                                 "Ebben az adatbázisban már vannak az üzlet saját adatai "
                                 "(tételek, ügyfelek, kölcsönzések vagy pénztárforgalom); nem változott semmi."),
                  this);
        return;
    }
    if (!KerdesAblak(QStringLiteral("A régi adatok átvételéhez a program bezárja az adatbázist, "
                                    "az átvétel után pedig újraindul az átvett adatokkal.\nFolytatja?"),
                     QStringLiteral("Régi adatok átvétele"), this))
        return;
    // The lists hold queries on the session: the window goes, and the
    // program runs the take-over and starts again (program.cpp).
    m_atvetelKell = true;
    close();
}

bool Tfrm_Main::ArchivFuttat(bool menubol)
{
    // The folders as set now: a folder changed in the settings window counts
    // at once, though the session stays on the folder it opened.
    QString hiba;
    if (!Archiv::MappaLetrehoz(TBeall.MentesUtvonal, &hiba)) {
        HibaAblak(hiba, this);
        return false;
    }
    QString fajl = parbeszed().mentendoFajl(this, QStringLiteral("Adatbázis mentése"),
                                            Archiv::JavasoltNev(TBeall.MentesUtvonal, Ma()),
                                            QStringLiteral("ZIP archívumok (*.zip)"));
    if (fajl.isEmpty()) return true;
    // The dialog's default extension.
    if (QFileInfo(fajl).suffix().isEmpty()) fajl += QStringLiteral(".zip");
    // The database is copied through the open session itself, which reads
    // one committed moment: nothing needs to be closed, and the counter can
    // go on at once.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QStringList kihagyott;
    const bool kesz = Archiv::Keszit(TBeall.Utvonal, fajl, &hiba, &kihagyott);
    QApplication::restoreOverrideCursor();
    if (kesz) {
        TBeall.MentesDatum = Ma();
        QString uzenet = QStringLiteral("Archív állomány kész.");
        if (!kihagyott.isEmpty()) uzenet += '\n' + Archiv::KihagyottUzenet(kihagyott);
        UzenetAblak(uzenet, this);
    } else {
        HibaAblak(QStringLiteral("Hiba az archiválás közben\n") + hiba, this);
    }
    if (menubol) TblFrissit();
    return true;
}

void Tfrm_Main::TippKiir(const QString& tipp) { StatusPanel[1]->setText(tipp); }

void Tfrm_Main::Inditas(const QString& cel)
{
    QUrl url = QUrl::fromUserInput(cel, ProgramUtvonal(), QUrl::AssumeLocalFile);
    parbeszed().megnyit(url);
}

// ---- events ----------------------------------------------------------------------

bool Tfrm_Main::event(QEvent* e)
{
    if (e->type() == QEvent::StatusTip) {
        TippKiir(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

namespace {

AblakHely::Hely mentettHely()
{
    return {TBeall.TeljesKep, QPoint(TBeall.Bal, TBeall.Felul), QSize(TBeall.Szeles, TBeall.Magas)};
}

} // namespace

void Tfrm_Main::setVisible(bool lathato)
{
    if (lathato) {
        m_hely->helyValtozik(mentettHely());
        m_hely->elottMegjelenik();
    }
    QMainWindow::setVisible(lathato);
}

void Tfrm_Main::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (m_megmutatva) return;
    m_megmutatva = true;
    LogoMutat(this);
    m_hely->helyValtozik(mentettHely());
    m_hely->megjelent();
    Edit1->setFocus();
    StatusPanel[2]->setText(QStringLiteral("Sorrend: kód"));
}

void Tfrm_Main::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    OszlopSzelesseg();
}

void Tfrm_Main::closeEvent(QCloseEvent* e)
{
    if (m_indult && !m_lezarva && m_atvetelKell) {
        // No archive prompt: the database is about to be replaced by the
        // earlier data, which the shop keeps anyway.
        IniMentes();
        Adatbazis::zar();
        m_lezarva = true;
    }
    if (m_indult && !m_lezarva) {
        // A nightly --archive may have recorded a later day while the
        // program ran: neither ask for nor write back the older one.
        {
            IniFajl ini;
            ini.beolvas(ProgramUtvonal() + '/' + BeallitasFajlNev);
            const QDate kesobbi = ini.datum("Archiv", "MentesDatum", QDate());
            if (kesobbi.isValid() && (!TBeall.MentesDatum.isValid() || kesobbi > TBeall.MentesDatum))
                TBeall.MentesDatum = kesobbi;
        }
        if (Archiv::EmlekeztetoKell(TBeall.MentesDatum, Ma())
            && KerdesAblak(QStringLiteral("Az adatbázis több mint 5 napja nem lett archiválva. Archiváljam most?"),
                           QStringLiteral("Kérdés"), this)
            && !ArchivFuttat(false)) {
            e->ignore();
            return;
        }
        IniMentes();
        Adatbazis::zar();
        m_lezarva = true;
    }
    e->accept();
}
