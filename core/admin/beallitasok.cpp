#include "core/admin/beallitasok.h"
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"
#include "core/data/rekord.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace {

// The fields the window edits, in the table's order.
const char* const SorMezok[] = {"vanbelep", "dijnegyed", "dijfel", "dijev", "autonyom", "kolcsszoveg", "elorefizet"};

QVariant* mezoje(BeallitSor& s, const QString& nev)
{
    if (nev == QLatin1String("vanbelep")) return &s.vanbelep;
    if (nev == QLatin1String("dijnegyed")) return &s.dijnegyed;
    if (nev == QLatin1String("dijfel")) return &s.dijfel;
    if (nev == QLatin1String("dijev")) return &s.dijev;
    if (nev == QLatin1String("autonyom")) return &s.autonyom;
    if (nev == QLatin1String("kolcsszoveg")) return &s.kolcsszoveg;
    if (nev == QLatin1String("elorefizet")) return &s.elorefizet;
    return nullptr;
}

} // namespace

BeallitSor BeallitSorOlvas()
{
    BeallitSor s;
    const QVariant kulcs = Adatbazis::ertek(QStringLiteral("SELECT beallit FROM beallit ORDER BY beallit LIMIT 1"));
    if (!kulcs.isValid() || kulcs.isNull()) return s;
    Rekord r(QStringLiteral("beallit"));
    if (!r.szerkeszt(kulcs)) return s;
    s.beallit = kulcs;
    for (const char* m : SorMezok) *mezoje(s, QLatin1String(m)) = r.ertek(QLatin1String(m));
    return s;
}

BeallitFajlErtekek BeallitFajlErtekekTBeallbol()
{
    return {TBeall.TeljesKep, TBeall.Utvonal, TBeall.MentesUtvonal};
}

void BeallitasokMent(const BeallitSor& sor, const BeallitFajlErtekek& fajl, const QString& iniFajl,
                     const TulajdonosAdat* tulajdonos)
{
    Adatbazis::Tranzakcio t;
    // Login on with nobody able to log in as administrator would lock the
    // shop out of the users window for good.
    if (VarSzoveg(sor.vanbelep) == QLatin1String("I") && Felhasznalok::RendszergazdaSzam() == 0)
        throw AdatbazisHiba(QStringLiteral(
            "A belépés nem kapcsolható be, mert nincs rendszergazda jogú felhasználó. Előbb vegyen fel egyet a "
            "Felhasználók ablakban."));
    Rekord r(QStringLiteral("beallit"));
    if (sor.beallit.isValid() && !sor.beallit.isNull()) {
        if (!r.szerkeszt(sor.beallit))
            throw AdatbazisHiba(QStringLiteral("A beállítások sorát időközben törölték, a módosítás nem menthető."));
    } else {
        r.beszur();
    }
    BeallitSor s = sor;
    for (const char* m : SorMezok) r.beallit(QLatin1String(m), *mezoje(s, QLatin1String(m)));
    r.ment();   // inside t: stored only with the file below
    if (tulajdonos) Tulajdonos::ment(*tulajdonos);

    // The file goes first while the row waits uncommitted: a file that cannot
    // be written leaves the row as it was; a commit that fails afterwards
    // puts the old file back.
    const bool voltFajl = QFileInfo::exists(iniFajl);
    IniFajl regi;
    const bool regiOlvasva = regi.beolvas(iniFajl);
    IniFajl uj = regi;
    uj.ir(QStringLiteral("Alapertek"), QStringLiteral("TeljesKep"), fajl.TeljesKep);
    uj.ir(QStringLiteral("Adatbazis"), QStringLiteral("Utvonal"), fajl.Utvonal);
    uj.ir(QStringLiteral("Archiv"), QStringLiteral("MentesUtvonal"), fajl.MentesUtvonal);
    QString hiba;
    if (!uj.ment(iniFajl, &hiba)) throw AdatbazisHiba(hiba);
    try {
        t.jovahagy();
    } catch (...) {
        if (regiOlvasva) regi.ment(iniFajl, nullptr);
        else if (!voltFajl) QFile::remove(iniFajl);
        throw;
    }
    TBeall.TeljesKep = fajl.TeljesKep;
    TBeall.Utvonal = fajl.Utvonal;
    TBeall.MentesUtvonal = fajl.MentesUtvonal;
}
