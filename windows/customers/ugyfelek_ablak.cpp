#include "windows/customers/ugyfelek_ablak.h"
#include "windows/common/bevitel.h"
#include "windows/common/gyorskereso.h"
#include "windows/common/keplista.h"
#include "windows/common/listakeret.h"
#include "core/customers/tagdij.h"
#include "windows/customers/tfrm_tagdijfizet.h"
#include "core/customers/ugyfelek.h"
#include "core/data/beallitas.h"
#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "print/common/uzenet.h"
#include "windows/rental/tfrm_tortenet.h"
#include "core/reports/listaexport.h"
#include "windows/reports/racsnyomtatas.h"
#include "windows/reports/tfrm_hatarolt.h"

#include <QAction>
#include <QActionGroup>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

// ---- membership icon ------------------------------------------------------------

UgyfelRacsRajzolo::UgyfelRacsRajzolo(const KulcsosLista* lista, int ikonOszlop, QObject* szulo)
    : QStyledItemDelegate(szulo), m_lista(lista), m_ikonOszlop(ikonOszlop)
{
}

bool UgyfelRacsRajzolo::lejartJel(int sor) const
{
    return Ugyfelek::TagsagLejart(m_lista->ertek(sor, "dijfizetve").toDate(), Ma());
}

void UgyfelRacsRajzolo::paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const
{
    if (i.column() != m_ikonOszlop) {
        QStyledItemDelegate::paint(p, o, i);
        return;
    }
    p->fillRect(o.rect, o.palette.brush(QPalette::Base));
    const QPixmap& jel = lejartJel(i.row()) ? KepLista::pirosKereszt() : KepLista::zoldPipa();
    p->drawPixmap(o.rect.left() + 1, o.rect.top(), jel);
}

// ---- the list window ----------------------------------------------------------

namespace {

QString datumFormatum(const QVariant& v)
{
    const QDate d = v.toDate();
    return d.isValid() ? RovidDatum(d) : QString();
}

const char* const NevRend = "t.ugyfel_nev COLLATE HU";
const char* const KodRend = "t.azon";

} // namespace

TorzsLeiras Tfrm_TorzsUgyfel::ugyfelLeiras()
{
    TorzsLeiras l;
    l.osztaly = "Tfrm_TorzsUgyfel";
    l.cim = QStringLiteral("Ügyfelek");
    l.tabla = "ugyfel";
    l.kulcs = "ugyfel";
    l.keresoMezo = "ugyfel_nev";
    // At opening the list is in name order while the search mode is by
    // code, where the field takes digits only, typed or pasted.
    l.keresoMod = GyorsKereses::Mod::UgyfelKod;   // a scanned card finds its customer
    l.rend = QString::fromLatin1(NevRend);
    l.szuro = Ugyfelek::ListazottFeltetel();
    const Qt::Alignment kozep = Qt::AlignCenter;
    l.oszlopok = {{QString(), QStringLiteral("!"), kozep, {}},
                  {"azon", QStringLiteral("kód"), Qt::AlignRight | Qt::AlignVCenter, OtJegyu},
                  {"ugyfel_nev", QStringLiteral("ügyfél"), Qt::AlignLeft | Qt::AlignVCenter, {}},
                  {"cim_irsz", QStringLiteral("irsz"), Qt::AlignLeft | Qt::AlignVCenter, {}},
                  {"cim_varos", QStringLiteral("város"), Qt::AlignLeft | Qt::AlignVCenter, {}},
                  {"cim_cim", QStringLiteral("cím"), Qt::AlignLeft | Qt::AlignVCenter, {}},
                  {"dijfizetve", QStringLiteral("díj.fizetve"), Qt::AlignLeft | Qt::AlignVCenter, datumFormatum}};
    l.szerkeszto = [](QWidget* szulo, Rekord& sor, bool uj) -> TorzsSzerkeszto* {
        return new Tfrm_TorzsUgyfel_Szerkeszt(sor, uj, szulo);
    };
    l.meret = QSize(780, 480);
    return l;
}

