#include "windows/app/tfrm_keres.h"
#include "core/app/keres.h"
#include "core/app/videotabla.h"
#include "windows/common/bevitel.h"
#include "windows/common/keplista.h"
#include "windows/common/listakeret.h"
#include "windows/common/racs.h"
#include "print/common/uzenet.h"
#include "core/data/konverzio.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>


namespace {

QPushButton* gomb(QWidget* szulo, const char* nev, const QString& felirat)
{
    auto* b = new QPushButton(felirat, szulo);
    b->setObjectName(QString::fromLatin1(nev));
    b->setMinimumWidth(75);
    return b;
}

} // namespace

Tfrm_Keres::Tfrm_Keres(QWidget* szulo, KeresJelentesFv jelentes)
    : QDialog(szulo), m_keret(new ListaKeret(this)), m_jelentes(std::move(jelentes)), m_lista(KeresLista())
{
    setObjectName("Tfrm_Keres");
    setWindowTitle(QStringLiteral("Tétel keresése"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    m_keret->elrendezes()->setContentsMargins(4, 4, 4, 4);

    // ---- "Keresés": the criteria, the page in front of the list ------------------
    TabSheet1 = new QWidget;
    auto* l1 = new QVBoxLayout(TabSheet1);
    l1->setContentsMargins(12, 12, 12, 8);
    Label1 = new QLabel(QStringLiteral("Keresendő szöveg"), TabSheet1);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(TabSheet1);
    Edit1->setObjectName("Edit1");
    Label1->setBuddy(Edit1);
    Label2 = new QLabel(QStringLiteral("A keresés a megnevezés, a szöveg, és a műfaj mezőkben történik"), TabSheet1);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    Button1 = gomb(TabSheet1, "Button1", QStringLiteral("Keres"));
    Button2 = gomb(TabSheet1, "Button2", QStringLiteral("Bezár"));
    l1->addWidget(Label1);
    l1->addWidget(Edit1);
    l1->addSpacing(8);
    l1->addWidget(Label2);
    l1->addStretch(1);
    auto* g1 = new QHBoxLayout;
    g1->addStretch(1);
    g1->addWidget(Button1);
    g1->addWidget(Button2);
    l1->addLayout(g1);

    // ---- "Eredmény" -------------------------------------------------------------
    QVBoxLayout* l2 = m_keret->lapokkal(TabSheet1, QStringLiteral("Keresés"), QStringLiteral("Eredmény"),
                                        KepLista::ikon(QStringLiteral("aKeres")),
                                        KepLista::ikon(QStringLiteral("aKeres1")), 4);
    TabSheet2 = l2->parentWidget();
    PageControl1 = m_keret->PageControl1();
    // Tabs light up under the mouse.
    PageControl1->tabBar()->setAttribute(Qt::WA_Hover, true);
    m_modell = new ListaModell(&m_lista,
                               {Oszlop{"azon", QStringLiteral("kód"), Qt::AlignRight | Qt::AlignVCenter, OtJegyu},
                                Oszlop{"video_nev", QStringLiteral("név")}, Oszlop{"tipus_nev", QStringLiteral("típus")}},
                               this);
    DBGrid1 = m_keret->racs(m_modell);
    DBGrid1->setColumnWidth(0, 50);
    DBGrid1->setColumnWidth(1, 250);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    Button5 = gomb(TabSheet2, "Button5", QStringLiteral("Nyomtat"));
    Button3 = gomb(TabSheet2, "Button3", QStringLiteral("Megvan"));
    Button4 = gomb(TabSheet2, "Button4", QStringLiteral("Bezár"));
    Button5->setEnabled(false);
    Button3->setEnabled(false);
    auto* g2 = new QHBoxLayout;
    g2->addWidget(Button5);
    g2->addStretch(1);
    g2->addWidget(Button3);
    g2->addWidget(Button4);
    l2->addLayout(g2);

    // Enter presses the default button of the page in front; Esc (the
    // dialog's own) closes from either page as "Bezár" does.
    for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) b->setAutoDefault(false);
    FokuszSzinAlkalmaz(this);
    setFixedSize(456, 242);

    connect(Button1, &QPushButton::clicked, this, &Tfrm_Keres::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, &Tfrm_Keres::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button5, &QPushButton::clicked, this, &Tfrm_Keres::Button5Click);
    connect(DBGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid()) Button3Click();
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, &Tfrm_Keres::lapValtott);
    lapValtott(0);
}

void Tfrm_Keres::lapValtott(int lap)
{
    (lap == 0 ? Button1 : Button3)->setDefault(true);
    (lap == 0 ? Button3 : Button1)->setDefault(false);
}

void Tfrm_Keres::helyBeallit(QWidget* fo)
{
    if (!fo) return;
    fo = fo->window();
    // The frame of this window is not known before it is shown: it is taken
    // to be as wide as the main window's.
    const QRect kulso = fo->frameGeometry(), belso = fo->geometry();
    const QSize keret(kulso.width() - belso.width(), kulso.height() - belso.height());
    const QSize sajat = size() + keret;
    move(kulso.left() + kulso.width() - sajat.width() - 25, kulso.top() + kulso.height() - sajat.height() - 25);
}

void Tfrm_Keres::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (PageControl1->currentIndex() == 0) Edit1->setFocus();
}

int Tfrm_Keres::aktualis() const { return m_keret->aktualis(); }

qint64 Tfrm_Keres::talaltKulcs() const { return m_lista.kulcs(aktualis()); }

void Tfrm_Keres::Button1Click()
{
    const QString szoveg = Edit1->text();
    int db = 0;
    const bool ok = Vedett([&] { m_modell->valtozas([&] { db = KeresFuttat(m_lista, szoveg); }); }, this);
    RacsSorJel(DBGrid1, m_modell, -1);
    if (!ok) return;
    m_szoveg = szoveg;
    m_keresett = true;
    if (db == 0) {
        HibaAblak(QString::fromUtf8(KeresNincsTalalat), this);
        Edit1->setFocus();
        return;
    }
    Button3->setEnabled(true);
    Button5->setEnabled(true);
    PageControl1->setCurrentWidget(TabSheet2);
    DBGrid1->selectionModel()->setCurrentIndex(m_modell->index(0, 1),
                                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    DBGrid1->setFocus();
}

void Tfrm_Keres::Button3Click()
{
    // After a search that found nothing the button stays enabled over an
    // empty list: there is nothing to choose, and the window stays open.
    if (talaltKulcs() < 0) return;
    accept();
}

void Tfrm_Keres::Button5Click()
{
    if (!m_keresett || !m_jelentes) return;
    Vedett([this] {
        const KeresUtasitas u = KeresNyomtatando(m_szoveg);
        m_jelentes(u.sql, u.param, QString::fromUtf8(KeresJelentesCim), this);
    }, this);
}

bool TetelKeres(QWidget* fo, VideoTabla& tbl, KeresJelentesFv jelentes)
{
    Tfrm_Keres ablak(fo, std::move(jelentes));
    ablak.helyBeallit(fo);
    if (ablak.exec() != QDialog::Accepted) return false;
    const qint64 video = ablak.talaltKulcs();
    return video >= 0 && tbl.keresKulcs(video);
}
