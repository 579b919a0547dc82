#include "windows/rental/tfrm_videovalaszt.h"
#include "windows/common/gyorskereso.h"
#include "windows/common/listakeret.h"
#include "core/common/listamodell.h"
#include "windows/common/muvelet.h"
#include "print/common/uzenet.h"
#include "core/app/tetelek.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace {

const char* const KodRend = "t.azon";
const char* const NevRend = "t.video_nev COLLATE HU";
const char* const BentSzuro = "t.kint = 'N'";
// Keys read when the picker opens, then per turn of the event loop: a turn
// stays a few milliseconds, so keys typed meanwhile are not held up.
constexpr int ElsoAdag = 256;
constexpr int KovetkezoAdag = 50000;
const char* const TipusosSzuro = "t.kint = 'N' AND t.tipus IN (SELECT tipus FROM tipus)";

TorzsLeiras valasztoLeiras()
{
    TorzsLeiras l;
    l.osztaly = QStringLiteral("Tfrm_VideoValaszt");
    l.cim = QStringLiteral("Kölcsönözhető tételek");
    l.tabla = QStringLiteral("video");
    l.kulcs = QStringLiteral("video");
    l.keresoMezo = QStringLiteral("video_nev");
    // By code at first; Up and Down in the field walk the list.
    l.keresoMod = GyorsKereses::Mod::TetelKod;
    l.keresoLeptet = true;
    l.rend = QString::fromLatin1(KodRend);
    // Items in the shop only; an item whose type no longer exists is not
    // offered (the join below says the same for the rows, the filter for
    // the keys, which are read without it). Dropped on loading when no such
    // item exists (szuroBeallit).
    l.szuro = QString::fromLatin1(TipusosSzuro);
    l.kapcsolt = {{QStringLiteral("tipus_nev"), QStringLiteral("ti.tipus_nev")}};
    l.joinok = QStringLiteral("INNER JOIN tipus ti ON (t.tipus = ti.tipus)");
    l.oszlopok = {Oszlop{"azon", QStringLiteral("kód"), Qt::AlignRight | Qt::AlignVCenter, OtJegyu},
                  Oszlop{"video_nev", QStringLiteral("név")}, Oszlop{"tipus_nev", QStringLiteral("típus")}};
    l.meret = QSize(560, 460);
    return l;
}

} // namespace

Tfrm_VideoValaszt::Tfrm_VideoValaszt(QWidget* szulo) : TorzsAblak(valasztoLeiras(), true, szulo)
{
    // A choice only: the items are kept in the main window.
    for (QAction* a : {aUj, aSzerkeszt, aTorol}) {
        a->setEnabled(false);
        a->setVisible(false);
    }
    aKeresKod = muvelet(QStringLiteral("aKeresKod"), QStringLiteral("Keresés kódra"), {});
    aKeresNev = muvelet(QStringLiteral("aKeresNev"), QStringLiteral("Keresés név szerint"), {});
    auto* csoport = new QActionGroup(this);
    for (QAction* a : {aKeresKod, aKeresNev}) {
        a->setCheckable(true);
        csoport->addAction(a);
    }
    aKeresKod->setChecked(true);
    // The search button drops down its two modes.
    if (auto* kereso = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(aKeres))) {
        auto* menu = new QMenu(this);
        menu->addActions({aKeresKod, aKeresNev});
        kereso->setMenu(menu);
        kereso->setPopupMode(QToolButton::MenuButtonPopup);
    }
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({aKeresKod, aKeresNev});
    DBGrid1->setColumnWidth(0, 60);
    DBGrid1->setColumnWidth(1, 330);
    connect(aKeresKod, &QAction::triggered, this, &Tfrm_VideoValaszt::aKeresKodExecute);
    connect(aKeresNev, &QAction::triggered, this, &Tfrm_VideoValaszt::aKeresNevExecute);
}

void Tfrm_VideoValaszt::szuroBeallit()
{
    m_lista.szures(QString::fromLatin1(TetelMindenTipusMegvan() ? BentSzuro : TipusosSzuro));
}

void Tfrm_VideoValaszt::megnyit(qint64 video)
{
    szuroBeallit();
    // A shop of a million items in: the first screenful shows at once, the
    // rest of the keys follow between the operator's keys.
    if (video < 0) {
        modell()->fokozatosUjratolt(ElsoAdag, KovetkezoAdag);
        aktualisBeallit(0);
        return;
    }
    modell()->ujratolt();
    const int s = lista().sor(video);
    aktualisBeallit(s >= 0 ? s : 0);
}

qint64 Tfrm_VideoValaszt::aktualisKulcs() const { return m_lista.kulcs(aktualis()); }

void Tfrm_VideoValaszt::rend(bool nev)
{
    const qint64 k = aktualisKulcs();
    m_lista.rendezes(QString::fromLatin1(nev ? NevRend : KodRend));
    szuroBeallit();
    modell()->ujratolt();
    const int s = m_lista.sor(k);
    aktualisBeallit(s >= 0 ? s : 0);
}

void Tfrm_VideoValaszt::gyorsKeres(const GyorsKereses::Kerdes& kerdes)
{
    // A label read with a wrong check digit, or a customer's card: nothing moves.
    using T = GyorsKereses::Kerdes::Tipus;
    if (kerdes.tipus != T::Kod && kerdes.tipus != T::Nev) return;
    modell()->betoltesBefejez();   // the row sought may be among the keys not read yet
    const int s = kerdes.tipus == GyorsKereses::Kerdes::Tipus::Kod
                      ? m_lista.elso(QStringLiteral("t.azon = ?"), {kerdes.kod})
                      : m_lista.elsoKezdodo(QStringLiteral("t.video_nev"), kerdes.eleje);
    if (s < 0) return;
    aktualisBeallit(s);
    keret().gyorsKereso()->talalt();
}

void Tfrm_VideoValaszt::aKeresKodExecute()
{
    aKeresKod->setChecked(true);
    Vedett([this] { rend(false); }, this);
    keret().gyorsKereso()->modBeallit(GyorsKereses::Mod::TetelKod);
    Edit1->clear();
    Edit1->setFocus();
}

void Tfrm_VideoValaszt::aKeresNevExecute()
{
    aKeresNev->setChecked(true);
    Vedett([this] { rend(true); }, this);
    keret().gyorsKereso()->modBeallit(GyorsKereses::Mod::Nev);
    Edit1->clear();
    Edit1->setFocus();
}

qint64 VideoValaszt(QWidget* szulo, qint64 video)
{
    Tfrm_VideoValaszt f(szulo);
    f.megnyit(video);
    if (f.exec() != QDialog::Accepted) return -1;
    return f.aktualisKulcs();
}
