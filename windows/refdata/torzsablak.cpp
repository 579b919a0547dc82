#include "windows/refdata/torzsablak.h"
#include "windows/common/kozepre.h"
#include "windows/common/listakeret.h"
#include "windows/common/muvelet.h"
#include "windows/common/bevitel.h"
#include "windows/common/racs.h"
#include "core/common/szoveg.h"
#include "core/data/adatbazis.h"
#include "core/data/konverzio.h"
#include "print/common/uzenet.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <optional>

namespace {

ListaDef listaDef(const TorzsLeiras& l)
{
    ListaDef d;
    d.tabla = l.tabla;
    d.alias = "t";
    d.kulcs = "rowid";   // every table has one, whatever its own key
    QStringList sel;
    for (const Sema::Mezo& m : Sema::tabla(l.tabla)->mezok) {
        d.mezok << m.nev;
        d.tipusok << m.tipus;
        sel << "t." + m.nev;
    }
    for (const TorzsKapcsoltMezo& k : l.kapcsolt) {
        d.mezok << k.mezo;
        d.tipusok << k.tipus;
        sel << k.kifejezes;
    }
    d.select = sel.join(", ");
    d.joinok = l.joinok;
    return d;
}

QVariantList kulcsErtekek(const Sema::Tabla& t, const std::function<QVariant(const QString&)>& ertek)
{
    QVariantList k;
    for (const QString& m : t.kulcs) k << ertek(m);
    return k;
}

// Reloads the list with the row just saved current. It is found by every
// key field: in a table keyed by a pair (the price matrix) the first key
// alone would land on the first row of its kind.
void mentettSorra(TorzsAblak& a, const Rekord& sor)
{
    a.ujratolt();
    QStringList feltetel;
    for (const QString& k : sor.tabla().kulcs) feltetel << "t." + k + " = ?";
    const int s = a.lista().elso(feltetel.join(" AND "), sor.kulcsok());
    if (s >= 0) a.aktualisBeallit(s);
}

} // namespace

TorzsAblak::TorzsAblak(TorzsLeiras leiras, bool valasztas, QWidget* szulo)
    : QDialog(szulo), m_leiras(std::move(leiras)), m_valasztas(valasztas), m_keret(new ListaKeret(this)),
      m_lista(listaDef(m_leiras))
{
    setObjectName(m_leiras.osztaly);
    setWindowTitle(m_leiras.cim);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    using K = ListaKeret::Kozos;
    ToolBar1 = m_keret->eszkoztar();
    m_modell = new ListaModell(&m_lista, m_leiras.oszlopok, this);
    DBGrid1 = m_keret->racs(m_modell);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    if (!m_leiras.keresoMezo.isEmpty())
        Edit1 = m_keret->kereso(m_leiras.keresoMod, [this](const GyorsKereses::Kerdes& k) { gyorsKeres(k); },
                                m_leiras.keresoLeptet);

    PopupMenu1 = m_keret->menu();
    aKeres = m_keret->muvelet(K::Keres);
    aUj = m_keret->muvelet(K::Uj);
    aSzerkeszt = m_keret->muvelet(K::Szerkeszt);
    aTorol = m_keret->muvelet(K::Torol);
    aElfogad = m_keret->muvelet(K::Elfogad);
    aBezar = m_keret->muvelet(K::Bezar);

    if (Edit1) {
        ToolBar1->addAction(aKeres);
        ToolBar1->addSeparator();
    } else {
        aKeres->setEnabled(false);
    }
    ToolBar1->addAction(aUj);
    ToolBar1->addAction(aSzerkeszt);
    ToolBar1->addAction(aTorol);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aElfogad);
    ToolBar1->addAction(aBezar);
    PopupMenu1->addActions({aUj, aSzerkeszt, aTorol});
    PopupMenu1->addSeparator();
    if (Edit1) {
        PopupMenu1->addAction(aKeres);
        PopupMenu1->addSeparator();
    }
    PopupMenu1->addActions({aElfogad, aBezar});

    // The same size in both modes, "Elfogad" counted, so the size is fixed
    // before the button is hidden.
    m_keret->meretRogzit(m_leiras.meret);

    // "Elfogad" exists only in selection mode.
    aElfogad->setEnabled(m_valasztas);
    aElfogad->setVisible(m_valasztas);

    connect(aKeres, &QAction::triggered, this, &TorzsAblak::aKeresExecute);
    connect(aUj, &QAction::triggered, this, [this] { Vedett([this] { aUjExecute(); }, this); });
    connect(aSzerkeszt, &QAction::triggered, this, [this] { Vedett([this] { aSzerkesztExecute(); }, this); });
    connect(aTorol, &QAction::triggered, this, [this] { Vedett([this] { aTorolExecute(); }, this); });
    connect(aElfogad, &QAction::triggered, this, &TorzsAblak::aElfogadExecute);
    connect(aBezar, &QAction::triggered, this, &TorzsAblak::aBezarExecute);
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] {
        if (m_valasztas) aElfogadExecute();
        else Vedett([this] { aSzerkesztExecute(); }, this);
    });
    connect(m_modell, &QAbstractItemModel::modelReset, this, [this] { aktualisBeallit(0); });

    m_lista.rendezes(m_leiras.rend);
    m_lista.szures(m_leiras.szuro);
}

