#pragma once
// Every action of the program has one row here: what it is (Parancs), the
// name its window and tests know it by ("aKolcsonoz") and its picture in the
// image list. The rows stand in the order of the enum, which the compiler
// checks, so a command without a row does not build.
//
// The one way an action is made (MuveletKeszit): named, its icon from the
// image list, the caption as its hint in the tool tip and the status bar,
// its keys, and added to its window so the keys work anywhere in it.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <cstddef>
#include <span>

class QAction;
class QWidget;

enum class Parancs {
    Uj, UjMasol, Szerkeszt, Torol,
    Keres, Keres1, KeresKod, Keres2, KeresNev, KeresReszletes, Szur,
    Nyomtat, NyomtatKep, Excelbe, Import, Megnyit, Ment, Export, Futtat,
    Kivag, Masol, Beilleszt, Mindet, Bezar,
    Ugyfelek, KasszaTip, Tipusok, Arkat, Mufaj, TorzsFiztip, ArBeallit,
    Kolcsonoz, Visszavesz, Kassza, Tortenet, VKod,
    NyomKiadva, NyomKiadLejart, NyomBentlevo, NyomOsszesKolcs, ChMegoszlas, ChBevKiad,
    Felhasznalo, SQL, Archival, Beallit, Atvetel, BetumeretNovel, BetumeretCsokkent,
    Sugo, Fontos, Level, Honlap, Ujdonsag, Nevjegy,
    Elfogad, Megsem, Tagdij, Potdij, Napzaras, Idoszak,
    Kesedelem, KesedelemTorol, NyomKesedelmes, NyomFelszolito,
};

struct ParancsSor {
    Parancs parancs;
    const char* nev;    // the action's object name
    const char* ikon;   // the picture's name in the icon theme
};

