#include "windows/rental/tfrm_kolcsonzes.h"
#include "windows/common/bevitel.h"
#include "windows/common/muvelet.h"
#include "windows/common/racs.h"
#include "windows/common/tfrm_inp.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/common/gyorskereses.h"
#include "core/rental/beolvasas.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"
#include "windows/rental/tfrm_videovalaszt.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QTableWidgetItem* cella(const QString& s, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* c = new QTableWidgetItem(s);
    c->setTextAlignment(a);
    c->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return c;
}

QString otJegy(int azon) { return Beolvasas::KodSzoveg(azon); }

// Overdue rows of the return window: red, yellow when selected.
class LejartRajzolo : public QStyledItemDelegate {
public:
    LejartRajzolo(const Tfrm_VisszaVesz* ablak) : QStyledItemDelegate(const_cast<Tfrm_VisszaVesz*>(ablak)), m_ablak(ablak) {}
protected:
    void initStyleOption(QStyleOptionViewItem* o, const QModelIndex& i) const override
    {
        QStyledItemDelegate::initStyleOption(o, i);
        const QColor n = m_ablak->szovegSzin(i.row(), false);
        if (n.isValid()) {
            o->palette.setColor(QPalette::Text, n);
            o->palette.setColor(QPalette::HighlightedText, m_ablak->szovegSzin(i.row(), true));
        }
    }
private:
    const Tfrm_VisszaVesz* m_ablak;
};

} // namespace

// ---- frame -------------------------------------------------------------------------

KolcsonzesKeret::KolcsonzesKeret(const QString& osztaly, const QString& cim, const QString& ugyfelNev, QWidget* szulo)
    : QDialog(szulo)
{
    setObjectName(osztaly);
    setWindowTitle(cim);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    l->addWidget(ToolBar1);

    auto* panel = new QHBoxLayout;
    panel->setContentsMargins(2, 4, 2, 4);
    panel->setSpacing(6);
    QFont felkover = font();
    felkover.setBold(true);
    lblNev = new QLabel(QStringLiteral("  ") + ugyfelNev, this);
    lblNev->setObjectName("lblNev");
    lblNev->setFont(felkover);
    lblOsszeg = new QLabel(this);
    lblOsszeg->setObjectName("lblOsszeg");
    lblOsszeg->setFont(felkover);
    panel->addWidget(new QLabel(QStringLiteral("  ügyfél"), this));
    panel->addWidget(lblNev);
    panel->addWidget(new QLabel(QStringLiteral("  fizetendő"), this));
    panel->addWidget(lblOsszeg);
    panel->addStretch();
    l->addLayout(panel);
    m_panel = panel;

    auto* olvaso = new QHBoxLayout;
    olvaso->setContentsMargins(2, 0, 2, 4);
    olvaso->setSpacing(6);
    edtVonalkod = new QLineEdit(this);
    edtVonalkod->setObjectName("edtVonalkod");
    edtVonalkod->setAccessibleName(QStringLiteral("vonalkód"));
    edtVonalkod->setFixedWidth(AtlagosBetu(edtVonalkod->fontMetrics()).szeles * 16);
    CsakSzamjegy(edtVonalkod, true);
    MuveletElsobbseg(edtVonalkod);
    edtVonalkod->installEventFilter(this);
    lblUzenet = new QLabel(this);
    lblUzenet->setObjectName("lblUzenet");
    auto* cimke = new QLabel(QStringLiteral("  vonalkód"), this);
    cimke->setBuddy(edtVonalkod);
    olvaso->addWidget(cimke);
    olvaso->addWidget(edtVonalkod);
    olvaso->addWidget(lblUzenet, 1);
    l->addLayout(olvaso);
    connect(edtVonalkod, &QLineEdit::returnPressed, this, [this] {
        const QString t = edtVonalkod->text();
        edtVonalkod->clear();   // the next label starts a new code
        if (!t.trimmed().isEmpty()) Vedett([&] { beolvasva(t); }, this);
    });

    DBGrid1 = new QTableWidget(this);
    DBGrid1->setObjectName("DBGrid1");
    RacsBeallit(DBGrid1);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    l->addWidget(DBGrid1, 1);
    // The row marker follows the current row however it moves (keys, mouse).
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { RacsSorJel(DBGrid1); });
}

