#include "windows/reports/tfrm_nyomtatastipus.h"
#include "windows/common/bevitel.h"

#include <QButtonGroup>
#include <algorithm>

Tfrm_NyomtatasTipus::Tfrm_NyomtatasTipus(QWidget* szulo) : QDialog(szulo)
{
    setObjectName("Tfrm_NyomtatasTipus");
    setWindowTitle(QStringLiteral("Nyomtatás típusa"));
    const ValasztoElemek e = ValasztoDialogus(
        this, QString(), {QStringLiteral("Nyomtatás"), QStringLiteral("Nyomtatási kép"), QStringLiteral("CSV export")},
        QStringLiteral("Tipus"), Tipus);
    RadioGroup1 = e.csoport;
    m_csoport = e.gombok;
    btnOK = e.ok;
    btnMegsem = e.megsem;
}

int Tfrm_NyomtatasTipus::valasztas() const { return std::max(0, m_csoport->checkedId()); }

int NyomtatasTipusValaszt(QWidget* szulo)
{
    Tfrm_NyomtatasTipus d(szulo);
    return d.exec() == QDialog::Accepted ? d.valasztas() : Tfrm_NyomtatasTipus::Megsem;
}