QAction* TorzsAblak::muvelet(const QString& nev, const QString& felirat, const QKeySequence& billentyu,
                             const QString& tipp)
{
    QAction* a = MuveletKeszit(this, nev, felirat, billentyu.isEmpty() ? QList<QKeySequence>{} : QList{billentyu}, tipp);
    return a;
}

QVariant TorzsAblak::futtat(const QVariant& kulcs)
{
    m_modell->ujratolt();
    if (!kulcs.isValid() || !keresKulcs(kulcs)) aktualisBeallit(0);
    if (exec() != QDialog::Accepted) return {};
    return ertek(m_leiras.kulcs);
}

int TorzsAblak::aktualis() const { return m_keret->aktualis(); }

QVariant TorzsAblak::ertek(const QString& mezo) const { return m_lista.ertek(aktualis(), mezo); }

void TorzsAblak::aktualisBeallit(int sor) { m_keret->aktualisBeallit(sor); }

bool TorzsAblak::keresKulcs(const QVariant& kulcs)
{
    const int s = m_lista.elso(QStringLiteral("t.%1 = ?").arg(m_leiras.kulcs), {kulcs});
    if (s < 0) return false;
    aktualisBeallit(s);
    return true;
}

void TorzsAblak::ujratolt(const QVariant& kulcs)
{
    const int regi = aktualis();
    m_modell->ujratolt();
    if (!(kulcs.isValid() && keresKulcs(kulcs))) aktualisBeallit(regi);
}

bool TorzsAblak::jogVan()
{
    if (!m_leiras.jog || *m_leiras.jog) return true;
    HibaAblak(QString::fromUtf8(NincsJog), this);
    return false;
}

void TorzsAblak::ujSorElokeszit(Rekord&) {}

bool TorzsAblak::szerkesztoFuttat(Rekord& sor, bool uj)
{
    if (!m_leiras.szerkeszto) return false;
    std::unique_ptr<TorzsSzerkeszto> d(m_leiras.szerkeszto(this, sor, uj));
    if (m_leiras.mentesUtan) d->mentesUtanBeallit([f = m_leiras.mentesUtan, uj](Rekord& r) { f(r, uj); });
    return d->exec() == QDialog::Accepted;
}

void TorzsAblak::aUjExecute()
{
    if (!jogVan()) return;
    Rekord sor(m_leiras.tabla);
    sor.beszur();
    ujSorElokeszit(sor);
    const bool mentve = szerkesztoFuttat(sor, true);
    if (sor.allapot() != Rekord::Allapot::Bongesz) sor.elvet();   // nothing reaches the table
    if (mentve) mentettSorra(*this, sor);
}

