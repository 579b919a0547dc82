#include "windows/admin/tfrm_sql.h"
#include "print/reports/gyorshatarolt.h"
#include "windows/common/kodszerkeszto.h"
#include "windows/common/kozepre.h"
#include "windows/common/listakeret.h"
#include "windows/common/muvelet.h"
#include "print/common/parbeszed.h"
#include "print/common/uzenet.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QIcon>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString SqlHiba = QStringLiteral("SQL hiba:\r\n");

// A name typed without an extension gets the dialog's default one.
QString kiterjesztessel(const QString& fajl, const QString& kiterjesztes)
{
    return QFileInfo(fajl).suffix().isEmpty() ? fajl + u'.' + kiterjesztes : fajl;
}

} // namespace

Tfrm_SQL::Tfrm_SQL(QWidget* szulo) : QDialog(szulo), m_keret(new ListaKeret(this))
{
    setObjectName("Tfrm_SQL");
    setWindowTitle(QStringLiteral("SQL lekérdezés"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    aUj = MuveletKeszit(this, "aUj", QStringLiteral("Új SQL"), {QKeySequence(Qt::CTRL | Qt::Key_N)});
    aMegnyit = MuveletKeszit(this, "aMegnyit", QStringLiteral("SQL megnyitása"), {QKeySequence(Qt::CTRL | Qt::Key_O)});
    aMent = MuveletKeszit(this, "aMent", QStringLiteral("SQL mentése"), {QKeySequence(Qt::CTRL | Qt::Key_S)});
    aExport = MuveletKeszit(this, "aExport", QStringLiteral("Export"), {QKeySequence(Qt::CTRL | Qt::Key_E)});
    aBezar = MuveletKeszit(this, "aBezar", QStringLiteral("Bezár"));
    aKivag = MuveletKeszit(this, "aKivag", QStringLiteral("Kivág"), {QKeySequence(Qt::CTRL | Qt::Key_X)});
    aMasol = MuveletKeszit(this, "aMasol", QStringLiteral("Másol"), {QKeySequence(Qt::CTRL | Qt::Key_C)});
    aBeilleszt = MuveletKeszit(this, "aBeilleszt", QStringLiteral("Beilleszt"), {QKeySequence(Qt::CTRL | Qt::Key_V)});
    aMindet = MuveletKeszit(this, "aMindet", QStringLiteral("Mindet kijelöl"), {QKeySequence(Qt::CTRL | Qt::Key_A)});
    aFuttat = MuveletKeszit(this, "aFuttat", QStringLiteral("SQL lekérdezés"), {QKeySequence(Qt::Key_F5)});
    aExport->setEnabled(false);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    QMenu* fajl = MainMenu1->addMenu(QStringLiteral("Fájl"));
    fajl->addActions({aUj, aMegnyit, aMent});
    fajl->addSeparator();
    fajl->addAction(aExport);
    fajl->addSeparator();
    fajl->addAction(aBezar);
    QMenu* szerk = MainMenu1->addMenu(QStringLiteral("Szerkesztés"));
    szerk->addActions({aKivag, aMasol, aBeilleszt});
    szerk->addSeparator();
    szerk->addAction(aMindet);
    QMenu* sql = MainMenu1->addMenu(QStringLiteral("SQL"));
    sql->addAction(aFuttat);
    m_keret->elrendezes()->setMenuBar(MainMenu1);

    ToolBar1 = m_keret->eszkoztar(false);
    ToolBar1->addActions({aUj, aMegnyit, aMent});
    ToolBar1->addSeparator();
    ToolBar1->addAction(aExport);
    ToolBar1->addSeparator();
    ToolBar1->addAction(aFuttat);
    ToolBar1->addSeparator();
    ToolBar1->addActions({aKivag, aMasol, aBeilleszt});
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);

    // The statement editor is the page in front of the result grid.
    TabSheet1 = new QWidget;
    auto* l1 = new QVBoxLayout(TabSheet1);
    l1->setContentsMargins(0, 0, 0, 0);
    SqlSzerkeszto = new KodSzerkeszto(TabSheet1);
    SqlSzerkeszto->setObjectName("SqlSzerkeszto");
    SqlSzerkeszto->aktualisSorSzin(QColor(0xE1, 0xF0, 0xFF));
    SqlSzerkeszto->sqlSzinezes(true);
    QFont betu(QStringLiteral("Monospace"));
    betu.setStyleHint(QFont::TypeWriter);
    betu.setPointSize(font().pointSize());
    SqlSzerkeszto->setFont(betu);
    l1->addWidget(SqlSzerkeszto);
    TabSheet2 = m_keret->lapokkal(TabSheet1, QStringLiteral("SQL"), QStringLiteral("Eredmény"), QIcon(), QIcon())
                    ->parentWidget();
    PageControl1 = m_keret->PageControl1();
    // The result marks its current row itself (it is no list of keys).
    DBGrid1 = m_keret->racs(&m_qry, [this](int sor) {
        m_qry.aktualisSorBeallit(sor);
        DBGrid1->verticalHeader()->viewport()->update();
    });
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->horizontalHeader()->setDefaultSectionSize(64);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->addAction(aFuttat);
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({aUj, aMegnyit, aMent});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({aKivag, aMasol, aBeilleszt, aMindet});
    SqlSzerkeszto->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SqlSzerkeszto, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(SqlSzerkeszto->viewport()->mapToGlobal(p)); });
    PopupMenu2 = m_keret->menu();
    PopupMenu2->setObjectName("PopupMenu2");
    PopupMenu2->addAction(aMasol);
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(aExport);

    connect(aUj, &QAction::triggered, this, &Tfrm_SQL::aUjExecute);
    connect(aMegnyit, &QAction::triggered, this, &Tfrm_SQL::aMegnyitExecute);
    connect(aMent, &QAction::triggered, this, &Tfrm_SQL::aMentExecute);
    connect(aExport, &QAction::triggered, this, &Tfrm_SQL::aExportExecute);
    connect(aBezar, &QAction::triggered, this, &Tfrm_SQL::aBezarExecute);
    connect(aKivag, &QAction::triggered, this, &Tfrm_SQL::aKivagExecute);
    connect(aMasol, &QAction::triggered, this, &Tfrm_SQL::aMasolExecute);
    connect(aBeilleszt, &QAction::triggered, this, &Tfrm_SQL::aBeillesztExecute);
    connect(aMindet, &QAction::triggered, this, &Tfrm_SQL::aMindetExecute);
    connect(aFuttat, &QAction::triggered, this, &Tfrm_SQL::aFuttatExecute);
    // The editing actions belong to the editor: greyed out over the result.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        const bool be = szerkesztheto();
        for (QAction* a : {aKivag, aMasol, aBeilleszt, aMindet}) a->setEnabled(be);
    });

    resize(585, 405);
    if (szulo) Kozepre(this, szulo->window()->frameGeometry());
}