QAction* KolcsonzesKeret::muvelet(const char* nev, const QString& felirat, const QList<QKeySequence>& billentyuk)
{
    return MuveletKeszit(this, QString::fromLatin1(nev), felirat, billentyuk);
}

void KolcsonzesKeret::osszegMutat(double osszeg) { lblOsszeg->setText(FtMaszk(osszeg)); }

void KolcsonzesKeret::valasz(const QString& szoveg, bool hiba)
{
    lblUzenet->setStyleSheet(hiba ? QStringLiteral("color: #C00000; font-weight: bold;") : QStringLiteral("color: #006000;"));
    lblUzenet->setText(szoveg);
    if (hiba) parbeszed().hang();
}

std::optional<Beolvasas::Tetel> KolcsonzesKeret::beolvasottTetel(const QString& szoveg)
{
    const GyorsKereses::Kerdes k = GyorsKereses::Ertelmez(szoveg, GyorsKereses::Mod::TetelKod);
    const QString hiba = GyorsKereses::CimkeHiba(k, szoveg);
    if (!hiba.isEmpty()) {
        valasz(hiba, true);
        return std::nullopt;
    }
    if (k.tipus != GyorsKereses::Kerdes::Tipus::Kod) {
        valasz(QStringLiteral("Nem tételkód: %1").arg(szoveg.trimmed()), true);
        return std::nullopt;
    }
    auto t = Beolvasas::TetelKodbol(k.kod);
    if (!t) valasz(QStringLiteral("Nincs %1 kódú tétel.").arg(Beolvasas::KodSzoveg(k.kod)), true);
    return t;
}

bool KolcsonzesKeret::eventFilter(QObject* o, QEvent* e)
{
    // The focus stays in the scanner's field; the list's moving keys move the list.
    if (o == edtVonalkod && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (!(k->modifiers() & ~Qt::KeypadModifier)) {
                QKeyEvent masolat(k->type(), k->key(), k->modifiers());
                QCoreApplication::sendEvent(DBGrid1, &masolat);
                return true;
            }
            break;
        default: break;
        }
    }
    return QDialog::eventFilter(o, e);
}

