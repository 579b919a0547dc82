#pragma once
// The small dialogs that ask what a list, report or chart covers: one day
// (Tfrm_Datumbe), a range of days (Tfrm_Idoszak) and a range of the months
// the cash book holds (Tfrm_Honap). Each opening operation shows its dialog
// modally and, on "OK" only, writes the chosen values into the caller's
// variables; the values are returned as they stand, unchecked.
#include <QDate>
#include <QDialog>
#include <QString>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

class Tfrm_Datumbe : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Datumbe(QWidget* szulo = nullptr);
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;
    QDateEdit* DateTimePicker1 = nullptr;
protected:
    void showEvent(QShowEvent* e) override;
};

class Tfrm_Idoszak : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Idoszak(QWidget* szulo = nullptr);
    QDateEdit* DateTimePicker1 = nullptr;   // first day
    QDateEdit* DateTimePicker2 = nullptr;   // last day
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;
protected:
    void showEvent(QShowEvent* e) override;
};

class Tfrm_Honap : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Honap(QWidget* szulo = nullptr);
    // Fills both boxes with the month keys of the cash book, the first key
    // in the first box, the last in the second. Throws AdatbazisHiba.
    void feltolt();
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;   // first month
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox2 = nullptr;   // last month
    QPushButton* btnOK = nullptr;
    QPushButton* btnMegsem = nullptr;
protected:
    void showEvent(QShowEvent* e) override;
};

// Date dialog: true on "OK", and `datum` holds the chosen day.
bool DatumMegad(QWidget* szulo, QDate& datum);
// Period dialog: true on "OK", and `tol` and `ig` hold the chosen days.
bool IdoszakMegad(QWidget* szulo, QDate& tol, QDate& ig);
// Month dialog (centred on `szulo`): true on "OK", and `tol` and `ig` hold
// the two boxes' texts. Throws AdatbazisHiba when the keys cannot be read.
bool HonapMegad(QWidget* szulo, QString& tol, QString& ig);