Tfrm_SQL::~Tfrm_SQL() { lekerdezesZar(); }

void Tfrm_SQL::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    SqlSzerkeszto->setFocus();
}

// Esc is no way out here: a statement being typed would go with the window.
void Tfrm_SQL::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Tfrm_SQL::done(int r)
{
    lekerdezesZar();
    m_kapcsolat.zar();
    QDialog::done(r);
}

bool Tfrm_SQL::szerkesztheto() const { return PageControl1->currentWidget() == TabSheet1; }

void Tfrm_SQL::lekerdezesZar()
{
    m_qry.zar();
    aExport->setEnabled(false);
}

void Tfrm_SQL::aUjExecute() { SqlSzerkeszto->clear(); }

void Tfrm_SQL::aMegnyitExecute()
{
    QString fajl = parbeszed().megnyitandoFajl(this, QStringLiteral("SQL megnyitás"), SzabadSql::Mappa(),
                                               QStringLiteral("SQL állományok (*.sql)"));
    if (fajl.isEmpty()) return;
    if (!QFileInfo::exists(fajl) && QFileInfo::exists(kiterjesztessel(fajl, QStringLiteral("sql"))))
        fajl = kiterjesztessel(fajl, QStringLiteral("sql"));
    Vedett([&] {
        SqlSzerkeszto->setPlainText(SzabadSql::FajlOlvas(fajl));
        m_fajlNev = fajl;
    }, this);
}

