#pragma once
// The number input dialog and the one-line text input dialog.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class Tfrm_Inp : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Inp(QWidget* szulo = nullptr);
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QPushButton* Button2;
    // The value read when the dialog was accepted.
    double ertek() const { return m_ertek; }
public slots:
    void aElfogadExecute();
protected:
    bool eventFilter(QObject* o, QEvent* e) override;
private:
    double m_ertek = 0;
};

// Through the modal seam (tests answer it); the program shows Tfrm_Inp.
bool SzamBevitel(const QString& cim, const QString& kerdes, double& ertek, QWidget* szulo = nullptr);
bool MaszkosBevitel(const QString& cim, const QString& kerdes, const QString& maszk, QString& ertek,
                    QWidget* szulo = nullptr);

// The dialogs themselves, as the widget implementation of the seam runs them.
bool SzamBevitelAblak(QWidget* szulo, const QString& cim, const QString& kerdes, double& ertek);
bool MaszkosBevitelAblak(QWidget* szulo, const QString& cim, const QString& kerdes, const QString& maszk,
                         QString& ertek);
