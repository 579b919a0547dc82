#include "windows/app/indulas.h"
#include "core/admin/beallitasok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "print/common/uzenet.h"
#include "core/admin/atvetel.h"
#include "windows/admin/tfrm_atvetel.h"
#include "windows/admin/tfrm_login.h"
#include "windows/admin/uzletadatok.h"

namespace {

void iniBeolvas(QWidget* szulo)
{
    const QString figyelmeztetes = IniBeolvasFajlbol(ProgramUtvonal() + '/' + BeallitasFajlNev);
    if (!figyelmeztetes.isEmpty()) HibaAblak(figyelmeztetes, szulo);
}

bool adatbazisNyit(QWidget* szulo)
{
    QString hiba;
    if (Adatbazis::nyit(TBeall.Utvonal, &hiba)) {
        // Otherwise every save would fail later, one by one: say it once, now.
        const QString akadaly = Adatbazis::irasiAkadaly();
        if (!akadaly.isEmpty())
            FigyelmeztetesAblak(QStringLiteral("Az adatbázis nem írható, a változtatások nem menthetők.\n") + akadaly, szulo);
        return true;
    }
    HibaAblak(hiba, szulo);
    return false;
}

// A new installation offers, once, to take over an earlier data folder.
// True when the operator said yes: the question is marked as asked either way.
bool atvetelFelajanl(QWidget* szulo)
{
    if (!TBeall.rendszergazda || !Adatbazis::irasiAkadaly().isEmpty()) return false;
    bool kerdez = false;
    if (!Vedett([&] { kerdez = Atvetel::csakAlapadatok(Adatbazis::db()) && !Atvetel::felajanlva(Adatbazis::db()); },
                szulo)
        || !kerdez)
        return false;
    const bool igen = KerdesAblak(QStringLiteral("Új telepítés: átveszi egy korábbi Kazettora adatmappa adatait?"),
                                  QStringLiteral("Régi adatok átvétele"), szulo);
    // Not asked again whatever the answer; the menu "Rendszer" still offers it.
    if (!Vedett([] { Atvetel::felajanlvaJelol(Adatbazis::db()); }, szulo)) return false;
    return igen;
}

} // namespace

std::optional<Munkamenet> Indulas(QWidget* szulo)
{
    iniBeolvas(szulo);
    if (!adatbazisNyit(szulo)) return std::nullopt;
    Munkamenet m;
    const bool rendben = Vedett(
        [&] {
            BeallitBetoltAdatbazisbol();
            // A settings save cut short after its commit: its file follows now.
            if (BeallitasokBefejez(ProgramUtvonal() + '/' + BeallitasFajlNev)) iniBeolvas(szulo);
        },
        szulo);
    // A start that stops leaves no session open behind it.
    if (!rendben) {
        Adatbazis::zar();
        return std::nullopt;
    }
    // The login sets the rights; without it both are granted.
    if (TBeall.vanbelep) {
        TBeall.torzsszerkeszt = false;
        TBeall.rendszergazda = false;
        if (!BelepesFuttat(szulo)) {
            Adatbazis::zar();
            return std::nullopt;
        }
    } else {
        TBeall.torzsszerkeszt = true;
        TBeall.rendszergazda = true;
    }
    // The take-over replaces the database: the session closes for it, and
    // the start begins again on what is there then (the new data, or the
    // delivered one when the take-over did not happen).
    if (atvetelFelajanl(szulo)) {
        Adatbazis::zar();
        RegiAdatokAtvetele(szulo);
        return Indulas(szulo);
    }
    // A new installation names its shop before the first report prints.
    UzletAdatokElsoIndulaskor(szulo);
    Vedett([&] { m.tulajdonos = Tulajdonos::olvas().tulajdonos; }, szulo);
    return m;
}
