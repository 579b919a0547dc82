#pragma once
// The barcode window "Vonalkód nyomtatás": labels for a range of codes,
// whether or not items have those codes yet, or the cards of the listed
// customers whose codes are in the range; printed or previewed; stays open
// for further ranges.
#include "core/reports/vkod.h"

#include <QDialog>

struct Kimenet;
class QAction;
class QCheckBox;
class QGroupBox;
class QRadioButton;
class QLabel;
class QLineEdit;
class QPushButton;

class Tfrm_VKod : public QDialog {
    Q_OBJECT
public:
    // The check box starts from TBeall.VK_Kazettora.
    explicit Tfrm_VKod(QWidget* szulo = nullptr);

    QGroupBox* GroupBox1 = nullptr;   // "Címkék"
    QRadioButton* RadioButton1 = nullptr;   // "Tételek" (Alt+T): item labels, item codes
    QRadioButton* RadioButton2 = nullptr;   // "Ügyfélkártyák" (Alt+G): customer cards, customer codes
    QCheckBox* CheckBox1 = nullptr;   // "A kód számmal is kiírva"
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;       // first code
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;       // last code
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QAction* aNyomtat = nullptr;
    QAction* aNyomtatKep = nullptr;
    QAction* aBezar = nullptr;

    // However the window closes, the check box's state becomes the setting
    // (written to the settings file when the program closes).
    void done(int eredmeny) override;

    // What the range fields take and the print makes.
    VKod::Fajta fajta() const;

public slots:
    void aNyomtatExecute();
    void aNyomtatKepExecute();
    void aBezarExecute();

private:
    // The range's captions follow the choice.
    void fajtaValtozott();
    // Reads the range (a refusal is shown, nothing is printed), fills the
    // work table and sends the labels to `kimenet`.
    void nyomtat(const Kimenet& kimenet);
};

// The main window's action: the window, modally.
void VKodMegnyit(QWidget* szulo);
