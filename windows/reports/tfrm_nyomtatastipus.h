#pragma once
// The print-type chooser "Nyomtatás típusa": printed at once, shown in the
// print preview, or written to a delimited text file; "OK" and "Mégsem".
// The same small radio-group window as the membership fee dialog.
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

class Tfrm_NyomtatasTipus : public QDialog {
    Q_OBJECT
public:
    enum Valasztas { Megsem = -1, Nyomtatas = 0, NyomtatasiKep = 1, CsvExport = 2 };

    explicit Tfrm_NyomtatasTipus(QWidget* szulo = nullptr);
    // The choice ticked (0, 1 or 2).
    int valasztas() const;

    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* Tipus[3] = {};
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;

private:
    QButtonGroup* m_csoport = nullptr;
};

// Shows the chooser modally: 0, 1 or 2 for the choice made with "OK", -1
// for "Mégsem", Esc or the close box.
int NyomtatasTipusValaszt(QWidget* szulo);
