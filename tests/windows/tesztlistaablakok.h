#pragma once
// The list windows as the window tests open them.
#include "core/data/adatbazis.h"
#include "windows/admin/tfrm_felhasznalo.h"
#include "windows/admin/tfrm_sql.h"
#include "windows/app/tfrm_keres.h"
#include "windows/cash/tfrm_cassa.h"
#include "windows/customers/ugyfelek_ablak.h"
#include "windows/refdata/torzsadatok.h"
#include "windows/rental/tfrm_tortenet.h"
#include "windows/rental/tfrm_torzsarkat_fiztip.h"
#include "windows/rental/tfrm_torzsfiztip.h"
#include "windows/rental/tfrm_videovalaszt.h"

#include <QDialog>
#include <memory>

// The thirteen list windows by class name, made and loaded as their opening
// operations do (nullptr for another name). Some need the session open.
inline std::unique_ptr<QDialog> ListaAblakNyit(const QString& nev)
{
    auto torzs = [](TorzsAblak* a) {
        a->ujratolt();
        return std::unique_ptr<QDialog>(a);
    };
    if (nev == "Tfrm_TorzsTipus") return torzs(new Tfrm_TorzsTipus(false));
    if (nev == "Tfrm_TorzsMufaj") return torzs(new Tfrm_TorzsMufaj(false));
    if (nev == "Tfrm_TorzsArkat") return torzs(new Tfrm_TorzsArkat(false));
    if (nev == "Tfrm_TorzsCassatip") return torzs(new Tfrm_TorzsCassatip(true));
    if (nev == "Tfrm_TorzsFizTip") return torzs(new Tfrm_TorzsFizTip(false));
    if (nev == "Tfrm_TorzsArkat_Fiztip") return torzs(new Tfrm_TorzsArkat_Fiztip);
    if (nev == "Tfrm_TorzsUgyfel") return torzs(new Tfrm_TorzsUgyfel(true));
    if (nev == "Tfrm_Felhasznalo") return torzs(new Tfrm_Felhasznalo);
    if (nev == "Tfrm_VideoValaszt") {
        auto* a = new Tfrm_VideoValaszt;
        a->megnyit(-1);
        return std::unique_ptr<QDialog>(a);
    }
    if (nev == "Tfrm_Cassa") {
        auto* a = new Tfrm_Cassa;
        a->megnyit();
        return std::unique_ptr<QDialog>(a);
    }
    if (nev == "Tfrm_Tortenet") {
        const qint64 ugyfel = Adatbazis::ertek("SELECT ugyfel FROM ugyfel ORDER BY ugyfel LIMIT 1").toLongLong();
        auto* a = new Tfrm_Tortenet(TortenetMod::Ugyfel, ugyfel);
        a->nyit();
        return std::unique_ptr<QDialog>(a);
    }
    if (nev == "Tfrm_SQL") return std::make_unique<Tfrm_SQL>();
    if (nev == "Tfrm_Keres") return std::make_unique<Tfrm_Keres>();
    return nullptr;
}
