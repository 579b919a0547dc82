#pragma once
// The login window "Belépés azonosítás": a user name and password from the
// user list before the program runs, and the user's own password change.
#include <QDialog>

class QLineEdit;
class QPushButton;

class Tfrm_Login : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Login(QWidget* szulo = nullptr);

    QLineEdit* edtFelhasznalo = nullptr;
    QLineEdit* edtJelszo = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnUjJelszo = nullptr;
    QPushButton* btnMegsem = nullptr;

    // After a failed check no check runs for this long (ms), so passwords
    // cannot be tried in quick succession; the fields take keys meanwhile,
    // and OK or "Új jelszó" pressed then runs when the wait ends. Tests
    // shorten it.
    int varakozas = 1000;
    bool varakozasban() const { return m_var; }

    // The credential check of the typed name and password: sets the rights
    // on success, shows the refusal and starts the wait on failure.
    bool Azonositas();
    // An error of the database met while the window ran (the window then
    // closed without success); empty when none.
    QString hiba() const { return m_hiba; }

public slots:
    void btnOKClick();
    void btnUjJelszoClick();

private:
    enum class Fuggo { Semmi, OK, UjJelszo };
    void varakozik();
    // Runs a step; an error of the database closes the window (hiba()).
    template <typename F> void vedve(F&& f);
    QString m_hiba;
    bool m_var = false;   // waiting after a failed check
    Fuggo m_fuggo = Fuggo::Semmi;   // the button pressed during the wait
};

// Shows the login window modally; true once a user has logged in. An error
// while it is made or shown is reported ("Ismeretlen hiba, …") and counts as
// no login.
bool BelepesFuttat(QWidget* szulo);