inline constexpr ParancsSor ParancsTabla[] = {
    {Parancs::Uj, "aUj", "list-add"},
    {Parancs::UjMasol, "aUjMasol", "edit-copy"},
    {Parancs::Szerkeszt, "aSzerkeszt", "document-edit"},
    {Parancs::Torol, "aTorol", "edit-delete"},
    {Parancs::Keres, "aKeres", "edit-find"},
    {Parancs::Keres1, "aKeres1", "format-list-ordered"},
    {Parancs::KeresKod, "aKeresKod", "format-list-ordered"},
    {Parancs::Keres2, "aKeres2", "view-sort-ascending-name"},
    {Parancs::KeresNev, "aKeresNev", "view-sort-ascending-name"},
    {Parancs::KeresReszletes, "aKeresReszletes", "system-search"},
    {Parancs::Szur, "aSzur", "view-filter"},
    {Parancs::Nyomtat, "aNyomtat", "document-print"},
    {Parancs::NyomtatKep, "aNyomtatKep", "document-print-preview"},
    {Parancs::Excelbe, "aExcelbe", "x-office-spreadsheet"},
    {Parancs::Import, "aImport", "document-import"},
    {Parancs::Megnyit, "aMegnyit", "document-open"},
    {Parancs::Ment, "aMent", "document-save"},
    {Parancs::Export, "aExport", "document-export"},
    {Parancs::Futtat, "aFuttat", "media-playback-start"},
    {Parancs::Kivag, "aKivag", "edit-cut"},
    {Parancs::Masol, "aMasol", "edit-copy"},
    {Parancs::Beilleszt, "aBeilleszt", "edit-paste"},
    {Parancs::Mindet, "aMindet", "edit-select-all"},
    {Parancs::Bezar, "aBezar", "application-exit"},
    {Parancs::Ugyfelek, "aUgyfelek", "system-users"},
    {Parancs::KasszaTip, "aKasszaTip", "view-financial-category"},
    {Parancs::Tipusok, "aTipusok", "video-x-generic"},
    {Parancs::Arkat, "aArkat", "view-currency-list"},
    {Parancs::Mufaj, "aMufaj", "view-media-genre"},
    {Parancs::TorzsFiztip, "aTorzsFiztip", "chronometer"},
    {Parancs::ArBeallit, "aArBeallit", "format-currency"},
    {Parancs::Kolcsonoz, "aKolcsonoz", "go-next"},
    {Parancs::Visszavesz, "aVisszavesz", "go-previous"},
    {Parancs::Kassza, "aKassza", "view-financial-list"},
    {Parancs::Tortenet, "aTortenet", "view-history"},
    {Parancs::VKod, "aVKod", "view-barcode"},
    {Parancs::NyomKiadva, "aNyomKiadva", "document-print"},
    {Parancs::NyomKiadLejart, "aNyomKiadLejart", "document-print"},
    {Parancs::NyomBentlevo, "aNyomBentlevo", "document-print"},
    {Parancs::NyomOsszesKolcs, "aNyomOsszesKolcs", "document-print"},
    {Parancs::ChMegoszlas, "aChMegoszlas", "office-chart-pie"},
    {Parancs::ChBevKiad, "aChBevKiad", "office-chart-bar"},
    {Parancs::Felhasznalo, "aFelhasznalo", "user-group-properties"},
    {Parancs::SQL, "aSQL", "server-database"},
    {Parancs::Archival, "aArchival", "archive-insert"},
    {Parancs::Beallit, "aBeallit", "configure"},
    {Parancs::Atvetel, "aAtvetel", "kontact-import-wizard"},
    {Parancs::BetumeretNovel, "aBetumeretNovel", "format-font-size-more"},
    {Parancs::BetumeretCsokkent, "aBetumeretCsokkent", "format-font-size-less"},
    {Parancs::Sugo, "aSugo", "help-contents"},
    {Parancs::Fontos, "aFontos", "dialog-information"},
    {Parancs::Level, "aLevel", "mail-send"},
    {Parancs::Honlap, "aHonlap", "globe"},
    {Parancs::Ujdonsag, "aUjdonsag", "news-subscribe"},
    {Parancs::Nevjegy, "aNevjegy", "help-about"},
    {Parancs::Elfogad, "aElfogad", "dialog-ok-apply"},
    {Parancs::Megsem, "aMegsem", "dialog-cancel"},
    {Parancs::Tagdij, "aTagdij", "view-financial-account-cash"},
    {Parancs::Potdij, "aPotdij", "view-financial-category-income"},
    {Parancs::Napzaras, "aNapzaras", "view-financial-account-cash-closed"},
    {Parancs::Idoszak, "aIdoszak", "chronometer"},
    {Parancs::Kesedelem, "aKesedelem", "clock"},
    {Parancs::KesedelemTorol, "aKesedelemTorol", "edit-clear"},
    {Parancs::NyomKesedelmes, "aNyomKesedelmes", "document-print"},
    {Parancs::NyomFelszolito, "aNyomFelszolito", "mail-message"},
};

inline constexpr std::size_t ParancsSzam = std::size(ParancsTabla);

namespace muvelet_reszlet {
constexpr bool sorrendben()
{
    for (std::size_t i = 0; i < ParancsSzam; ++i)
        if (ParancsTabla[i].parancs != Parancs(i) || !ParancsTabla[i].nev || !ParancsTabla[i].ikon) return false;
    return true;
}
} // namespace muvelet_reszlet
static_assert(muvelet_reszlet::sorrendben(), "one row a command, in the order of Parancs");
static_assert(ParancsSzam == std::size_t(Parancs::NyomFelszolito) + 1, "a command without a row");

constexpr const ParancsSor& ParancsAdat(Parancs p) { return ParancsTabla[std::size_t(p)]; }
inline QString ParancsNev(Parancs p) { return QString::fromLatin1(ParancsAdat(p).nev); }
// The row of an action's name; nullptr for a name no command has.
const ParancsSor* ParancsNevrol(const QString& nev);

QAction* MuveletKeszit(QWidget* ablak, Parancs parancs, const QString& felirat,
                       const QList<QKeySequence>& billentyuk = {}, const QString& tipp = {});
QAction* MuveletKeszit(QWidget* ablak, const QString& nev, const QString& felirat,
                       const QList<QKeySequence>& billentyuk = {}, const QString& tipp = {});
