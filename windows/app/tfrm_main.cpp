#include "windows/app/tfrm_main.h"
#include "core/common/gyorskereses.h"
#include "core/admin/archiv.h"
#include "windows/admin/nevjegy.h"
#include "core/admin/sugo.h"
#include "windows/admin/tfrm_beallit.h"
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/admin/tfrm_login.h"
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
#include "windows/rental/fiztip.h"
#include "windows/rental/tfrm_kolcsonzes.h"
#include "windows/rental/tfrm_tortenet.h"
#include "print/rental/tqrkolcsonzes.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextLayout>
#include <QStatusTipEvent>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Every action of the window: name, caption, key, and the right it needs
// (the rights check runs before the handler, so no handler repeats it).
enum class Jog { Nincs, Rendszergazda };
struct MuveletLeiras {
    const char* nev;
    const char* felirat;
    QKeySequence billentyu;
    Jog jog = Jog::Nincs;
};

const QList<MuveletLeiras>& muveletLeirasok()
{
    static const QList<MuveletLeiras> l = {
        {"aUj", "Új sor", QKeySequence(Qt::Key_Insert)},
        {"aUjMasol", "Új sor másolással", QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {"aSzerkeszt", "Szerkesztés", QKeySequence(Qt::Key_F2)},
        {"aTorol", "Törlés", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"aKeres", "Keresés", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"aKeres1", "Keresés azonosítóra", {}},
        {"aKeres2", "Keresés címre", {}},
        {"aKeresReszletes", "Részletes keresés", QKeySequence(Qt::CTRL | Qt::Key_T)},
        {"aSzur", "Szűrés - csak kintlévő", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"aNyomtat", "Nyomtat", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"aExcelbe", "Excelbe", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"aImport", "Tételek importja", {}, Jog::Rendszergazda},
        {"aBezar", "Kilépés a programból", {}},
        {"aUgyfelek", "Ügyfelek", {}},
        {"aKasszaTip", "Kassza típusok", {}},
        {"aTipusok", "Típusok", {}},
        {"aArkat", "Árkategóriák", {}},
        {"aMufaj", "Műfajok", {}},
        {"aTorzsFiztip", "Kölcsönzési idők", {}},
        {"aArBeallit", "Árak beállítása", {}},
        {"aKolcsonoz", "Kölcsönöz", QKeySequence(Qt::Key_F3)},
        {"aVisszavesz", "Visszavesz", QKeySequence(Qt::Key_F4)},
        {"aKassza", "Kassza", {}},
        {"aTortenet", "Történet", QKeySequence(Qt::Key_F8)},
        {"aVKod", "Vonalkód nyomtatás", {}},
        {"aNyomKiadva", "Kiadott tételek", {}},
        {"aNyomKiadLejart", "Kiadott, és lejárt tételek", {}},
        {"aNyomBentlevo", "Bentlévő tételek", {}},
        {"aNyomOsszesKolcs", "Összes tétel kölcsönzések száma szerint", {}},
        {"aChMegoszlas", "Kölcsönzések megoszlása műfaj szerint", {}},
        {"aChBevKiad", "Bevételek alakulása", {}},
        {"aFelhasznalo", "Felhasználók", {}, Jog::Rendszergazda},
        {"aSQL", "Szabad lekérdezés", {}, Jog::Rendszergazda},
        {"aArchival", "Adatbázis archiválás", {}},
        {"aBeallit", "Beállítások", {}, Jog::Rendszergazda},
        {"aBetumeretNovel", "Betűméret növelés", QKeySequence(Qt::CTRL | Qt::Key_F12)},
        {"aBetumeretCsokkent", "Betűméret csökkentés", QKeySequence(Qt::SHIFT | Qt::Key_F12)},
        {"aSugo", "Súgó", QKeySequence(Qt::Key_F1)},
        {"aFontos", "Fontos információk", {}},
        {"aLevel", "Levélküldés Zubolkanak", {}},
        {"aHonlap", "Zubolka honlapja", {}},
        {"aUjdonsag", "Újdonságok az Interneten", {}},
        {"aNevjegy", "Névjegy", QKeySequence(Qt::ALT | Qt::Key_F1)},
    };
    return l;
}

} // namespace

