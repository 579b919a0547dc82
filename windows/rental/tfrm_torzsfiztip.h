#pragma once
// The rental period window and its edit dialog.
#include "windows/refdata/torzsablak.h"

class Tfrm_TorzsFizTip : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsFizTip(bool valasztas, QWidget* szulo = nullptr);
    static TorzsLeiras leiras();
};

class Tfrm_TorzsFizTip_Szerkeszt : public TorzsSzerkeszto {
    Q_OBJECT
public:
    explicit Tfrm_TorzsFizTip_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);
    QLineEdit* fiztip_nev = nullptr;
    QLineEdit* ora = nullptr;
};
