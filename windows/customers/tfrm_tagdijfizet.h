#pragma once
// The membership fee dialog "Tagdíj fizetés": the three periods with their
// fees, the first one chosen, "OK" and "Mégsem".
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

class Tfrm_TagdijFizet : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_TagdijFizet(QWidget* szulo = nullptr);

    // The chosen period (0 quarter, 1 half year, 2 year).
    int idoszak() const;

    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* Idoszak[3] = {};
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;

private:
    QButtonGroup* m_csoport = nullptr;
};

// Shows the dialog modally; true when closed with "OK", with the chosen
// period and its fee from the settings.
bool TagdijFizetMegnyit(QWidget* szulo, int& idoszak, double& osszeg);