// ---- the window -------------------------------------------------------------

Tfrm_Main::Tfrm_Main(QWidget* szulo) : QMainWindow(szulo)
{
    setObjectName("Tfrm_Main");
    setWindowTitle(QStringLiteral("Kazettora"));
    muveletekLetrehoz();
    feluletLetrehoz();
    menukLetrehoz();

    // 1–2: settings file, database.
    IniBeolvas();
    if (!AdatbazisNyit()) return;
    // 3: hints go to the status bar (event()), hint colour set by the application.
    // 4: owner in the caption; 5: the beallit row.
    const bool rendben = Vedett(
        [&] {
            const QString tulaj = VarSzoveg(Adatbazis::ertek(QStringLiteral("SELECT tulajdonos FROM tulajdonos LIMIT 1")));
            setWindowTitle(QStringLiteral("Kazettora: [%1]").arg(tulaj));
            BeallitBetolt();
        },
        this);
    if (!rendben) return;
    // 6–7: the login, which sets the rights; without it both are granted.
    if (TBeall.vanbelep) {
        TBeall.torzsszerkeszt = false;
        TBeall.rendszergazda = false;
        if (!BelepesFuttat(this)) return;   // the program ends
    } else {
        TBeall.torzsszerkeszt = true;
        TBeall.rendszergazda = true;
    }
    // 8: grid font; 9: the item list in code order.
    racsBetu();
    if (!Vedett([&] { TblModell->valtozas([&] { Tbl.nyit(); }); }, this)) return;
    aktualisMutat();
    m_indult = true;
}

Tfrm_Main::~Tfrm_Main()
{
    if (!m_lezarva) Adatbazis::zar();
}