void Tfrm_SQL::aMentExecute()
{
    const QString javasolt = m_fajlNev.isEmpty() ? SzabadSql::Mappa() + u'/'
                             : QFileInfo(m_fajlNev).isAbsolute() ? m_fajlNev
                                                                 : SzabadSql::Mappa() + u'/' + m_fajlNev;
    QString fajl = parbeszed().mentendoFajl(this, QStringLiteral("SQL mentése"), javasolt,
                                            QStringLiteral("SQL file-ok (*.sql)"));
    if (fajl.isEmpty()) return;
    fajl = kiterjesztessel(fajl, QStringLiteral("sql"));
    Vedett([&] {
        SzabadSql::FajlIr(fajl, SqlSzerkeszto->toPlainText());
        m_fajlNev = fajl;
    }, this);
}

void Tfrm_SQL::aExportExecute()
{
    if (!m_qry.nyitva()) return;
    QString fajl = parbeszed().mentendoFajl(this, QStringLiteral("Export"),
                                            m_exportNev.isEmpty() ? QStringLiteral("Tarlo3_exp.csv") : m_exportNev,
                                            QStringLiteral("CSV állományok (*.csv)"));
    if (fajl.isEmpty()) return;
    fajl = kiterjesztessel(fajl, QStringLiteral("csv"));
    m_exportNev = fajl;
    // The rows are read again from the engine; the grid keeps its place.
    Vedett([&] {
        GyorsHatarolt(this, Hatarolt::LekerdezesForras(m_qry.sql(), {}, m_kapcsolat.db()), QStringLiteral("Qry"), fajl,
                      QStringLiteral("|"));
    }, this);
}

void Tfrm_SQL::aBezarExecute() { reject(); }

void Tfrm_SQL::aKivagExecute()
{
    if (szerkesztheto()) SqlSzerkeszto->cut();
}

void Tfrm_SQL::aMasolExecute()
{
    if (szerkesztheto()) SqlSzerkeszto->copy();
}

void Tfrm_SQL::aBeillesztExecute()
{
    if (szerkesztheto()) SqlSzerkeszto->paste();
}

void Tfrm_SQL::aMindetExecute()
{
    if (szerkesztheto()) SqlSzerkeszto->selectAll();
}

void Tfrm_SQL::aFuttatExecute()
{
    lekerdezesZar();
    const QString kijelolt = SqlSzerkeszto->kijeloltSzoveg();
    const QString utasitas = kijelolt.isEmpty() ? SqlSzerkeszto->toPlainText() : kijelolt;
    if (SzabadSql::Lekerdezes(utasitas)) {
        try {
            m_qry.nyit(m_kapcsolat, utasitas);
        } catch (const AdatbazisHiba& e) {
            HibaAblak(SqlHiba + e.uzenet(), this);
            return;
        }
        PageControl1->setCurrentWidget(TabSheet2);
        for (int i = 0; i < m_qry.columnCount(); ++i) DBGrid1->setColumnWidth(i, 64);
        if (m_qry.rowCount() > 0)
            DBGrid1->selectionModel()->setCurrentIndex(m_qry.index(0, 0), QItemSelectionModel::ClearAndSelect |
                                                                               QItemSelectionModel::Rows);
        aExport->setEnabled(true);
        return;
    }
    try {
        m_kapcsolat.Vegrehajt(utasitas);
    } catch (const AdatbazisHiba& e) {
        HibaAblak(SqlHiba + e.uzenet(), this);
        return;
    }
    UzenetAblak(QStringLiteral("SQL futtatás kész."), this);
}

void SqlMegnyit(QWidget* szulo)
{
    Tfrm_SQL ablak(szulo);
    ablak.exec();
}