void TorzsAblak::aSzerkesztExecute()
{
    if (!jogVan()) return;
    if (m_lista.sorok() == 0) {
        // An empty list: editing starts a new row, as "Új sor" does.
        aUjExecute();
        return;
    }
    const Sema::Tabla& t = *Sema::tabla(m_leiras.tabla);
    Rekord sor(m_leiras.tabla);
    if (!sor.szerkeszt(kulcsErtekek(t, [this](const QString& m) { return ertek(m); }))) {
        ujratolt();
        return;
    }
    const bool mentve = szerkesztoFuttat(sor, false);
    if (sor.allapot() != Rekord::Allapot::Bongesz) sor.elvet();
    if (mentve) mentettSorra(*this, sor);
}

void TorzsAblak::aTorolExecute()
{
    if (!jogVan()) return;
    if (aktualis() < 0) return;
    if (!m_keret->torlesKerdes()) return;
    const Sema::Tabla& t = *Sema::tabla(m_leiras.tabla);
    const QVariantList kulcs = kulcsErtekek(t, [this](const QString& m) { return ertek(m); });
    Adatbazis::Tranzakcio tr;
    sorTorol(kulcs);
    tr.jovahagy();
    ujratolt();   // the same position: the next row, or the previous one at the end
}

void TorzsAblak::sorTorol(const QVariantList& kulcs) { SorTorol(m_leiras.tabla, kulcs); }

void TorzsAblak::aKeresExecute()
{
    if (Edit1) Edit1->setFocus(Qt::ShortcutFocusReason);
}

void TorzsAblak::aElfogadExecute()
{
    if (m_valasztas && aktualis() >= 0) accept();
}

void TorzsAblak::aBezarExecute() { reject(); }

void TorzsAblak::gyorsKeres(const GyorsKereses::Kerdes& kerdes)
{
    if (kerdes.tipus != GyorsKereses::Kerdes::Tipus::Nev) return;
    const int s = m_lista.elso(QStringLiteral("hu_kezdodik(t.%1, ?)").arg(m_leiras.keresoMezo), {kerdes.eleje});
    if (s >= 0) aktualisBeallit(s);
}

void TorzsAblak::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (Edit1) Edit1->setFocus();
}

QVariant TorzsMegnyit(const TorzsLeiras& leiras, QWidget* szulo, const QVariant& kulcs, bool valasztas)
{
    TorzsAblak a(leiras, valasztas, szulo);
    return a.futtat(kulcs);
}

// ---- edit dialog ---------------------------------------------------------------

TorzsSzerkeszto::TorzsSzerkeszto(Rekord& sor, const QString& cim, QWidget* szulo) : QDialog(szulo), m_sor(sor)
{
    setWindowTitle(cim);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    auto* l = new QVBoxLayout(this);
    l->setSpacing(2);
}

void TorzsSzerkeszto::sajat(const QString& felirat, QWidget* w, std::function<void(Rekord&)> beir)
{
    auto* l = static_cast<QVBoxLayout*>(layout());
    if (!felirat.isEmpty()) {
        auto* c = new QLabel(felirat, this);
        c->setBuddy(w);
        l->addWidget(c);
    }
    w->setParent(this);
    l->addWidget(w);
    if (beir) m_beirok << std::move(beir);
}

QLineEdit* TorzsSzerkeszto::szovegMezo(const QString& felirat, const QString& mezo, int hossz)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(mezo);
    const Sema::Mezo* m = Sema::mezo(m_sor.tabla().nev, mezo);
    const int h = hossz > 0 ? hossz : (m ? m->hossz : 0);
    if (h > 0) KarakterKorlat(e, h);
    e->setText(VarSzoveg(m_sor.ertek(mezo)));
    sajat(felirat, e, [e, mezo](Rekord& r) { r.beallit(mezo, e->text()); });
    return e;
}

