#pragma once
// The four message boxes with fixed titles, modal to the calling window.
#include <QString>
class QWidget;

bool KerdesAblak(const QString& szoveg, const QString& cim, QWidget* szulo = nullptr);
void HibaAblak(const QString& szoveg, QWidget* szulo = nullptr);
void FigyelmeztetesAblak(const QString& szoveg, QWidget* szulo = nullptr);
void UzenetAblak(const QString& szoveg, QWidget* szulo = nullptr);

// The application's general error report: an error no window caught ends
// the operation in progress and shows the error's own text.
template <typename F> bool Vedett(F&& muvelet, QWidget* szulo = nullptr);

inline constexpr const char* NincsJog = "Nincs jogosultság a művelethez.";
inline constexpr const char* TorlesKerdes = "Valóban töröljem a sort?";
inline constexpr const char* TorlesCim = "Megerősítés";

// ---- implementation --------------------------------------------------------
#include "core/data/adatbazis.h"
#include <exception>

template <typename F> bool Vedett(F&& muvelet, QWidget* szulo)
{
    try {
        muvelet();
        return true;
    } catch (const AdatbazisHiba& e) {
        HibaAblak(e.uzenet(), szulo);
    } catch (const std::exception& e) {
        HibaAblak(QString::fromStdString(e.what()), szulo);
    }
    return false;
}
