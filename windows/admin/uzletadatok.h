#pragma once
// The shop's own details as a form: a page of the settings window, and the
// dialog that asks for them at the first start of a new installation.
#include "core/admin/tulajdonos.h"

#include <QDialog>
#include <QHash>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class UzletAdatok : public QWidget {
    Q_OBJECT
public:
    explicit UzletAdatok(QWidget* szulo = nullptr);
    void beallit(const TulajdonosAdat& a);
    TulajdonosAdat adat() const;
    // The field of a column ("tulajdonos", "irsz", ...).
    QLineEdit* mezo(const char* nev) const { return m_mezok.value(QLatin1String(nev)); }
    QLineEdit* elso() const { return mezo("tulajdonos"); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QHash<QString, QLineEdit*> m_mezok;
    // As in the customer window: a postal code fills an empty town.
    void varosKitolt();
};

// "Az üzlet adatai": asked once, when a new installation has no name for
// its shop. "Később" (and Esc) leaves it for the next start.
class Tfrm_Uzlet : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Uzlet(QWidget* szulo = nullptr);
    UzletAdatok* Adatok = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnKesobb = nullptr;
    // Stores the details; stays open with the reason when they are refused.
    void aOKExecute();
};

// At a start with administrator rights, while the shop has no details yet:
// asks for them. Never stops the start; a failure to read is shown.
void UzletAdatokElsoIndulaskor(QWidget* szulo);
