#include "windows/cash/tfrm_cassa.h"
#include "core/cash/cassa.h"
#include "core/cash/zaras.h"
#include "windows/cash/tfrm_datumbe.h"
#include "print/cash/tqrcassa.h"
#include "print/cash/tqrzaras.h"
#include "windows/common/listakeret.h"
#include "windows/common/muvelet.h"
#include "windows/common/tfrm_inp.h"
#include "print/common/uzenet.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "windows/refdata/torzsadatok.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <iterator>

namespace {

// The manual entry's own wording of the missing right: no full stop.
const char* const NincsJogKezi = "Nincs jogosultság a művelethez";

QString datum(const QVariant& v)
{
    const QDate d = v.toDate();
    return d.isValid() ? RovidDatum(d) : QString();
}

QString penz(const QVariant& v) { return v.isNull() ? QString() : FtMaszk(VarValos(v)); }

} // namespace

// ---- colours ----------------------------------------------------------------------

CassaRacsRajzolo::CassaRacsRajzolo(const KulcsosLista* lista, QObject* szulo)
    : QStyledItemDelegate(szulo), m_lista(lista)
{
}

bool CassaRacsRajzolo::kiadas(int sor) const { return VarValos(m_lista->ertek(sor, "osszeg")) < 0; }

void CassaRacsRajzolo::initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const
{
    QStyledItemDelegate::initStyleOption(o, i);
    if (!kiadas(i.row())) return;
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        o->palette.setColor(g, QPalette::Text, QColor(0xFF, 0x00, 0x00));
        o->palette.setColor(g, QPalette::HighlightedText, QColor(0xFF, 0xFF, 0x00));
    }
}

// ---- the window --------------------------------------------------------------------

Tfrm_Cassa::Tfrm_Cassa(QWidget* szulo)
    : QDialog(szulo), m_keret(new ListaKeret(this)), m_lista(Cassa::ListaLeiras())
{
    setObjectName("Tfrm_Cassa");
    setWindowTitle(QStringLiteral("Cassa"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    using K = ListaKeret::Kozos;
    ToolBar1 = m_keret->eszkoztar();
    const Qt::Alignment bal = Qt::AlignLeft | Qt::AlignVCenter, jobb = Qt::AlignRight | Qt::AlignVCenter;
    m_modell = new ListaModell(&m_lista,
                               {{"datum", QStringLiteral("dátum"), bal, datum},
                                {"cassatip_nev", QStringLiteral("típus"), bal, {}},
                                {"osszeg", QStringLiteral("összeg"), jobb, penz},
                                {"zaro", QStringLiteral("záró"), jobb, penz},
                                {"ugyfel_nev", QStringLiteral("ügyfél"), bal, {}}},
                               this);
    DBGrid1 = m_keret->racs(m_modell);
    Rajzolo = new CassaRacsRajzolo(&m_lista, DBGrid1);
    DBGrid1->setItemDelegate(Rajzolo);
    const int szelessegek[] = {80, 160, 90, 90};
    for (int i = 0; i < int(std::size(szelessegek)); ++i) DBGrid1->setColumnWidth(i, szelessegek[i]);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    aUj = m_keret->muvelet(K::Uj);
    aSzur = MuveletKeszit(this, "aSzur", QStringLiteral("Dátum szűrés"), {QKeySequence(Qt::Key_F9)});
    aSzur->setCheckable(true);
    aNapzaras = MuveletKeszit(this, Parancs::Napzaras, QStringLiteral("Napzárás"), {QKeySequence(Qt::Key_F10)},
                              QStringLiteral("Napzárás: a megszámolt készpénz a pénztárkönyv egyenlegével, Z jelentés"));
    aNyomtat = m_keret->muvelet(K::Nyomtat);
    aNyomtatKep = m_keret->muvelet(K::NyomtatKep);
    aBezar = m_keret->muvelet(K::Bezar);

    ToolBar1->addAction(aUj);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aSzur);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aNapzaras);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aNyomtat);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);
    NyomtatMenu = new QMenu(this);
    NyomtatMenu->addActions({aNyomtat, aNyomtatKep});
    if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(aNyomtat))) {
        b->setMenu(NyomtatMenu);
        b->setPopupMode(QToolButton::MenuButtonPopup);
    }
    PopupMenu1 = m_keret->menu();
    PopupMenu1->addActions({aUj, aSzur});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(aNapzaras);
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({aNyomtat, aNyomtatKep});
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(aBezar);
    // The menu opens over the rest of the window too, not only over the grid.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(mapToGlobal(p)); });

    connect(aUj, &QAction::triggered, this, [this] { Vedett([this] { aUjExecute(); }, this); });
    connect(aSzur, &QAction::triggered, this, [this] {
        // A filter that could not be read leaves the button as the list is.
        if (!Vedett([this] { aSzurExecute(); }, this)) aSzur->setChecked(szurve());
    });
    connect(aNapzaras, &QAction::triggered, this, [this] { Vedett([this] { aNapzarasExecute(); }, this); });
    connect(aNyomtat, &QAction::triggered, this, [this] { Vedett([this] { aNyomtatExecute(); }, this); });
    connect(aNyomtatKep, &QAction::triggered, this, [this] { Vedett([this] { aNyomtatKepExecute(); }, this); });
    connect(aBezar, &QAction::triggered, this, &Tfrm_Cassa::aBezarExecute);

    m_keret->meretRogzit(QSize(620, 440));
}

