#include "windows/common/listakeret.h"
#include "core/common/listamodell.h"
#include "print/common/uzenet.h"
#include "windows/common/gyorskereso.h"
#include "windows/common/kozepre.h"
#include "windows/common/muvelet.h"
#include "windows/common/racs.h"

#include <QAction>
#include <QDialog>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

ListaKeret::ListaKeret(QDialog* ablak, QTableView* racs)
    : QObject(ablak), m_ablak(ablak), m_elrendezes(new QVBoxLayout(ablak)), m_racs(racs)
{
    m_elrendezes->setContentsMargins(0, 0, 0, 0);
    m_elrendezes->setSpacing(0);
}

void ListaKeret::racsKeszit(QWidget* szulo)
{
    // Made when it is placed, so that Tab reaches it in its place among
    // the window's controls.
    if (!m_racs) m_racs = new QTableView(szulo);
    else m_racs->setParent(szulo);
    m_racs->setObjectName("DBGrid1");
}

QToolBar* ListaKeret::eszkoztar(bool feliratok)
{
    if (m_eszkoztar) return m_eszkoztar;
    m_eszkoztar = new QToolBar(m_ablak);
    m_eszkoztar->setObjectName("ToolBar1");
    // Captions under small icons: the whole row of buttons fits a small window.
    m_eszkoztar->setToolButtonStyle(feliratok ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_eszkoztar->setIconSize(QSize(16, 16));
    m_elrendezes->addWidget(m_eszkoztar);
    return m_eszkoztar;
}

QLineEdit* ListaKeret::kereso(GyorsKereses::Mod mod, std::function<void(const GyorsKereses::Kerdes&)> kereses,
                              bool racsLeptet)
{
    QToolBar* tb = eszkoztar();
    m_edit = new QLineEdit(tb);
    m_edit->setObjectName("Edit1");
    m_edit->setFixedWidth(121);
    m_kereso = new GyorsKereso(m_edit, mod, std::move(kereses), racsLeptet ? m_racs : nullptr);   // after racs()
    m_kereso->helyRacs(m_racs);
    tb->addWidget(m_edit);
    tb->addSeparator();
    return m_edit;
}

namespace {

// Shows page `lap` and gives the focus to its first control.
void lapraLep(QTabWidget* lapok, int lap)
{
    lapok->setCurrentIndex(lap);
    QWidget* oldal = lapok->currentWidget();
    // The page's first control in the window's Tab order.
    for (QWidget* w = oldal->nextInFocusChain(); w && w != oldal; w = w->nextInFocusChain()) {
        if (!oldal->isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(oldal)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

QVBoxLayout* ListaKeret::lapokkal(QWidget* elolap, const QString& elolapCim, const QString& racsLapCim,
                                  const QIcon& elolapIkon, const QIcon& racsLapIkon, int racsLapMargo)
{
    m_lapok = new QTabWidget(m_ablak);
    m_lapok->setObjectName("PageControl1");
    elolap->setObjectName("TabSheet1");
    m_lapok->addTab(elolap, elolapIkon, elolapCim);
    auto* lap = new QWidget;
    lap->setObjectName("TabSheet2");
    m_racsHely = new QVBoxLayout(lap);
    m_racsHely->setContentsMargins(racsLapMargo, racsLapMargo, racsLapMargo, racsLapMargo);
    racsKeszit(lap);
    m_lapok->addTab(lap, racsLapIkon, racsLapCim);
    m_elrendezes->addWidget(m_lapok, 1);
    // The pages turn from whatever control has the focus (the grid keeps
    // these keys to itself otherwise), and the focus goes with them.
    const auto lapoz = [this](int irany) {
        const int n = m_lapok->count();
        lapraLep(m_lapok, (m_lapok->currentIndex() + irany + n) % n);
    };
    for (const auto& [billentyu, irany] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1}, std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},   // Backtab as well
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
          // F6 goes to the other pane, as it does elsewhere.
          std::pair{QKeySequence(Qt::Key_F6), 1}, std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), -1}}) {
        auto* r = new QShortcut(billentyu, m_lapok, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(r, &QShortcut::activated, this, [lapoz, irany = irany] { lapoz(irany); });
    }
    return m_racsHely;
}

QTableView* ListaKeret::racs(QAbstractItemModel* modell, std::function<void(int)> sorValtozott)
{
    if (!m_racsHely) racsKeszit(m_ablak);
    m_racs->setModel(modell);
    m_modell = qobject_cast<ListaModell*>(modell);
    RacsBeallit(m_racs);
    if (m_racsHely) m_racsHely->addWidget(m_racs, 1);
    else m_elrendezes->addWidget(m_racs, 1);
    // The row marker (and what the window shows of the row) follows the
    // current row however it moves: keys, mouse, search.
    connect(m_racs->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, f = std::move(sorValtozott)](const QModelIndex& i) {
                const int sor = i.isValid() ? i.row() : -1;
                if (m_modell) RacsSorJel(m_racs, m_modell, sor);
                if (f) f(sor);
            });
    return m_racs;
}

