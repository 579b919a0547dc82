#include "rental/tfrm_videovalaszt.h"
#include "common/muvelet.h"
#include "common/bevitel.h"
#include "common/listamodell.h"
#include "common/racs.h"
#include "data/konverzio.h"
#include "common/uzenet.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
ListaDef valasztoDef()
{
    ListaDef d;
    d.tabla = "video";
    d.alias = "v";
    d.kulcs = "video";
    d.mezok = {"video", "azon", "video_nev", "tipus_nev"};
    d.tipusok = {Sema::Tipus::Egesz, Sema::Tipus::Egesz, Sema::Tipus::Szoveg, Sema::Tipus::Szoveg};
    d.select = "v.video, v.azon, v.video_nev, t.tipus_nev";
    // An item whose type no longer exists is not offered (the filter below
    // says the same for the keys, which are read without the join).
    d.joinok = "INNER JOIN tipus t ON (v.tipus = t.tipus)";
    return d;
}
} // namespace

Tfrm_VideoValaszt::Tfrm_VideoValaszt(QWidget* szulo) : QDialog(szulo), m_lista(valasztoDef())
{
    setObjectName("Tfrm_VideoValaszt");
    setWindowTitle(QStringLiteral("Kölcsönözhető tételek"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(560, 460);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    l->addWidget(ToolBar1);

    aKeres = MuveletKeszit(this, "aKeres", QStringLiteral("Kereső"), {QKeySequence(Qt::CTRL | Qt::Key_F)},
                           QStringLiteral("Ugrás a keresőbe"));
    aKeresKod = MuveletKeszit(this, "aKeresKod", QStringLiteral("Keresés kódra"));
    aKeresNev = MuveletKeszit(this, "aKeresNev", QStringLiteral("Keresés név szerint"));
    aElfogad = MuveletKeszit(this, "aElfogad", QStringLiteral("Elfogad"),
                             {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    aBezar = MuveletKeszit(this, "aBezar", QStringLiteral("Bezár"), {QKeySequence(Qt::Key_Escape)});
    auto* csoport = new QActionGroup(this);
    for (QAction* a : {aKeresKod, aKeresNev}) {
        a->setCheckable(true);
        csoport->addAction(a);
    }
    aKeresKod->setChecked(true);

    Edit1 = new QLineEdit(ToolBar1);
    Edit1->setObjectName("Edit1");
    Edit1->setFixedWidth(121);
    Edit1->installEventFilter(this);
    MuveletElsobbseg(Edit1);
    ToolBar1->addWidget(Edit1);
    auto* kereso = new QToolButton(ToolBar1);
    kereso->setDefaultAction(aKeres);
    kereso->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* menu = new QMenu(this);
    menu->addActions({aKeresKod, aKeresNev});
    kereso->setMenu(menu);
    kereso->setPopupMode(QToolButton::MenuButtonPopup);
    ToolBar1->addWidget(kereso);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aElfogad);
    ToolBar1->addAction(aBezar);

    m_modell = new ListaModell(&m_lista,
                               {Oszlop{"azon", QStringLiteral("kód"), Qt::AlignRight | Qt::AlignVCenter, OtJegyu},
                                Oszlop{"video_nev", QStringLiteral("név")},
                                Oszlop{"tipus_nev", QStringLiteral("típus")}},
                               this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setModel(m_modell);
    RacsBeallit(DBGrid1);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 60);
    DBGrid1->setColumnWidth(1, 330);
    l->addWidget(DBGrid1, 1);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(aKeres);
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({aElfogad, aBezar});
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(p)); });

    connect(aKeres, &QAction::triggered, this, &Tfrm_VideoValaszt::aKeresExecute);
    KeresoMezo(Edit1, DBGrid1);
    CsakSzamjegy(Edit1, true);
    connect(aKeresKod, &QAction::triggered, this, &Tfrm_VideoValaszt::aKeresKodExecute);
    connect(aKeresNev, &QAction::triggered, this, &Tfrm_VideoValaszt::aKeresNevExecute);
    connect(aElfogad, &QAction::triggered, this, &Tfrm_VideoValaszt::aElfogadExecute);
    connect(aBezar, &QAction::triggered, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, &Tfrm_VideoValaszt::aElfogadExecute);
    // The row marker follows the current row however it moves (keys, mouse).
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { RacsSorJel(DBGrid1, m_modell, i.isValid() ? i.row() : -1); });
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& s) { Vedett([&] { gyorsKeres(s); }, this); });

    m_lista.szures(QStringLiteral("v.kint = 'N' AND v.tipus IN (SELECT tipus FROM tipus)"));
    m_lista.rendezes(QStringLiteral("v.azon"));
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

