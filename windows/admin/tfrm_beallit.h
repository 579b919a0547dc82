#pragma once
// The settings window "Beállítások": the switches and fees of the beallit
// row and three values of the settings file, on three pages.
#include "core/admin/beallitasok.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class KesedelemTabla;
class UzletAdatok;

class Tfrm_Beallit : public QDialog {
    Q_OBJECT
public:
    // Reads the row (throws AdatbazisHiba when it cannot) and TBeall's values.
    explicit Tfrm_Beallit(QWidget* szulo = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;   // "Általános"
    QWidget* TabSheet2 = nullptr;   // "Tagdíjak"
    QWidget* TabSheet3 = nullptr;   // "Kölcsönzés"
    UzletAdatok* TabSheet4 = nullptr;   // "Üzlet": the shop's own details
    KesedelemTabla* TabSheet5 = nullptr;   // "Késedelem": the late-fee rules
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* DBCheckBox1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Edit2 = nullptr;      // data folder
    QPushButton* BitBtn1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;      // archive folder
    QPushButton* BitBtn2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* DBEdit1 = nullptr;    // quarterly fee
    QLineEdit* DBEdit2 = nullptr;    // half-yearly fee
    QLineEdit* DBEdit3 = nullptr;    // yearly fee
    QCheckBox* DBCheckBox2 = nullptr;
    QCheckBox* DBCheckBox3 = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* DBMemo1 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* cmbAlapIdo = nullptr;   // the rental period a scanned card starts with
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;

    // "OK": saves row, file and TBeall; closes only when all of it is saved.
    void aOKExecute();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    BeallitSor m_sor;   // as read when the window opened
    TulajdonosAdat m_tulajdonos;   // likewise
    bool m_ellenoriz = false;

    void tallozas(QLineEdit* mezo);
    // The row as the controls show it; a control left as it opened gives the
    // stored value back unchanged. False (the field refused, with its
    // message) when a fee is not a number.
    bool sorBe(BeallitSor& s);
    bool dijRendben(QLineEdit* mezo);
    // A fee field was left: its value is checked where the focus went.
    void elhagyva(QLineEdit* mezo);
};

// Opens the window modally over `szulo`; on a save, the restart warning.
void BeallitMegnyit(QWidget* szulo);
