#include "print/common/uzenet.h"
#include "print/common/parbeszed.h"

bool KerdesAblak(const QString& szoveg, const QString& cim, QWidget* szulo)
{
    return parbeszed().doboz(szulo, Parbeszed::Doboz::Kerdes, cim, szoveg);
}

void HibaAblak(const QString& szoveg, QWidget* szulo)
{
    parbeszed().doboz(szulo, Parbeszed::Doboz::Hiba, QStringLiteral("Hiba"), szoveg);
}

void FigyelmeztetesAblak(const QString& szoveg, QWidget* szulo)
{
    parbeszed().doboz(szulo, Parbeszed::Doboz::Figyelmeztetes, QStringLiteral("Figyelmeztetés"), szoveg);
}

void UzenetAblak(const QString& szoveg, QWidget* szulo)
{
    parbeszed().doboz(szulo, Parbeszed::Doboz::Uzenet, QStringLiteral("Üzenet"), szoveg);
}