namespace {

// The value of a number field: empty is an empty field; an integer field
// takes a 32-bit whole number, any other a finite sum within the money
// bound. Anything else gives no value.
std::optional<QVariant> szamErtek(const QString& szoveg, bool egesz)
{
    const QString t = SzokozNelkul(szoveg.trimmed());
    if (t.isEmpty()) return QVariant();
    bool ok = false;
    if (egesz) {
        const int v = t.toInt(&ok, 10);
        return ok ? std::optional<QVariant>(v) : std::nullopt;
    }
    const double d = SzamOlvas(t, &ok);
    return ok && PenzErvenyes(d) ? std::optional<QVariant>(d) : std::nullopt;
}

} // namespace

QLineEdit* TorzsSzerkeszto::szamMezo(const QString& felirat, const QString& mezo)
{
    auto* e = new QLineEdit(this);
    e->setObjectName(mezo);
    e->setAlignment(Qt::AlignRight);
    e->setText(VarSzoveg(m_sor.ertek(mezo)));
    const Sema::Mezo* m = Sema::mezo(m_sor.tabla().nev, mezo);
    const bool egesz = m && m->tipus == Sema::Tipus::Egesz;
    const QString korlat = m ? Sema::korlat(*m).nev : QString();
    sajat(felirat, e, [e, mezo, egesz](Rekord& r) {
        if (const auto v = szamErtek(e->text(), egesz)) r.beallit(mezo, *v);
    });
    m_ellenorok << [this, e, egesz, korlat] {
        if (szamErtek(e->text(), egesz)) return true;
        HibaAblak(QStringLiteral("Hiányos, vagy hibás adatmegadás\n") + QString::fromUtf8(NemMegfeleloErtek)
                      + (korlat.isEmpty() ? QString() : '\n' + korlat),
                  this);
        e->setFocus();
        e->selectAll();
        return false;
    };
    return e;
}

void TorzsSzerkeszto::kesz()
{
    auto* gombok = new QHBoxLayout;
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName("btnMegsem");
    // Enter moves between fields; it never presses OK by itself.
    btnOK->setAutoDefault(false);
    btnMegsem->setAutoDefault(false);
    gombok->addStretch();
    gombok->addWidget(btnOK);
    gombok->addWidget(btnMegsem);
    static_cast<QVBoxLayout*>(layout())->addSpacing(8);
    static_cast<QVBoxLayout*>(layout())->addLayout(gombok);
    connect(btnOK, &QPushButton::clicked, this, &TorzsSzerkeszto::btnOKClick);
    connect(btnMegsem, &QPushButton::clicked, this, &QDialog::reject);
    // Never so narrow that the title bar cuts the caption short.
    static_cast<QVBoxLayout*>(layout())->addStrut(CimSzelesseg(windowTitle()));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FokuszSzinAlkalmaz(this);
    EnterTovabbAlkalmaz(this);
    adjustSize();
    Kozepre(this);
}

void TorzsSzerkeszto::mentesUtan(Rekord& sor)
{
    if (m_mentesUtan) m_mentesUtan(sor);
}

void TorzsSzerkeszto::btnOKClick()
{
    // A number that is none, or out of its field's range, never reaches the row.
    for (const auto& ell : m_ellenorok)
        if (!ell()) return;
    for (const auto& b : m_beirok) b(m_sor);
    // A save undone with its transaction leaves the row as it was before,
    // pending, so that the dialog can save it again once mended.
    const Rekord elotte = m_sor;
    QString hiba;
    bool mentve = false;
    bool tarolasi = false;
    try {
        Adatbazis::Tranzakcio t;
        m_sor.ment();
        mentesUtan(m_sor);
        t.jovahagy();
        mentve = true;
    } catch (const AdatbazisHiba& e) {
        hiba = e.uzenet();
        tarolasi = e.tarolasi();
    } catch (const std::exception& e) {
        hiba = QString::fromUtf8(e.what());
    }
    if (mentve) {
        accept();
        return;
    }
    m_sor = elotte;
    // A full disk or a read-only file is no fault of what was typed.
    if (tarolasi)
        HibaAblak(QStringLiteral("A mentés nem sikerült.\n") + hiba, this);
    else
        HibaAblak(QStringLiteral("Hiányos, vagy hibás adatmegadás\n") + hiba, this);
}