void Tfrm_Main::muveletekLetrehoz()
{
    for (const MuveletLeiras& l : muveletLeirasok()) {
        QAction* a = MuveletKeszit(this, QString::fromLatin1(l.nev), QString::fromUtf8(l.felirat),
                                   l.billentyu.isEmpty() ? QList<QKeySequence>{} : QList{l.billentyu});
        a->setEnabled(false);   // until its window is built (muveletBekot)
        m_muveletek.insert(a->objectName(), a);
        if (l.jog == Jog::Rendszergazda) m_jogok.insert(a->objectName(), &TBeall.rendszergazda);
    }
    m_keresMod = new QActionGroup(this);
    m_keresMod->setExclusive(true);
    for (const char* n : {"aKeres1", "aKeres2"}) {
        QAction* a = muvelet(QString::fromLatin1(n));
        a->setCheckable(true);
        m_keresMod->addAction(a);
    }
    muvelet("aKeres1")->setChecked(true);
    muvelet("aSzur")->setCheckable(true);

    // The handlers: one line an action.
    muveletBekot("aKeres", [this] { aKeresExecute(); });
    muveletBekot("aKeres1", [this] { aKeres1Execute(); });
    muveletBekot("aKeres2", [this] { aKeres2Execute(); });
    muveletBekot("aSzur", [this] { aSzurExecute(); });
    muveletBekot("aBezar", [this] { aBezarExecute(); });
    muveletBekot("aBetumeretNovel", [this] { aBetumeretNovelExecute(); });
    muveletBekot("aBetumeretCsokkent", [this] { aBetumeretCsokkentExecute(); });
    // The list shows the names of customers, types, genres and price
    // categories: what their windows renamed or deleted shows at once.
    const auto frissitve = [this](std::function<void()> ablak) {
        return [this, ablak = std::move(ablak)] {
            struct Frissito {
                Tfrm_Main* f;
                ~Frissito() { f->TblFrissit(); }   // whatever the window's outcome
            } frissito{this};
            ablak();
        };
    };
    muveletBekot("aUgyfelek", frissitve([this] { TorzsUgyfelMegnyit(this, -1, false); }));
    muveletBekot("aTipusok", frissitve([this] { TorzsTipusMegnyit(this, -1, false); }));
    muveletBekot("aMufaj", frissitve([this] { TorzsMufajMegnyit(this, -1, false); }));
    muveletBekot("aArkat", frissitve([this] { TorzsArkatMegnyit(this, -1, false); }));
    muveletBekot("aKasszaTip", [this] { TorzsCassatipMegnyit(this, QString(), false); });
    muveletBekot("aTorzsFiztip", [this] { TorzsFizTipKarbantart(this); });
    muveletBekot("aArBeallit", [this] { ArBeallitas(this); });
    muveletBekot("aUj", [this] { TetelSzerkeszt(true); });
    muveletBekot("aUjMasol", [this] { aUjMasolExecute(); });
    muveletBekot("aSzerkeszt", [this] { TetelSzerkeszt(false); });
    muveletBekot("aTorol", [this] { aTorolExecute(); });
    muveletBekot("aKolcsonoz", [this] { aKolcsonozExecute(); });
    muveletBekot("aVisszavesz", [this] { aVisszaveszExecute(); });
    muveletBekot("aTortenet", [this] { if (Tbl.aktualis() >= 0) TortenetMegnyit(this, TortenetMod::Tetel, Tbl.aktualisKulcs()); });
    muveletBekot("aKassza", [this] { CassaMegnyit(this); });
    muveletBekot("aBeallit", [this] { BeallitMegnyit(this); });
    muveletBekot("aNyomtat", [this] { TetelListaNyomtat(this, TetelLista::Teljes); });
    muveletBekot("aNyomKiadva", [this] { TetelListaNyomtat(this, TetelLista::Kiadott); });
    muveletBekot("aNyomKiadLejart", [this] { TetelListaNyomtat(this, TetelLista::KiadottLejart); });
    muveletBekot("aNyomBentlevo", [this] { TetelListaNyomtat(this, TetelLista::Bentlevo); });
    muveletBekot("aNyomOsszesKolcs", [this] { TetelListaNyomtat(this, TetelLista::Kolcsonzesek); });
    muveletBekot("aFelhasznalo", [this] { FelhasznaloMegnyit(this); });
    muveletBekot("aArchival", [this] { aArchivalExecute(); });
    muveletBekot("aSQL", frissitve([this] { SqlMegnyit(this); }));
    muveletBekot("aVKod", [this] { VKodMegnyit(this); });
    muveletBekot("aChBevKiad", [this] { ChBevKiadMegnyit(this); });
    muveletBekot("aChMegoszlas", [this] { ChMegoszlasMegnyit(this); });
    muveletBekot("aExcelbe", [this] {
        Hatarolt::Forras f = ListaExport::Tetelek(Tbl.lista());
        f.sorok = Tbl.lista().sorok();
        HataroltExport(this, f, QString::fromLatin1(ListaExport::TetelFajl));
    });
    // Imported items show in the list at once, the last of them current.
    muveletBekot("aImport", [this] {
        TetelImportMegnyit(this, [this](qint64 utolso) {
            TblFrissit();
            if (Tbl.keresKulcs(utolso)) aktualisMutat();
        });
    });
    muveletBekot("aKeresReszletes", [this] { if (TetelKeres(this, Tbl)) aktualisMutat(); });
    muveletBekot("aSugo", [this] { Inditas(Sugo::Fajl(ProgramUtvonal(), QCoreApplication::applicationDirPath())); });
    muveletBekot("aFontos", [this] { ReadmeMegnyit(this); });
    muveletBekot("aLevel", [this] { Inditas(Sugo::LevelLink().toString(QUrl::FullyEncoded)); });
    muveletBekot("aHonlap", [this] { Inditas(QString::fromLatin1(Keszito::HonlapUrl)); });
    muveletBekot("aUjdonsag", [this] { Inditas(QString::fromLatin1(Keszito::UjdonsagUrl)); });
    muveletBekot("aNevjegy", [this] { NevjegyMegnyit(this); });

    // The choices the rental asks for.
    kolcsonzesUt.ugyfelValaszto = [](QWidget* w) { return TorzsUgyfelMegnyit(w, -1, true); };
    kolcsonzesUt.idoValaszto = [](QWidget* w, QString* nev, int* ora) { return TorzsFizTipValaszt(w, nev, ora); };
    kolcsonzesUt.nyugta = [this](int kolcsid) { KolcsonzesNyomtat(kolcsid, Kimenet::nyomtato(), this); };

    // A printed list's "CSV export" opens the export window on the list's
    // statement; the detailed search prints its finds as an item list.
    ListaCsvExport() = [](QWidget* w, const QString& sql, const QVariantList& param, const QString& fajl) {
        HataroltExport(w, Hatarolt::LekerdezesForras(sql, param), fajl);
    };
    KeresJelentes = [](const QString& sql, const QVariantList& param, const QString&, QWidget* w) {
        KeresesEredmenyeNyomtat(w, sql, param);
    };
}

