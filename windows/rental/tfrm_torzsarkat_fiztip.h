#pragma once
// The price matrix window and its edit dialog.
#include "windows/refdata/torzsablak.h"

class QComboBox;

class Tfrm_TorzsArkat_Fiztip : public TorzsAblak {
    Q_OBJECT
public:
    explicit Tfrm_TorzsArkat_Fiztip(QWidget* szulo = nullptr);
    static TorzsLeiras leiras();
};

class Tfrm_TorzsArkat_Fiztip_Szerkeszt : public TorzsSzerkeszto {
    Q_OBJECT
public:
    explicit Tfrm_TorzsArkat_Fiztip_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);
    QComboBox* fiztip = nullptr;
    QComboBox* arkat = nullptr;
    QLineEdit* ar = nullptr;

public slots:
    // "OK": a row needs both of its keys before the table is asked.
    void btnOKExecute();

private:
    QComboBox* valaszto(const QString& felirat, const QString& mezo, const QString& sql);
};
