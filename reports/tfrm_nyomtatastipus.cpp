#include "reports/tfrm_nyomtatastipus.h"
#include "common/bevitel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

Tfrm_NyomtatasTipus::Tfrm_NyomtatasTipus(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_NyomtatasTipus");
    setWindowTitle(QStringLiteral("Nyomtatás típusa"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    RadioGroup1 = new QGroupBox(this);
    RadioGroup1->setObjectName("RadioGroup1");
    auto* valasztasok = new QVBoxLayout(RadioGroup1);
    m_csoport = new QButtonGroup(this);
    const QString feliratok[3] = {QStringLiteral("Nyomtatás"), QStringLiteral("Nyomtatási kép"),
                                  QStringLiteral("CSV export")};
    for (int i = 0; i < 3; ++i) {
        Tipus[i] = new QRadioButton(feliratok[i], RadioGroup1);
        Tipus[i]->setObjectName(QStringLiteral("Tipus%1").arg(i));
        m_csoport->addButton(Tipus[i], i);
        valasztasok->addWidget(Tipus[i]);
    }
    Tipus[Nyomtatas]->setChecked(true);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName("btnOK");
    // Enter on a choice (or anywhere but on "Mégsem") accepts it.
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

    // Wide enough for the caption in the title bar as well as the choices.
    setFixedSize(sizeHint().expandedTo(QSize(CimSzelesseg(windowTitle()), 0)));
    Tipus[Nyomtatas]->setFocus();
    if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
}

int Tfrm_NyomtatasTipus::valasztas() const { return std::max(0, m_csoport->checkedId()); }

int NyomtatasTipusValaszt(QWidget* szulo)
{
    Tfrm_NyomtatasTipus d(szulo);
    return d.exec() == QDialog::Accepted ? d.valasztas() : Tfrm_NyomtatasTipus::Megsem;
}
