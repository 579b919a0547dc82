#pragma once
// The reference-data windows: item types, genres, price categories and cash
// entry types. Each is the reference list window pattern (torzsablak.h) with
// its own table, captions and columns; the cash entry types add a rights
// check, an upper-case letter key and a direction.
#include "windows/refdata/torzsablak.h"

#include <QString>

class QGroupBox;
class QRadioButton;
class QWidget;

// ---- opening operations ------------------------------------------------------
// `kulcs`: the row to make current (-1 / empty: the first row). `valasztas`:
// selection mode, where "Elfogad" hands back the current row.

// Return the current row's key when closed with "Elfogad", otherwise -1.
int TorzsTipusMegnyit(QWidget* szulo, int kulcs, bool valasztas);
int TorzsMufajMegnyit(QWidget* szulo, int kulcs, bool valasztas);
int TorzsArkatMegnyit(QWidget* szulo, int kulcs, bool valasztas);

// Returns the current row's letter when closed with "Elfogad", otherwise
// the empty text.
QString TorzsCassatipMegnyit(QWidget* szulo, const QString& kod, bool valasztas);
// The same, and on "Elfogad" also the row's direction (an empty one reads
// as 0); otherwise `szorzo` is left as it was.
QString TorzsCassatipMegnyit(QWidget* szulo, const QString& kod, bool valasztas, int& szorzo);

// ---- the windows -----------------------------------------------------------

class Tfrm_TorzsTipus : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsTipus(bool valasztas, QWidget* szulo = nullptr);
};

class Tfrm_TorzsMufaj : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsMufaj(bool valasztas, QWidget* szulo = nullptr);
};

class Tfrm_TorzsArkat : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsArkat(bool valasztas, QWidget* szulo = nullptr);
};

class Tfrm_TorzsCassatip : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsCassatip(bool valasztas, QWidget* szulo = nullptr);
};

// ---- their edit dialogs ----------------------------------------------------

// A dialog with one name field (the three key-and-name tables).
class TorzsNevSzerkeszto : public TorzsSzerkeszto {
    Q_OBJECT
public:
    TorzsNevSzerkeszto(Rekord& sor, const QString& cim, const QString& felirat, const QString& mezo,
                       QWidget* szulo = nullptr);
    QLineEdit* nev = nullptr;
};

class Tfrm_TorzsTipus_Szerkeszt : public TorzsNevSzerkeszto {
    Q_OBJECT
public:
    explicit Tfrm_TorzsTipus_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);
};

class Tfrm_TorzsMufaj_Szerkeszt : public TorzsNevSzerkeszto {
    Q_OBJECT
public:
    explicit Tfrm_TorzsMufaj_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);
};

class Tfrm_TorzsArkat_Szerkeszt : public TorzsNevSzerkeszto {
    Q_OBJECT
public:
    explicit Tfrm_TorzsArkat_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);
};

class Tfrm_TorzsCassatip_Szerkeszt : public TorzsSzerkeszto {
    Q_OBJECT
public:
    explicit Tfrm_TorzsCassatip_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);
    QLineEdit* jel = nullptr;          // cassatip
    QLineEdit* nev = nullptr;          // cassatip_nev
    QGroupBox* irany = nullptr;        // szorzo
    QRadioButton* Bevetel = nullptr;   // 1
    QRadioButton* Kiadas = nullptr;    // -1
};