QMenu* ListaKeret::menu()
{
    if (m_menu) return m_menu;
    m_menu = new QMenu(m_ablak);
    m_racs->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_racs, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_menu->popup(m_racs->viewport()->mapToGlobal(p)); });
    return m_menu;
}

QAction* ListaKeret::muvelet(Kozos k, const QString& felirat)
{
    struct Leiras {
        const char* nev;
        const char* felirat;
        QList<QKeySequence> billentyuk;
        const char* tipp;
    };
    static const Leiras leirasok[] = {
        {"aUj", "Új sor", {QKeySequence(Qt::Key_Insert)}, nullptr},
        {"aSzerkeszt", "Szerkeszt", {QKeySequence(Qt::Key_F2)}, nullptr},
        {"aTorol", "Sor törlése", {QKeySequence(Qt::CTRL | Qt::Key_Delete)}, nullptr},
        {"aKeres", "Kereső", {QKeySequence(Qt::CTRL | Qt::Key_F)}, "Ugrás a keresőbe"},
        {"aElfogad", "Elfogad", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, nullptr},
        {"aBezar", "Bezár", {QKeySequence(Qt::Key_Escape)}, nullptr},
        {"aNyomtat", "Nyomtat", {QKeySequence(Qt::CTRL | Qt::Key_P)}, nullptr},
        {"aNyomtatKep", "Nyomtatási kép", {QKeySequence(Qt::CTRL | Qt::Key_K)}, nullptr},
        {"aExcelbe", "Excelbe...", {QKeySequence(Qt::CTRL | Qt::Key_E)}, nullptr},
    };
    const Leiras& l = leirasok[int(k)];
    QAction* a = MuveletKeszit(m_ablak, QString::fromLatin1(l.nev),
                               felirat.isEmpty() ? QString::fromUtf8(l.felirat) : felirat, l.billentyuk,
                               l.tipp ? QString::fromUtf8(l.tipp) : QString());
    // A tool button drops a caption's trailing dots unless told otherwise.
    if (a->text().endsWith(QStringLiteral("..."))) a->setIconText(a->text());
    return a;
}

int ListaKeret::aktualis() const
{
    const QModelIndex i = m_racs->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ListaKeret::aktualisBeallit(int sor)
{
    QAbstractItemModel* m = m_racs->model();
    if (!m || m->rowCount() == 0) return;
    sor = std::clamp(sor, 0, m->rowCount() - 1);
    const QModelIndex i = m->index(sor, std::max(0, m_racs->currentIndex().column()));
    m_racs->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_racs->scrollTo(i);
    if (m_modell) RacsSorJel(m_racs, m_modell, sor);
}

bool ListaKeret::torlesKerdes()
{
    return KerdesAblak(QString::fromUtf8(TorlesKerdes), QString::fromUtf8(TorlesCim), m_ablak);
}

void ListaKeret::meretRogzit(QSize meret)
{
    const int szeles = m_eszkoztar ? std::max(meret.width(), m_eszkoztar->sizeHint().width()) : meret.width();
    m_ablak->setFixedSize(szeles, meret.height());
    Kozepre(m_ablak);
}