Tfrm_TorzsUgyfel::Tfrm_TorzsUgyfel(bool valasztas, QWidget* szulo) : TorzsAblak(ugyfelLeiras(), valasztas, szulo)
{
    aSzur = muvelet("aSzur", QStringLiteral("Lejárt tagsági szűrés"), QKeySequence(Qt::CTRL | Qt::Key_N));
    aSzur->setCheckable(true);
    aTortenet = muvelet("aTortenet", QStringLiteral("Történet"), QKeySequence(Qt::Key_F8));
    aTagdij = muvelet("aTagdij", QStringLiteral("Tagdíj fizetés"), QKeySequence(Qt::Key_F7));
    aNyomtat = muvelet("aNyomtat", QStringLiteral("Nyomtatás"), QKeySequence(Qt::CTRL | Qt::Key_P));
    aNyomtatKep = muvelet("aNyomtatKep", QStringLiteral("Nyomtatási kép"), QKeySequence(Qt::CTRL | Qt::Key_K));
    aExcelbe = muvelet("aExcelbe", QStringLiteral("Excelbe..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    aKeresKod = muvelet("aKeresKod", QStringLiteral("Keresés kódra"), {});
    aKeresNev = muvelet("aKeresNev", QStringLiteral("Keresés név szerint"), {});
    for (QAction* a : {aKeresKod, aKeresNev}) a->setCheckable(true);
    auto* csoport = new QActionGroup(this);
    csoport->setExclusive(true);
    csoport->addAction(aKeresKod);
    csoport->addAction(aKeresNev);
    aKeresKod->setChecked(true);

    // Tool bar: Edit1 | Kereső ▾, Lejárt tagsági szűrés | Új sor, Szerkeszt, Sor törlése |
    // Történet | Tagdíj fizetés | Nyomtatás ▾ | Elfogad, Bezár.
    const QList<QAction*> gombok = ToolBar1->actions();
    QAction* keresoUtan = gombok.value(gombok.indexOf(aKeres) + 1);
    ToolBar1->insertAction(keresoUtan, aSzur);
    ToolBar1->insertAction(aElfogad, aTortenet);
    ToolBar1->insertSeparator(aElfogad);
    ToolBar1->insertAction(aElfogad, aTagdij);
    ToolBar1->insertSeparator(aElfogad);
    ToolBar1->insertAction(aElfogad, aNyomtat);
    ToolBar1->insertSeparator(aElfogad);


    KeresoMenu = new QMenu(this);
    KeresoMenu->addActions({aKeresKod, aKeresNev});
    if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(aKeres))) {
        b->setMenu(KeresoMenu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    NyomtatMenu = new QMenu(this);
    NyomtatMenu->addActions({aNyomtat, aNyomtatKep, aExcelbe});
    if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(aNyomtat))) {
        b->setMenu(NyomtatMenu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }

    // Captions under the icons as in the other list windows: the window is
    // as wide as its tool bar (the base made it as wide as its own buttons).
    keret().meretRogzit(size());

    // Grid menu: Új sor, Szerkeszt, Sor törlése | Tagdíj fizetés | Kereső | Elfogad, Bezár.
    PopupMenu1->insertAction(aKeres, aTagdij);
    PopupMenu1->insertSeparator(aKeres);

    Rajzolo = new UgyfelRacsRajzolo(&lista(), 0, DBGrid1);
    DBGrid1->setItemDelegate(Rajzolo);
    const int szelessegek[] = {20, 48, 190, 40, 120, 200};
    for (int i = 0; i < int(std::size(szelessegek)); ++i) DBGrid1->setColumnWidth(i, szelessegek[i]);

    // The current customer's rental history, in selection mode too.
    connect(aTortenet, &QAction::triggered, this, [this] {
        if (aktualis() >= 0)
            Vedett([this] { TortenetMegnyit(this, TortenetMod::Ugyfel, ertek("ugyfel").toLongLong()); }, this);
    });

    connect(aKeresKod, &QAction::triggered, this, [this] { Vedett([this] { aKeresKodExecute(); }, this); });
    connect(aKeresNev, &QAction::triggered, this, [this] { Vedett([this] { aKeresNevExecute(); }, this); });
    connect(aSzur, &QAction::triggered, this, [this] { Vedett([this] { aSzurExecute(); }, this); });
    connect(aTagdij, &QAction::triggered, this, [this] { Vedett([this] { aTagdijExecute(); }, this); });
    // The grid as shown, under the window's caption; no subtitle, no total.
    connect(aNyomtat, &QAction::triggered, this,
            [this] { RacsNyomtat(DBGrid1, true, windowTitle(), QString(), QString(), 8); });
    connect(aNyomtatKep, &QAction::triggered, this,
            [this] { RacsNyomtat(DBGrid1, false, windowTitle(), QString(), QString(), 8); });
    connect(aExcelbe, &QAction::triggered, this, [this] {
        Hatarolt::Forras f = ListaExport::Ugyfelek(lista());
        f.sorok = lista().sorok();
        HataroltExport(this, f, QString::fromLatin1(ListaExport::UgyfelFajl));
    });
}

bool Tfrm_TorzsUgyfel::nevSzerint() const { return aKeresNev->isChecked(); }

bool Tfrm_TorzsUgyfel::lejartSzures() const { return aSzur->isChecked(); }

void Tfrm_TorzsUgyfel::gyorsKeres(const GyorsKereses::Kerdes& kerdes)
{
    // Candidates come from the index of the searched field alone; whether
    // one is listed (and where) the loaded list already knows.
    int s = -1;
    if (kerdes.tipus == GyorsKereses::Kerdes::Tipus::Nev) {
        // The names beginning with the text stand in one range of the HU
        // order (a few when its end may start a double letter: "Kass",
        // "Kassza"); the list is in that order in this mode, so the first
        // listed candidate of the first range that has one is the one.
        for (const HuFold::Tartomany& t : HuFold::kezdoTartomanyok(kerdes.eleje)) {
            QSqlQuery q = Adatbazis::vegrehajt(Ugyfelek::NevJeloltek(), {t.also, t.felso});
            while (s < 0 && q.next()) s = lista().sor(q.value(0).toLongLong());
            if (s >= 0) break;
        }
    } else if (kerdes.tipus == GyorsKereses::Kerdes::Tipus::Kod) {
        // A number no customer code can hold (eleven digits, say) never
        // gets here: the current customer stays, as for any code not found.
        QSqlQuery q = Adatbazis::vegrehajt(Ugyfelek::KodJeloltek(), {kerdes.kod});
        while (q.next()) {
            const int hol = lista().sor(q.value(0).toLongLong());
            if (hol >= 0 && (s < 0 || hol < s)) s = hol;   // the first in the current order
        }
    }
    if (s < 0) return;
    aktualisBeallit(s);
    keret().gyorsKereso()->talalt();
}

void Tfrm_TorzsUgyfel::rendValt(bool nevSzerint)
{
    lista().rendezes(QString::fromLatin1(nevSzerint ? NevRend : KodRend));
    ujraolvas();
    keret().gyorsKereso()->modBeallit(nevSzerint ? GyorsKereses::Mod::Nev : GyorsKereses::Mod::UgyfelKod);
    Edit1->clear();
    Edit1->setFocus(Qt::ShortcutFocusReason);
}

void Tfrm_TorzsUgyfel::aKeresKodExecute()
{
    aKeresKod->setChecked(true);
    rendValt(false);
}

void Tfrm_TorzsUgyfel::aKeresNevExecute()
{
    aKeresNev->setChecked(true);
    rendValt(true);
}

void Tfrm_TorzsUgyfel::aSzurExecute()
{
    // The action's checked state has already flipped when triggered.
    if (aSzur->isChecked())
        lista().szures(Ugyfelek::LejartFeltetel(), Ugyfelek::LejartParam(Ma()));
    else
        lista().szures(Ugyfelek::ListazottFeltetel());
    ujraolvas();
}

void Tfrm_TorzsUgyfel::aTagdijExecute()
{
    const int s = aktualis();
    if (s < 0) {
        // Nobody listed (the expired filter found no one): no one to renew.
        UzenetAblak(QStringLiteral("Nincs kiválasztott ügyfél."), this);
        return;
    }
    const qint64 kulcs = lista().kulcs(s);
    int idoszak = 0;
    double osszeg = 0;
    if (!TagdijFizetMegnyit(this, idoszak, osszeg)) return;
    try {
        Tagdij::Fizet(kulcs, Tagdij::Honapok(idoszak), osszeg);
    } catch (const AdatbazisHiba&) {
        // The row shows what is stored (a customer gone meanwhile leaves
        // the list); the refusal's reason is what the operator is told.
        try {
            ujratolt(kulcs);
        } catch (const AdatbazisHiba&) {
        }
        throw;
    }
    // The new expiry, and its tick; under the expired filter the row leaves the list.
    ujratolt(kulcs);
}

void Tfrm_TorzsUgyfel::ujraolvas()
{
    // The current customer stays current while listed; otherwise the first.
    const qint64 kulcs = lista().kulcs(aktualis());
    modell()->ujratolt();
    const int s = lista().sor(kulcs);
    if (s >= 0) aktualisBeallit(s);
}

void Tfrm_TorzsUgyfel::ujSorElokeszit(Rekord& sor)
{
    sor.beallit("torolve", QStringLiteral("N"));
    sor.beallit("azon", Ugyfelek::KovetkezoAzon());
    sor.beallit("dijfizetve", Ma());
}

int TorzsUgyfelMegnyit(QWidget* szulo, int ugyfel, bool valasztas)
{
    QVariant eredmeny;
    Vedett(
        [&] {
            Tfrm_TorzsUgyfel a(valasztas, szulo);
            eredmeny = a.futtat(ugyfel >= 0 ? QVariant(ugyfel) : QVariant());
        },
        szulo);
    return eredmeny.isValid() && !eredmeny.isNull() ? VarEgesz(eredmeny) : -1;
}

// ---- the edit dialog ----------------------------------------------------------

Tfrm_TorzsUgyfel_Szerkeszt::Tfrm_TorzsUgyfel_Szerkeszt(Rekord& sor, bool uj, QWidget* szulo)
    : TorzsSzerkeszto(sor, QStringLiteral("Ügyfél szerkesztés"), szulo)
{
    setObjectName("Tfrm_TorzsUgyfel_Szerkeszt");
    // Created in tab order; each is then placed under its caption on the panel.
    ugyfel_nev = szovegMezo({}, "ugyfel_nev");
    azon = szamMezo({}, "azon");
    cim_irsz = szovegMezo({}, "cim_irsz");
    cim_varos = szovegMezo({}, "cim_varos");
    cim_cim = szovegMezo({}, "cim_cim");
    telefon = szovegMezo({}, "telefon");
    mobil = szovegMezo({}, "mobil");
    fax = szovegMezo({}, "fax");
    szigszam = szovegMezo({}, "szigszam");

    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName("DateTimePicker1");
    DateTimePicker1->setCalendarPopup(false);
    const QDate d = sor.ertek("dijfizetve").toDate();
    if (d.isValid()) {
        DateTimePicker1->setDate(d);
    } else {
        // A customer without a paid-until day: the picker shows it empty.
        DateTimePicker1->setSpecialValueText(QStringLiteral(" "));
        DateTimePicker1->setDate(DateTimePicker1->minimumDate());
    }
    // An existing customer's expiry changes only by paying the fee; the
    // stored value (empty included) is then left as it was.
    DateTimePicker1->setReadOnly(!uj);
    std::function<void(Rekord&)> datumBeir;
    if (uj) datumBeir = [p = DateTimePicker1](Rekord& r) { r.beallit("dijfizetve", p->date()); };
    sajat({}, DateTimePicker1, datumBeir);

    auto* panel = new QWidget;
    auto* sorok = new QVBoxLayout(panel);
    sorok->setContentsMargins(0, 0, 0, 0);
    sorok->setSpacing(4);
    auto cella = [this, panel](const QString& felirat, QWidget* w) {
        layout()->removeWidget(w);
        auto* l = new QVBoxLayout;
        l->setSpacing(1);
        auto* c = new QLabel(felirat, panel);
        c->setBuddy(w);
        l->addWidget(c);
        l->addWidget(w);
        return l;
    };
    auto sor_ = [sorok](std::initializer_list<std::pair<QLayout*, int>> cellak) {
        auto* h = new QHBoxLayout;
        h->setSpacing(8);
        for (const auto& [c, nyujt] : cellak) h->addLayout(c, nyujt);
        sorok->addLayout(h);
    };
    azon->setFixedWidth(80);
    cim_irsz->setFixedWidth(60);
    DateTimePicker1->setFixedWidth(130);
    auto* datumCella = cella(QStringLiteral("tagdíj fizetve (lejárat)"), DateTimePicker1);
    datumCella->setAlignment(DateTimePicker1, Qt::AlignLeft);
    sor_({{cella(QStringLiteral("ügyfél"), ugyfel_nev), 1}, {cella(QStringLiteral("kód"), azon), 0}});
    sor_({{cella(QStringLiteral("irsz"), cim_irsz), 0}, {cella(QStringLiteral("város"), cim_varos), 1}});
    sor_({{cella(QStringLiteral("cím"), cim_cim), 1}});
    sor_({{cella(QStringLiteral("telefon"), telefon), 1}, {cella(QStringLiteral("mobil"), mobil), 1}});
    sor_({{cella(QStringLiteral("fax"), fax), 1}, {cella(QStringLiteral("szig.szám"), szigszam), 1}});
    sor_({{datumCella, 1}});
    panel->setMinimumWidth(420);
    sajat({}, panel, nullptr);

    kesz();
    // Moving the fields onto the panel must not change the order Tab and Enter follow.
    QWidget* lanc[] = {ugyfel_nev, azon, cim_irsz, cim_varos, cim_cim, telefon, mobil, fax, szigszam,
                       DateTimePicker1, btnOK, btnMegsem};
    for (int i = 0; i + 1 < int(std::size(lanc)); ++i) setTabOrder(lanc[i], lanc[i + 1]);
    ugyfel_nev->setFocus();
    cim_irsz->installEventFilter(this);
}

bool Tfrm_TorzsUgyfel_Szerkeszt::eventFilter(QObject* o, QEvent* e)
{
    if (o == cim_irsz && e->type() == QEvent::FocusOut) varosKitolt();
    return TorzsSzerkeszto::eventFilter(o, e);
}

void Tfrm_TorzsUgyfel_Szerkeszt::varosKitolt()
{
    if (!cim_varos->text().isEmpty()) return;   // a town already typed stays
    Vedett(
        [this] {
            const QString varos = Ugyfelek::VarosIrszbol(cim_irsz->text());
            if (!varos.isEmpty()) cim_varos->setText(varos);
        },
        this);
}
