#pragma once
// The help menu's own windows: the splash picture at start, the read-me
// ("Fontos információk") and the about window ("Névjegy").
#include <QDialog>
#include <QImage>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The program's picture (app/kazettora.svg) at the given size, transparent
// around it; a null pixmap when the picture cannot be read.
QPixmap ProgramKep(int meret);

// The splash: a borderless picture above every window, centred, which closes
// and frees itself once its time is up; it takes neither the focus nor the
// input, so the program can be used meanwhile. A window opened meanwhile
// closes it at once: it never covers a dialog.
class Tfrm_Logo : public QWidget {
    Q_OBJECT
public:
    static constexpr int Ido = 4000;   // ms on the screen
    // `ido` is shortened by tests only.
    explicit Tfrm_Logo(QWidget* szulo = nullptr, int ido = Ido);

    // The picture as shown: its grey (#808080) parts made transparent.
    QImage Kep;
    QTimer* Timer1 = nullptr;

    // The picture before the grey is taken out.
    static QImage Rajz();

protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    // Gives way to any other window shown meanwhile (a dialog, a menu).
    bool eventFilter(QObject* o, QEvent* e) override;
};

// Creates the splash over `szulo` and shows it without waiting.
Tfrm_Logo* LogoMutat(QWidget* szulo);

class Tfrm_Readme : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Readme(QWidget* szulo = nullptr);
    QPlainTextEdit* Memo1 = nullptr;
    // The fixed text of the window.
    static QString Szoveg();
};

class Tfrm_Nevjegy : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Nevjegy(QWidget* szulo = nullptr);
    QLabel* lblNev = nullptr;
    QLabel* lblVerzio = nullptr;
    QPushButton* btnOK = nullptr;
};

// The two windows shown modally; each is freed when it closes.
void ReadmeMegnyit(QWidget* szulo);
void NevjegyMegnyit(QWidget* szulo);