void Tfrm_VideoValaszt::megnyit(qint64 video)
{
    m_modell->ujratolt();
    const int s = m_lista.sor(video);
    aktualisBeallit(s >= 0 ? s : 0);
}

int Tfrm_VideoValaszt::aktualis() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    return i.isValid() ? i.row() : -1;
}

qint64 Tfrm_VideoValaszt::aktualisKulcs() const { return m_lista.kulcs(aktualis()); }

void Tfrm_VideoValaszt::aktualisBeallit(int sor)
{
    if (sor < 0 || sor >= m_lista.sorok()) return;
    const QModelIndex i = m_modell->index(sor, std::max(0, DBGrid1->currentIndex().column()));
    DBGrid1->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    DBGrid1->scrollTo(i);
    RacsSorJel(DBGrid1, m_modell, sor);
}

void Tfrm_VideoValaszt::rend(bool nev)
{
    const qint64 k = aktualisKulcs();
    m_lista.rendezes(nev ? QStringLiteral("v.video_nev COLLATE HU") : QStringLiteral("v.azon"));
    m_modell->ujratolt();
    const int s = m_lista.sor(k);
    aktualisBeallit(s >= 0 ? s : 0);
}

void Tfrm_VideoValaszt::gyorsKeres(const QString& szoveg)
{
    if (szoveg.isEmpty()) return;
    int s = -1;
    if (aKeresNev->isChecked()) {
        s = m_lista.elsoKezdodo(QStringLiteral("v.video_nev"), szoveg);
    } else {
        bool ok = false;
        const int kod = szoveg.toInt(&ok, 10);
        if (ok) s = m_lista.elso(QStringLiteral("v.azon = ?"), {kod});   // too long: no such code
    }
    if (s >= 0) aktualisBeallit(s);
}

void Tfrm_VideoValaszt::aKeresExecute() { Edit1->setFocus(Qt::ShortcutFocusReason); }

void Tfrm_VideoValaszt::aKeresKodExecute()
{
    aKeresKod->setChecked(true);
    Vedett([this] { rend(false); }, this);
    CsakSzamjegy(Edit1, true);
    Edit1->clear();
    Edit1->setFocus();
}

void Tfrm_VideoValaszt::aKeresNevExecute()
{
    aKeresNev->setChecked(true);
    Vedett([this] { rend(true); }, this);
    CsakSzamjegy(Edit1, false);
    Edit1->clear();
    Edit1->setFocus();
}

void Tfrm_VideoValaszt::aElfogadExecute()
{
    if (aktualis() >= 0) accept();
}

bool Tfrm_VideoValaszt::eventFilter(QObject* o, QEvent* e)
{
    if (o == Edit1) {
        if (e->type() == QEvent::FocusIn) QTimer::singleShot(0, Edit1, [this] { Edit1->selectAll(); });
    }
    return QDialog::eventFilter(o, e);
}

void Tfrm_VideoValaszt::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Edit1->setFocus();
}

qint64 VideoValaszt(QWidget* szulo, qint64 video)
{
    Tfrm_VideoValaszt f(szulo);
    f.megnyit(video);
    if (f.exec() != QDialog::Accepted) return -1;
    return f.aktualisKulcs();
}