void Tfrm_Main::muveletBekot(const QString& nev, std::function<void()> kezelo)
{
    QAction* a = muvelet(nev);
    Q_ASSERT(a);
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [this, kezelo = std::move(kezelo), nev] {
        if (jogEllenoriz(nev)) Vedett(kezelo, this);
    });
}

bool Tfrm_Main::jogEllenoriz(const QString& nev)
{
    const bool* jog = m_jogok.value(nev);
    if (!jog || *jog) return true;
    HibaAblak(QString::fromUtf8(NincsJog), this);
    return false;
}

void Tfrm_Main::feluletLetrehoz()
{
    ToolBar1 = addToolBar(QStringLiteral("Eszköztár"));
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    auto tesz = [this](QToolBar* tb, std::initializer_list<const char*> nevek) {
        for (const char* n : nevek) {
            if (qstrcmp(n, "-") == 0) tb->addSeparator();
            else tb->addAction(muvelet(QString::fromLatin1(n)));
        }
    };
    tesz(ToolBar1, {"aUgyfelek", "-", "aBetumeretNovel", "aBetumeretCsokkent", "-", "aBeallit", "aArchival", "-",
                    "aSugo", "aFontos", "aUjdonsag", "-", "aBezar"});

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
    ToolBar2->addWidget(Edit1);
    ToolBar2->addSeparator();
    auto legordulo = [this](QAction* fo, std::initializer_list<const char*> menu) {
        auto* m = new QMenu(this);
        for (const char* n : menu) m->addAction(muvelet(QString::fromLatin1(n)));
        auto* b = new QToolButton(ToolBar2);
        b->setDefaultAction(fo);
        b->setMenu(m);
        b->setPopupMode(QToolButton::MenuButtonPopup);
        ToolBar2->addWidget(b);
    };
    legordulo(muvelet("aKeres"), {"aKeres1", "aKeres2"});
    tesz(ToolBar2, {"aKeresReszletes", "aSzur", "-"});
    legordulo(muvelet("aUj"), {"aUj", "aUjMasol"});
    tesz(ToolBar2, {"aSzerkeszt", "aTorol", "-", "aKolcsonoz", "aVisszavesz", "-", "aTortenet"});
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
    for (const char* n : {"aKolcsonoz", "aVisszavesz", "-", "aUj", "aUjMasol", "aSzerkeszt", "aTorol", "-",
                          "aTortenet", "-", "aKeres", "aKeresReszletes", "aSzur"}) {
        if (qstrcmp(n, "-") == 0) {
            auto* s = new QAction(DBGrid1);
            s->setSeparator(true);
            DBGrid1->addAction(s);
        } else {
            DBGrid1->addAction(muvelet(QString::fromLatin1(n)));
        }
    }
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] { muvelet("aSzerkeszt")->trigger(); });
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
    const struct { const char* cim; std::initializer_list<const char*> elemek; } menuk[] = {
        {"Rekordok", {"aUj", "aSzerkeszt", "aTorol", "-", "aNyomtat", "aExcelbe", "-", "aImport", "-", "aBezar"}},
        {"Törzsadatok", {"aUgyfelek", "-", "aKasszaTip", "-", "aTipusok", "aArkat", "aMufaj", "-", "aTorzsFiztip",
                         "aArBeallit"}},
        {"Kölcsönzés", {"aKolcsonoz", "aVisszavesz", "-", "aKassza", "-", "aTortenet"}},
        {"Eszközök", {"aVKod"}},
        {"Nyomtatások", {"aNyomtat", "aNyomKiadva", "aNyomKiadLejart", "aNyomBentlevo", "aNyomOsszesKolcs", "-",
                         "aChMegoszlas", "aChBevKiad"}},
        {"Rendszer", {"aFelhasznalo", "-", "aSQL", "aArchival", "-", "aBeallit"}},
        {"Súgó", {"aSugo", "-", "aFontos", "aLevel", "aHonlap", "aUjdonsag", "-", "aNevjegy"}},
    };
    for (const auto& m : menuk) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.cim));
        for (const char* n : m.elemek) {
            if (qstrcmp(n, "-") == 0) menu->addSeparator();
            else menu->addAction(muvelet(QString::fromLatin1(n)));
        }
    }
}

