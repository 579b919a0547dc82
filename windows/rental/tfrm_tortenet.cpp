#include "windows/rental/tfrm_tortenet.h"
#include "windows/common/listakeret.h"
#include "print/common/uzenet.h"
#include "core/data/konverzio.h"
#include "print/rental/tqrtortenet.h"
#include "core/reports/listaexport.h"
#include "windows/reports/tfrm_hatarolt.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

Tfrm_Tortenet::Tfrm_Tortenet(TortenetMod mod, qint64 kulcs, QWidget* szulo)
    : QDialog(szulo), m_mod(mod), m_kulcs(kulcs), m_keret(new ListaKeret(this)), m_lista(Tortenet::Lista(mod, kulcs))
{
    setObjectName("Tfrm_Tortenet");
    setWindowTitle(QStringLiteral("Történet"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    const bool ugyfelre = mod == TortenetMod::Ugyfel;

    using K = ListaKeret::Kozos;
    ToolBar1 = m_keret->eszkoztar();
    aNyomtat = m_keret->muvelet(K::Nyomtat);
    aNyomtatKep = m_keret->muvelet(K::NyomtatKep);
    aExcelbe = m_keret->muvelet(K::Excelbe);
    aBezar = m_keret->muvelet(K::Bezar);
    ToolBar1->addActions({aNyomtat, aNyomtatKep, aExcelbe});
    ToolBar1->addSeparator();
    ToolBar1->addAction(aBezar);

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
    m_keret->elrendezes()->addWidget(panel);

    const QList<Oszlop> oszlopok = {
        {QStringLiteral("datum"), QStringLiteral("dátum")},
        {Tortenet::SorMezo(mod), ugyfelre ? QStringLiteral("tétel") : QStringLiteral("ügyfél")}};
    m_modell = new ListaModell(&m_lista, oszlopok, this);
    // The panel follows the current row however it moves.
    DBGrid1 = m_keret->racs(m_modell, [this](int sor) { aktualisValtozott(sor); });
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 90);

    m_keret->meretRogzit(QSize(460, 420));

    connect(aNyomtat, &QAction::triggered, this, &Tfrm_Tortenet::aNyomtatExecute);
    connect(aNyomtatKep, &QAction::triggered, this, &Tfrm_Tortenet::aNyomtatKepExecute);
    connect(aBezar, &QAction::triggered, this, &Tfrm_Tortenet::aBezarExecute);
    connect(aExcelbe, &QAction::triggered, this, [this] {
        Hatarolt::Forras f = ListaExport::Tortenet(m_lista);
        f.sorok = m_lista.sorok();
        HataroltExport(this, f, QString::fromLatin1(ListaExport::TortenetFajl));
    });
}

void Tfrm_Tortenet::nyit()
{
    m_modell->ujratolt();
    m_keret->aktualisBeallit(0);
    aktualisValtozott(aktualis());
}

int Tfrm_Tortenet::aktualis() const { return m_keret->aktualis(); }

void Tfrm_Tortenet::aktualisValtozott(int sor)
{
    DBText1->setText(VarSzoveg(m_lista.ertek(sor, Tortenet::FejMezo(m_mod))));
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
