#include "customers/tfrm_tagdijfizet.h"
#include "common/bevitel.h"
#include "customers/tagdij.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

Tfrm_TagdijFizet::Tfrm_TagdijFizet(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_TagdijFizet");
    setWindowTitle(QStringLiteral("Tagdíj fizetés"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    RadioGroup1 = new QGroupBox(QStringLiteral("Időszak"), this);
    RadioGroup1->setObjectName("RadioGroup1");
    auto* valasztasok = new QVBoxLayout(RadioGroup1);
    m_csoport = new QButtonGroup(this);
    for (int i = 0; i < Tagdij::IdoszakSzam; ++i) {
        Idoszak[i] = new QRadioButton(Tagdij::Felirat(i), RadioGroup1);
        Idoszak[i]->setObjectName(QStringLiteral("Idoszak%1").arg(i));
        m_csoport->addButton(Idoszak[i], i);
        valasztasok->addWidget(Idoszak[i]);
    }
    Idoszak[0]->setChecked(true);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    // Enter on a period (or anywhere but on "Mégsem") pays.
    btnOK->setDefault(true);
    btnMegsem = new QPushButton(QStringLiteral("Mégsem"), this);
    btnMegsem->setObjectName("btnMegsem");
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnMegsem, &QPushButton::clicked, this, &QDialog::reject);   // Esc and the close box reject as well

    auto* gombok = new QHBoxLayout;
    gombok->addStretch(1);
    gombok->addWidget(btnOK);
    gombok->addWidget(btnMegsem);
    gombok->addStretch(1);
    auto* elrendezes = new QVBoxLayout(this);
    elrendezes->setContentsMargins(12, 10, 12, 12);
    elrendezes->setSpacing(12);
    elrendezes->addWidget(RadioGroup1);
    elrendezes->addLayout(gombok);

    // Wide enough for the caption in the title bar as well as the fees.
    const QSize meret = sizeHint().expandedTo(QSize(CimSzelesseg(windowTitle()), 0));
    setFixedSize(meret);
    Idoszak[0]->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

int Tfrm_TagdijFizet::idoszak() const { return std::max(0, m_csoport->checkedId()); }

bool TagdijFizetMegnyit(QWidget* szulo, int& idoszak, double& osszeg)
{
    Tfrm_TagdijFizet d(szulo);
    if (d.exec() != QDialog::Accepted) return false;
    idoszak = d.idoszak();
    osszeg = Tagdij::Osszeg(idoszak);
    return true;
}
