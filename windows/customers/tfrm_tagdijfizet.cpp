#include "windows/customers/tfrm_tagdijfizet.h"
#include "windows/common/bevitel.h"
#include "core/customers/tagdij.h"

#include <QButtonGroup>
#include <algorithm>

Tfrm_TagdijFizet::Tfrm_TagdijFizet(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_TagdijFizet");
    setWindowTitle(QStringLiteral("Tagdíj fizetés"));
    QStringList feliratok;
    for (int i = 0; i < Tagdij::IdoszakSzam; ++i) feliratok << Tagdij::Felirat(i);
    const ValasztoElemek e = ValasztoDialogus(this, QStringLiteral("Időszak"), feliratok, QStringLiteral("Idoszak"), Idoszak);
    RadioGroup1 = e.csoport;
    m_csoport = e.gombok;
    btnOK = e.ok;
    btnMegsem = e.megsem;
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