// ---- settings -----------------------------------------------------------------

void Tfrm_Main::IniBeolvas()
{
    const QString figyelmeztetes = IniBeolvasFajlbol(ProgramUtvonal() + '/' + BeallitasFajlNev);
    if (!figyelmeztetes.isEmpty()) HibaAblak(figyelmeztetes, this);
}

bool Tfrm_Main::AdatbazisNyit()
{
    QString hiba;
    if (Adatbazis::nyit(TBeall.Utvonal, &hiba)) {
        // Otherwise every save would fail later, one by one: say it once, now.
        const QString akadaly = Adatbazis::irasiAkadaly();
        if (!akadaly.isEmpty())
            FigyelmeztetesAblak(QStringLiteral("Az adatbázis nem írható, a változtatások nem menthetők.\n") + akadaly, this);
        return true;
    }
    HibaAblak(hiba, this);
    return false;
}

void Tfrm_Main::BeallitBetolt() { BeallitBetoltAdatbazisbol(); }

bool Tfrm_Main::IniMentes()
{
    QString hiba;
    // The frame's corner, where showing puts it back; the inner size, which
    // showing gives back.
    const QRect g = geometry();
    const QPoint hely = frameGeometry().topLeft();
    if (IniMentesFajlba(ProgramUtvonal() + '/' + BeallitasFajlNev, {hely.x(), hely.y(), g.height(), g.width()}, &hiba))
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

void Tfrm_Main::sorJel(int sor) { RacsSorJel(DBGrid1, TblModell, sor); }

void Tfrm_Main::gyorsKeres(const QString& szoveg)
{
    const bool cim = muvelet("aKeres2")->isChecked();
    const GyorsKereses::Kerdes k = GyorsKereses::Ertelmez(szoveg, cim ? GyorsKereses::Mod::Nev : GyorsKereses::Mod::Kod);
    bool talalt = false;
    if (k.tipus == GyorsKereses::Kerdes::Tipus::Kod) talalt = Tbl.keresKod(k.kod);
    else if (k.tipus == GyorsKereses::Kerdes::Tipus::Nev) talalt = Tbl.keresCim(k.eleje);
    // The field emptied in title mode (choosing that mode empties it):
    // the top of the title order.
    else if (cim && szoveg.isEmpty()) talalt = Tbl.keresCim(QString());
    if (talalt) aktualisMutat();
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
    Vedett([&] { TblModell->valtozas([&] { Tbl.frissit(); }); }, this);
}

void Tfrm_Main::AdatUjranyitas()
{
    if (!AdatbazisNyit()) return;
    TblFrissit();
}

// ---- handlers ------------------------------------------------------------------

void Tfrm_Main::aKeresExecute()
{
    Edit1->setFocus(Qt::ShortcutFocusReason);
    Edit1->selectAll();
}

void Tfrm_Main::aKeres1Execute()
{
    muvelet("aKeres1")->setChecked(true);
    StatusPanel[2]->setText(QStringLiteral("Sorrend: kód"));
    CsakSzamjegy(Edit1, true);
    if (Tbl.rend() != VideoTabla::Rend::Kod)
        TblModell->valtozas([&] { Tbl.rendBeallit(VideoTabla::Rend::Kod); });
    mezoUrit();
    Edit1->setFocus();
}

void Tfrm_Main::aKeres2Execute()
{
    muvelet("aKeres2")->setChecked(true);
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
    const bool be = muvelet("aSzur")->isChecked();
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
    struct Frissito {
        Tfrm_Main* f;
        ~Frissito() { f->TblFrissit(); }   // whatever the window's outcome
    } frissito{this};
    KolcsonzesInditas(this, Tbl.aktualisKulcs(), kolcsonzesUt);
}

void Tfrm_Main::aVisszaveszExecute()
{
    if (Tbl.aktualis() < 0) return;
    struct Frissito {
        Tfrm_Main* f;
        ~Frissito() { f->TblFrissit(); }
    } frissito{this};
    VisszavetelInditas(this, Tbl.aktualisKulcs());
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
    TblFrissit();
    if (Tbl.keresKulcs(sor.kulcs().toLongLong())) aktualisMutat();
}

void Tfrm_Main::aUjMasolExecute()
{
    if (Tbl.aktualis() < 0) return;
    const qint64 forras = Tbl.aktualisKulcs();
    double kod = double(TetelKovetkezoKod());
    if (!SzamBevitel(QStringLiteral("Azonosító"), QStringLiteral("Add meg az azonosítót"), kod, this)) return;
    const qint64 uj = TetelMasol(forras, kod);
    TblFrissit();
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
    struct Frissito {
        Tfrm_Main* f;
        ~Frissito() { f->TblFrissit(); }   // refused too: the list shows what is stored
    } frissito{this};
    TetelTorol(video);
}

void Tfrm_Main::aArchivalExecute() { ArchivFuttat(true); }

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
    const bool kesz = Archiv::Keszit(TBeall.Utvonal, fajl, &hiba);
    QApplication::restoreOverrideCursor();
    if (kesz) {
        TBeall.MentesDatum = Ma();
        UzenetAblak(QStringLiteral("Archív állomány kész."), this);
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
    // A window manager tells the frame's size only once the window is up:
    // the full-screen window then shrinks to keep its frame on the screen.
    if (m_megmutatva && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) teljesKepIgazit();
    return QMainWindow::event(e);
}

void Tfrm_Main::setVisible(bool lathato)
{
    // The place is set before the window system's window exists: a position
    // given then is the frame's corner, and the window system keeps it so
    // even where the frame's size is learnt only after the window appears.
    if (lathato && !m_helyKesz && !testAttribute(Qt::WA_WState_Created)) {
        helyBeallit();
        m_helyKesz = true;
    }
    QMainWindow::setVisible(lathato);
}

void Tfrm_Main::helyBeallit()
{
    if (TBeall.TeljesKep) {
        // The whole window, frame included, takes the work area; the frame
        // is counted as far as it is known yet (teljesKepIgazit follows it).
        const QRect munka = munkaterulet();
        m_keret = keretMeret();
        move(munka.topLeft());
        resize(munka.width() - m_keret.left() - m_keret.right(), munka.height() - m_keret.top() - m_keret.bottom());
    } else {
        move(TBeall.Bal, TBeall.Felul);
        resize(TBeall.Szeles, TBeall.Magas);
    }
}

QRect Tfrm_Main::munkaterulet() const
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

QMargins Tfrm_Main::keretMeret() const
{
    const QRect k = frameGeometry(), b = geometry();
    return QMargins(b.left() - k.left(), b.top() - k.top(), k.right() - b.right(), k.bottom() - b.bottom());
}

void Tfrm_Main::teljesKepIgazit()
{
    if (!m_teljesKep || windowState() != Qt::WindowNoState || keretMeret() == m_keret) return;
    helyBeallit();
}

void Tfrm_Main::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (m_megmutatva) return;
    m_megmutatva = true;
    LogoMutat(this);
    m_teljesKep = TBeall.TeljesKep;
    // Shown once before (or created early): the place is set now, the
    // frame's corner where it is known.
    if (!m_helyKesz) {
        helyBeallit();
        m_helyKesz = true;
    }
    teljesKepIgazit();
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
