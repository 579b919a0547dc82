#include "windows/rental/tfrm_tortenet.h"
#include "windows/common/muvelet.h"
#include "windows/common/racs.h"
#include "print/common/uzenet.h"
#include "core/data/konverzio.h"
#include "print/rental/tqrtortenet.h"
#include "core/reports/listaexport.h"
#include "windows/reports/tfrm_hatarolt.h"

#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

Tfrm_Tortenet::Tfrm_Tortenet(TortenetMod mod, qint64 kulcs, QWidget* szulo)
    : QDialog(szulo), m_mod(mod), m_kulcs(kulcs), m_lista(Tortenet::Lista(mod, kulcs))
{
    setObjectName("Tfrm_Tortenet");
    setWindowTitle(QStringLiteral("Történet"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    const bool ugyfelre = mod == TortenetMod::Ugyfel;

    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(0, 0, 0, 0);
    elrendezes->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(16, 16));
    aNyomtat = MuveletKeszit(this, "aNyomtat", QStringLiteral("Nyomtat"), {QKeySequence(Qt::CTRL | Qt::Key_P)});
    aNyomtatKep = MuveletKeszit(this, "aNyomtatKep", QStringLiteral("Nyomtatási kép"), {QKeySequence(Qt::CTRL | Qt::Key_K)});
    aExcelbe = MuveletKeszit(this, "aExcelbe", QStringLiteral("Excelbe..."), {QKeySequence(Qt::CTRL | Qt::Key_E)});
    aBezar = MuveletKeszit(this, "aBezar", QStringLiteral("Bezár"), {QKeySequence(Qt::Key_Escape)});
    // A tool button drops a caption's trailing dots unless told otherwise.
    aExcelbe->setIconText(aExcelbe->text());
    ToolBar1->addActions({aNyomtat, aNyomtatKep, aExcelbe});
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);
    elrendezes->addWidget(ToolBar1);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    auto* sor = new QHBoxLayout(panel);
    sor->setContentsMargins(2, 3, 2, 3);
    sor->setSpacing(0);
    Label1 = new QLabel(ugyfelre ? QStringLiteral("  ügyfél   ") : QStringLiteral("   Tétel:   "), panel);
    Label1->setObjectName("Label1");
    Label1->setTextFormat(Qt::PlainText);
    DBText1 = new QLabel(panel);
    DBText1->setObjectName("DBText1");
    DBText1->setTextFormat(Qt::PlainText);
    QFont f = DBText1->font();
    f.setBold(true);
    DBText1->setFont(f);
    sor->addWidget(Label1);
    sor->addWidget(DBText1, 1);
    elrendezes->addWidget(panel);

    const QList<Oszlop> oszlopok = {
        {QStringLiteral("datum"), QStringLiteral("dátum")},
        {Tortenet::SorMezo(mod), ugyfelre ? QStringLiteral("tétel") : QStringLiteral("ügyfél")}};
    m_modell = new ListaModell(&m_lista, oszlopok, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName("DBGrid1");
    DBGrid1->setModel(m_modell);
    RacsBeallit(DBGrid1);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 90);
    elrendezes->addWidget(DBGrid1, 1);

    setFixedSize(std::max(460, ToolBar1->sizeHint().width()), 420);
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());

    connect(aNyomtat, &QAction::triggered, this, &Tfrm_Tortenet::aNyomtatExecute);
    connect(aNyomtatKep, &QAction::triggered, this, &Tfrm_Tortenet::aNyomtatKepExecute);
    connect(aBezar, &QAction::triggered, this, &Tfrm_Tortenet::aBezarExecute);
    connect(aExcelbe, &QAction::triggered, this, [this] {
        Hatarolt::Forras f = ListaExport::Tortenet(m_lista);
        f.sorok = m_lista.sorok();
        HataroltExport(this, f, QString::fromLatin1(ListaExport::TortenetFajl));
    });
    // The panel and the row marker follow the current row however it moves.
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) { aktualisValtozott(i.isValid() ? i.row() : -1); });
}

void Tfrm_Tortenet::nyit()
{
    m_modell->ujratolt();
    if (m_lista.sorok() > 0) {
        const QModelIndex i = m_modell->index(0, 0);
        DBGrid1->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    aktualisValtozott(aktualis());
}

int Tfrm_Tortenet::aktualis() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void Tfrm_Tortenet::aktualisValtozott(int sor)
{
    DBText1->setText(VarSzoveg(m_lista.ertek(sor, Tortenet::FejMezo(m_mod))));
    RacsSorJel(DBGrid1, m_modell, sor);
}

void Tfrm_Tortenet::aNyomtatExecute()
{
    Vedett([this] { TortenetNyomtat(m_mod, m_kulcs, Kimenet::nyomtato(), this); }, this);
}

void Tfrm_Tortenet::aNyomtatKepExecute()
{
    Vedett([this] { TortenetNyomtat(m_mod, m_kulcs, Kimenet::elonezet(), this); }, this);
}

void Tfrm_Tortenet::aBezarExecute() { reject(); }

void TortenetMegnyit(QWidget* szulo, TortenetMod mod, qint64 kulcs)
{
    Tfrm_Tortenet ablak(mod, kulcs, szulo);
    ablak.nyit();
    ablak.exec();
}