void Tfrm_Cassa::megnyit()
{
    m_modell->ujratolt();
    aktualisBeallit(0);
}

int Tfrm_Cassa::aktualis() const { return m_keret->aktualis(); }

void Tfrm_Cassa::aktualisBeallit(int sor) { m_keret->aktualisBeallit(sor); }

bool Tfrm_Cassa::szurve() const { return !m_lista.szures().isEmpty(); }

void Tfrm_Cassa::ujraolvas()
{
    m_modell->ujratolt();
}

void Tfrm_Cassa::aUjExecute()
{
    if (!TBeall.rendszergazda) {
        HibaAblak(QString::fromUtf8(NincsJogKezi), this);
        return;
    }
    int szorzo = 0;
    const QString tipus = TorzsCassatipMegnyit(this, QString(), true, szorzo);
    if (tipus.isEmpty()) return;
    double osszeg = 0;
    if (!SzamBevitel(QStringLiteral("Összeg megadás"), QStringLiteral("Add meg az összeget!"), osszeg, this)) return;
    Cassa::KeziTetel(tipus, szorzo, osszeg);
    // The list as the table now is, the filter kept; the new entry is last.
    ujraolvas();
    aktualisBeallit(m_lista.sorok() - 1);
}

void Tfrm_Cassa::aSzurExecute()
{
    // The action's checked state has already flipped when triggered.
    if (aSzur->isChecked()) {
        QDate nap = Ma();
        if (!DatumMegad(this, nap)) {
            aSzur->setChecked(false);
            return;
        }
        m_lista.szures(Cassa::NapFeltetel(), Cassa::NapParam(nap));
        m_nap = nap;
    } else {
        m_lista.szures(QString());
        m_nap = QDate();
    }
    try {
        ujraolvas();
    } catch (...) {
        m_lista.szures(QString());
        m_nap = QDate();
        throw;
    }
    aktualisBeallit(0);
}

void Tfrm_Cassa::aNapzarasExecute()
{
    const QString cim = QStringLiteral("Napzárás");
    const QDate nap = Ma();
    // A day is closed once; its report may be printed again.
    if (const std::optional<Zaras::Jelentes> volt = Zaras::Keres(nap)) {
        const QString ki = volt->felhasznalo.isEmpty() ? QString() : QStringLiteral(", ") + volt->felhasznalo;
        if (KerdesAblak(QStringLiteral("A mai nap (%1) pénztára már le van zárva (%2%3).\n"
                                       "Kinyomtatja újra a Z jelentést?")
                            .arg(RovidDatum(nap), HosszuIdo(volt->ido), ki),
                        cim, this))
            ZarasNyomtat(*volt, Kimenet::nyomtato(), this);
        return;
    }
    // Refused before the counting, not after it (the clock set back before a closed day).
    Zaras::ZarhatoNap(nap);
    const double vart = Zaras::Vart(nap);
    // Nothing proposed: the drawer is counted, not the book's figure confirmed.
    double szamolt = 0;
    if (!SzamBevitel(cim, QStringLiteral("A kasszában megszámolt készpénz (Ft):"), szamolt, this)) return;
    const QString kerdes =
        QStringLiteral("Napzárás: %1\n\nVárt készpénz (pénztárkönyv): %2\nMegszámolt készpénz: %3\nEltérés: %4\n\n"
                       "Rögzíti a zárást? Utána erre a napra kézi pénztári tétel már nem rögzíthető.")
            .arg(RovidDatum(nap), Zaras::Ft(vart), Zaras::Ft(szamolt), Zaras::ElteresSzoveg(szamolt - vart));
    if (!KerdesAblak(kerdes, cim, this)) return;
    // The expected cash shown goes with it: a balance changed meanwhile is refused.
    const Zaras::Jelentes z = Zaras::Zar(nap, szamolt, TBeall.felhasznalo_nev, vart);
    ZarasNyomtat(z, Kimenet::nyomtato(), this);
}

void Tfrm_Cassa::aNyomtatExecute() { CassaNyomtat(szurve(), m_nap, Kimenet::nyomtato(), this); }

void Tfrm_Cassa::aNyomtatKepExecute() { CassaNyomtat(szurve(), m_nap, Kimenet::elonezet(), this); }

void Tfrm_Cassa::aBezarExecute() { reject(); }

void CassaMegnyit(QWidget* szulo)
{
    Tfrm_Cassa a(szulo);
    a.megnyit();
    a.exec();
}
