#pragma once
// The item window "Szerkesztés": a new item or the current one of the item
// list, edited on its pending row; "OK" saves it (one transaction, refused
// rows keep the window open with the reason), "Mégsem", Esc and the close
// button give it up.
#include "windows/refdata/torzsablak.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class Tfrm_Szerkeszt : public TorzsSzerkeszto {
    Q_OBJECT
public:
    // `sor`: the pending item, new (TetelUjElokeszit) or loaded for editing.
    explicit Tfrm_Szerkeszt(Rekord& sor, QWidget* szulo = nullptr);

    QLineEdit* DBEdit1 = nullptr;                // azon
    QLineEdit* DBEdit2 = nullptr;                // video_nev
    QComboBox* DBLookupComboBox1 = nullptr;      // tipus
    QComboBox* DBLookupComboBox2 = nullptr;      // arkat
    QComboBox* DBLookupComboBox3 = nullptr;      // mufaj
    QLineEdit* DBEdit3 = nullptr;                // szoveg
    QLineEdit* DBEdit13 = nullptr;               // dat_besz, read-only
    QLineEdit* DBEdit14 = nullptr;               // beszar
    QCheckBox* DBCheckBox1 = nullptr;            // kint, read-only
    QPushButton* Button1 = nullptr;              // OK
    QPushButton* Button2 = nullptr;              // Mégsem
    QLineEdit* DBEdit4 = nullptr;                // dat_selejt, read-only

private:
    QComboBox* valaszto(const QString& mezo);
    QLineEdit* csakOlvas(const QString& mezo);
};