int KolcsonzesKeret::aktualis() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void KolcsonzesKeret::aktualisBeallit(int sor)
{
    if (DBGrid1->rowCount() > 0) {
        sor = std::clamp(sor, 0, DBGrid1->rowCount() - 1);
        DBGrid1->setCurrentCell(sor, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    // Rows added without a move of the current one get their empty titles here.
    RacsSorJel(DBGrid1);
}

// ---- rental ------------------------------------------------------------------------

Tfrm_Kolcsonzes::Tfrm_Kolcsonzes(Kolcsonzes& k, QWidget* szulo)
    : KolcsonzesKeret("Tfrm_Kolcsonzes", QStringLiteral("Kölcsönzés"), k.ugyfelNev(), szulo), m_k(k)
{
    setFixedSize(600, 380);
    aUj = muvelet("aUj", QStringLiteral("Új tétel"), {QKeySequence(Qt::Key_Insert)});
    aTorol = muvelet("aTorol", QStringLiteral("Tétel törlése"), {QKeySequence(Qt::CTRL | Qt::Key_Delete)});
    aElfogad = muvelet("aElfogad", QStringLiteral("Elfogad"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    aMegsem = muvelet("aMegsem", QStringLiteral("Mégsem"), {QKeySequence(Qt::Key_Escape)});
    aIdoszak = muvelet("aIdoszak", QStringLiteral("Időtartam"), {QKeySequence(Qt::Key_F2)});
    ToolBar1->addActions({aUj, aTorol});
    ToolBar1->addSeparator();
    ToolBar1->addAction(aIdoszak);
    ToolBar1->addSeparator();
    ToolBar1->addActions({aElfogad, aMegsem});
    lblIdoszak = new QLabel(this);
    lblIdoszak->setObjectName("lblIdoszak");
    m_panel->insertWidget(m_panel->count() - 1, new QLabel(QStringLiteral("  időtartam"), this));
    m_panel->insertWidget(m_panel->count() - 1, lblIdoszak);
    QFont felkover = lblIdoszak->font();
    felkover.setBold(true);
    lblIdoszak->setFont(felkover);
    DBGrid1->setColumnCount(3);
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("kód"), QStringLiteral("név"), QStringLiteral("ár")});
    DBGrid1->setColumnWidth(0, 70);
    DBGrid1->setColumnWidth(1, 330);
    connect(aUj, &QAction::triggered, this, [this] { Vedett([this] { aUjExecute(); }, this); });
    connect(aTorol, &QAction::triggered, this, &Tfrm_Kolcsonzes::aTorolExecute);
    connect(aElfogad, &QAction::triggered, this, &Tfrm_Kolcsonzes::aElfogadExecute);
    connect(aMegsem, &QAction::triggered, this, &QDialog::reject);
    connect(aIdoszak, &QAction::triggered, this, [this] { Vedett([this] { aIdoszakExecute(); }, this); });
    tetelValaszto = [](QWidget* w) { return VideoValaszt(w, -1); };
    if (const auto i = Beolvasas::IdoszakOlvas(k.fiztip())) idoszakMutat(i->nev);
    frissit();
    edtVonalkod->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void Tfrm_Kolcsonzes::frissit(qint64 aktualisVideo)
{
    const int regi = aktualis();
    const auto& t = m_k.tetelek();
    DBGrid1->setRowCount(int(t.size()));
    int uj = -1;
    for (int i = 0; i < t.size(); ++i) {
        DBGrid1->setItem(i, 0, cella(otJegy(t[i].azon), Qt::AlignRight | Qt::AlignVCenter));
        DBGrid1->setItem(i, 1, cella(t[i].nev));
        DBGrid1->setItem(i, 2, cella(FtMaszk(t[i].ar), Qt::AlignRight | Qt::AlignVCenter));
        if (t[i].video == aktualisVideo) uj = i;
    }
    aktualisBeallit(uj >= 0 ? uj : regi);
    osszegMutat(m_k.osszeg());
}

void Tfrm_Kolcsonzes::aUjExecute()
{
    const qint64 video = tetelValaszto ? tetelValaszto(this) : -1;
    if (video < 0) return;
    if (!figyelmeztet()) return;
    m_k.hozzaad(video);
    frissit(video);
}

void Tfrm_Kolcsonzes::idoszakMutat(const QString& nev) { lblIdoszak->setText(nev); }

void Tfrm_Kolcsonzes::aIdoszakExecute()
{
    if (!idoValaszto) return;
    QString nev;
    int ora = 0;
    const int fiztip = idoValaszto(this, &nev, &ora);
    if (fiztip >= 0) {
        m_k.idoszakValt(fiztip, ora);
        idoszakMutat(nev);
        frissit(DBGrid1->rowCount() > 0 && aktualis() >= 0 ? m_k.tetelek().at(aktualis()).video : -1);
    }
    edtVonalkod->setFocus();
}

bool Tfrm_Kolcsonzes::figyelmeztet()
{
    if (figyelmeztetes.isEmpty()) return true;
    const QString szoveg = figyelmeztetes;
    figyelmeztetes.clear();   // told once
    if (KerdesAblak(szoveg + QStringLiteral("\n\nFolytatja a kölcsönzést?"), QStringLiteral("Figyelmeztetés"), this))
        return true;
    reject();
    return false;
}

void Tfrm_Kolcsonzes::beolvasva(const QString& szoveg)
{
    const auto t = beolvasottTetel(szoveg);
    if (!t) return;
    for (const KolcsonzesTetel& m : m_k.tetelek())
        if (m.video == t->video)
            return valasz(QStringLiteral("A(z) %1 kódú tétel már a listán van.").arg(Beolvasas::KodSzoveg(t->azon)), true);
    if (t->kint)
        return valasz(QStringLiteral("A(z) %1 kódú tétel kint van: %2.").arg(Beolvasas::KodSzoveg(t->azon), t->ugyfelNev), true);
    if (!figyelmeztet()) return;
    m_k.hozzaad(t->video);
    frissit(t->video);
    for (const KolcsonzesTetel& m : m_k.tetelek())
        if (m.video == t->video)
            valasz(QStringLiteral("%1  %2  %3").arg(Beolvasas::KodSzoveg(m.azon), m.nev, FtMaszk(m.ar)), false);
}

void Tfrm_Kolcsonzes::aTorolExecute()
{
    const int s = aktualis();
    if (s < 0) return;
    m_k.torol(s);
    frissit();
}

void Tfrm_Kolcsonzes::aElfogadExecute()
{
    // A refusal keeps the window and its list: nothing was written.
    Vedett([this] {
        m_kolcsid = m_k.befejez();
        accept();
    }, this);
}

// ---- return -------------------------------------------------------------------------

Tfrm_VisszaVesz::Tfrm_VisszaVesz(Visszavetel& v, QWidget* szulo)
    : KolcsonzesKeret("Tfrm_VisszaVesz", QStringLiteral("Visszavétel"), v.ugyfelNev(), szulo), m_v(v)
{
    // The size is set with the late-fee column (kesedelemBeallit).
    aTorol = muvelet("aTorol", QStringLiteral("Tétel törlése"), {QKeySequence(Qt::CTRL | Qt::Key_Delete)});
    aPotdij = muvelet("aPotdij", QStringLiteral("Pótdíj"), {});
    aElfogad = muvelet("aElfogad", QStringLiteral("Elfogad"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    aMegsem = muvelet("aMegsem", QStringLiteral("Mégsem"), {QKeySequence(Qt::Key_Escape)});
    ToolBar1->addAction(aTorol);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aPotdij);
    ToolBar1->addSeparator();
    ToolBar1->addActions({aElfogad, aMegsem});
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addActions({aTorol, aPotdij});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({aElfogad, aMegsem});
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(p)); });
    DBGrid1->setColumnCount(5);
    DBGrid1->setHorizontalHeaderLabels({QStringLiteral("kód"), QStringLiteral("név"), QStringLiteral("dat.határidő"),
                                        QStringLiteral("óra.határidő"), QStringLiteral("ár")});
    DBGrid1->setColumnWidth(0, 60);
    DBGrid1->setColumnWidth(1, 230);
    DBGrid1->setColumnWidth(2, 100);
    DBGrid1->setColumnWidth(3, 90);
    DBGrid1->setColumnWidth(4, 70);
    DBGrid1->setItemDelegate(new LejartRajzolo(this));
    connect(aTorol, &QAction::triggered, this, &Tfrm_VisszaVesz::aTorolExecute);
    connect(aPotdij, &QAction::triggered, this, [this] { Vedett([this] { aPotdijExecute(); }, this); });
    connect(aElfogad, &QAction::triggered, this, &Tfrm_VisszaVesz::aElfogadExecute);
    connect(aMegsem, &QAction::triggered, this, &QDialog::reject);
    kesedelemBeallit();
    frissit(0);
    edtVonalkod->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void Tfrm_VisszaVesz::beolvasva(const QString& szoveg)
{
    const auto t = beolvasottTetel(szoveg);
    if (!t) return;
    const auto& l = m_v.tetelek();
    for (int i = 0; i < l.size(); ++i) {
        if (l[i].video != t->video) continue;
        if (m_v.jelolt(i))
            return valasz(QStringLiteral("A(z) %1 kódú tétel már jelölve van.").arg(Beolvasas::KodSzoveg(t->azon)), true);
        m_v.jelol(t->video);
        frissit(i);
        return valasz(QStringLiteral("Visszajön: %1  %2").arg(Beolvasas::KodSzoveg(t->azon), t->nev), false);
    }
    if (!t->kint) return valasz(QStringLiteral("A(z) %1 kódú tétel nincs kiadva.").arg(Beolvasas::KodSzoveg(t->azon)), true);
    return valasz(QStringLiteral("A(z) %1 kódú tétel nem ennél az ügyfélnél van: %2.").arg(Beolvasas::KodSzoveg(t->azon), t->ugyfelNev),
                  true);
}

void Tfrm_VisszaVesz::kesedelemBeallit()
{
    setFixedSize(800, 400);
    aKesedelem = muvelet("aKesedelem", QStringLiteral("Késedelmi díj"), {QKeySequence(Qt::Key_F6)});
    aKesedelemTorol =
        muvelet("aKesedelemTorol", QStringLiteral("Késedelmi díj törlése"), {QKeySequence(Qt::SHIFT | Qt::Key_F6)});
    ToolBar1->insertActions(aElfogad, {aKesedelem, aKesedelemTorol});
    ToolBar1->insertSeparator(aElfogad);
    PopupMenu1->insertActions(aElfogad, {aKesedelem, aKesedelemTorol});
    PopupMenu1->insertSeparator(aElfogad);
    DBGrid1->setColumnCount(6);
    DBGrid1->setHorizontalHeaderItem(5, new QTableWidgetItem(QStringLiteral("Késedelmi díj")));
    DBGrid1->setColumnWidth(4, 80);
    DBGrid1->setColumnWidth(5, 100);
    // Marked by scan: only the marked items come back.
    DBGrid1->setColumnCount(7);
    DBGrid1->setHorizontalHeaderItem(6, new QTableWidgetItem(QStringLiteral("vissza")));
    connect(aKesedelem, &QAction::triggered, this, [this] { Vedett([this] { aKesedelemExecute(); }, this); });
    connect(aKesedelemTorol, &QAction::triggered, this, &Tfrm_VisszaVesz::aKesedelemTorolExecute);
}

void Tfrm_VisszaVesz::kesedelemMutat()
{
    const auto& t = m_v.tetelek();
    for (int i = 0; i < t.size() && i < DBGrid1->rowCount(); ++i)
        DBGrid1->setItem(i, 5, cella(t[i].kesedelmiDij != 0 ? FtMaszk(t[i].kesedelmiDij) : QString(),
                                     Qt::AlignRight | Qt::AlignVCenter));
}

void Tfrm_VisszaVesz::aKesedelemExecute()
{
    const int s = aktualis();
    if (s < 0) return;
    double ertek = m_v.tetelek().at(s).kesedelmiDij;
    const QString javasolt = FtMaszk(m_v.tetelek().at(s).javasoltDij);
    if (SzamBevitel(QStringLiteral("Késedelmi díj"),
                    QStringLiteral("A késedelmi díj összege (a szabály szerint %1 Ft; 0: nincs díj)").arg(javasolt),
                    ertek, this))
        m_v.kesedelmiDij(s, ertek);
    frissit(s);
}

void Tfrm_VisszaVesz::aKesedelemTorolExecute()
{
    const int s = aktualis();
    if (s < 0) return;
    m_v.kesedelmiDij(s, 0);
    frissit(s);
}

QColor Tfrm_VisszaVesz::szovegSzin(int sor, bool kijelolt) const
{
    if (sor < 0 || sor >= m_v.tetelek().size()) return {};
    const VisszavetelTetel& t = m_v.tetelek().at(sor);
    if (!Lejart(QStringLiteral("I"), t.datVisszakell, t.idoVisszakell, Most())) return {};
    return kijelolt ? QColor(0xFF, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00);
}

void Tfrm_VisszaVesz::frissit(int sor)
{
    const auto& t = m_v.tetelek();
    DBGrid1->setRowCount(int(t.size()));
    for (int i = 0; i < t.size(); ++i) {
        DBGrid1->setItem(i, 0, cella(otJegy(t[i].azon), Qt::AlignRight | Qt::AlignVCenter));
        DBGrid1->setItem(i, 1, cella(t[i].nev));
        DBGrid1->setItem(i, 2, cella(VarSzoveg(t[i].datVisszakell)));
        DBGrid1->setItem(i, 3, cella(VarSzoveg(t[i].idoVisszakell)));
        DBGrid1->setItem(i, 4, cella(VarSzoveg(t[i].ar), Qt::AlignRight | Qt::AlignVCenter));
        // Once items are marked by scan, only the marked ones come back.
        DBGrid1->setItem(i, 6, cella(!m_v.jeloles() || m_v.jelolt(i) ? QStringLiteral("✓") : QString(), Qt::AlignCenter));
    }
    kesedelemMutat();
    aktualisBeallit(sor);
    osszegMutat(m_v.osszeg());
}

void Tfrm_VisszaVesz::aTorolExecute()
{
    const int s = aktualis();
    if (s < 0) return;
    m_v.marad(s);
    frissit(s);
}

void Tfrm_VisszaVesz::aPotdijExecute()
{
    const int s = aktualis();
    if (s < 0) return;
    double ertek = 100;
    if (SzamBevitel(QStringLiteral("Pótdíj"), QStringLiteral("Add meg a pótdíj összegét"), ertek, this))
        m_v.potdij(s, ertek);
    frissit(s);
}

void Tfrm_VisszaVesz::aElfogadExecute()
{
    Vedett([this] {
        m_v.befejez();
        accept();
    }, this);
}

// ---- the roads -----------------------------------------------------------------------

bool KolcsonzesInditas(QWidget* szulo, qint64 video, const KolcsonzesUt& ut)
{
    const QString akadaly = KolcsonzesAkadaly(video);
    if (!akadaly.isEmpty()) {
        HibaAblak(akadaly, szulo);
        return false;
    }
    const int ugyfel = ut.ugyfelValaszto ? ut.ugyfelValaszto(szulo) : -1;
    if (ugyfel < 0) return false;
    QString idoNev;
    int ora = 0;
    const int fiztip = ut.idoValaszto ? ut.idoValaszto(szulo, &idoNev, &ora) : -1;
    if (fiztip < 0) return false;
    const QString nev =
        VarSzoveg(Adatbazis::ertek(QStringLiteral("SELECT ugyfel_nev FROM ugyfel WHERE ugyfel = ?"), {ugyfel}));
    Kolcsonzes k(ugyfel, nev, fiztip, ora);
    k.hozzaad(video);
    Tfrm_Kolcsonzes f(k, szulo);
    if (ut.tetelValaszto) f.tetelValaszto = ut.tetelValaszto;
    f.idoValaszto = ut.idoValaszto;
    f.idoszakMutat(idoNev);
    if (f.exec() != QDialog::Accepted) return false;
    if (TBeall.autonyom && ut.nyugta) ut.nyugta(f.kolcsid());
    return true;
}

bool KartyasKolcsonzes(QWidget* szulo, int ugyfel, const KolcsonzesUt& ut)
{
    const auto u = Beolvasas::UgyfelKulcsbol(ugyfel);
    if (!u) {
        HibaAblak(QStringLiteral("Az ügyfél már nem létezik."), szulo);
        return false;
    }
    if (u->torolve) {
        HibaAblak(QStringLiteral("Ez az ügyfél törölve van: %1").arg(u->nev), szulo);
        return false;
    }
    // The shop's default period: no period window between the card and the items.
    std::optional<Beolvasas::Idoszak> idoszak = Beolvasas::AlapIdoszak();
    if (!idoszak) {
        Beolvasas::Idoszak i;
        i.fiztip = ut.idoValaszto ? ut.idoValaszto(szulo, &i.nev, &i.ora) : -1;
        if (i.fiztip < 0) return false;
        idoszak = i;
    }
    Kolcsonzes k(u->ugyfel, u->nev, idoszak->fiztip, idoszak->ora);
    Tfrm_Kolcsonzes f(k, szulo);
    if (ut.tetelValaszto) f.tetelValaszto = ut.tetelValaszto;
    f.idoValaszto = ut.idoValaszto;
    f.idoszakMutat(idoszak->nev);
    const Beolvasas::Figyelmeztetes fi = Beolvasas::KolcsonzesElott(*u);
    if (!fi.ures()) f.figyelmeztetes = u->nev + QStringLiteral("\n") + fi.szoveg();
    if (f.exec() != QDialog::Accepted) return false;
    if (TBeall.autonyom && ut.nyugta) ut.nyugta(f.kolcsid());
    return true;
}

bool BeolvasottVisszavetel(QWidget* szulo, qint64 video)
{
    const QString akadaly = VisszavetelAkadaly(video);
    if (!akadaly.isEmpty()) {
        HibaAblak(akadaly, szulo);
        return false;
    }
    Visszavetel v = Visszavetel::targybol(video);
    v.jelol(video);
    Tfrm_VisszaVesz f(v, szulo);
    // The scanned item is the current row: F6 or a surcharge applies to it.
    for (int i = 0; i < v.tetelek().size(); ++i)
        if (v.tetelek().at(i).video == video) f.DBGrid1->setCurrentCell(i, 0);
    return f.exec() == QDialog::Accepted;
}

bool VisszavetelInditas(QWidget* szulo, qint64 video)
{
    const QString akadaly = VisszavetelAkadaly(video);
    if (!akadaly.isEmpty()) {
        HibaAblak(akadaly, szulo);
        return false;
    }
    Visszavetel v = Visszavetel::targybol(video);
    Tfrm_VisszaVesz f(v, szulo);
    return f.exec() == QDialog::Accepted;
}
