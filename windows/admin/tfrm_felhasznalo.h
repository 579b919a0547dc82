#pragma once
// The users window "Felhasználók adatai" (a list of user names with new,
// edit and delete) and its edit dialog.
#include "windows/refdata/torzsablak.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class Tfrm_Felhasznalo : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_Felhasznalo(QWidget* szulo = nullptr);

public slots:
    void aUjExecute() override;
    void aSzerkesztExecute() override;

protected:
    void sorTorol(const QVariantList& kulcs) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // The edit dialog on the user named `nev` (empty: a new one); the list
    // then shows the saved user current.
    void szerkeszt(const QString& nev);
};

// Edits one user: name, password twice, the two rights. The password
// fields start empty; left both empty, an existing user keeps the password.
class Tfrm_FelhasznaloSzerkeszt : public QDialog {
    Q_OBJECT
public:
    // `nev`: the user to edit; empty for a new one.
    explicit Tfrm_FelhasznaloSzerkeszt(const QString& nev, QWidget* szulo = nullptr);

    // The name the user was saved under (after OK).
    QString mentettNev() const { return m_mentett; }

    QLineEdit* DBEdit1 = nullptr;   // Felhasználó
    QLineEdit* DBEdit2 = nullptr;   // Jelszó
    QLineEdit* Edit1 = nullptr;     // Jelszó még egyszer
    QCheckBox* DBCheckBox1 = nullptr;   // Rendszergazda
    QCheckBox* DBCheckBox2 = nullptr;   // Törzsadat szerkesztés
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void btnOKClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    QString m_nev;
    QString m_mentett;
};

// "Felhasználók": the users window, modally.
void FelhasznaloMegnyit(QWidget* szulo);
