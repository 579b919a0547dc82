#include "print/common/parbeszed.h"

#include <cstdio>

namespace {
Parbeszed* g_parbeszed = nullptr;
}

Parbeszed& parbeszed()
{
    static KonzolParbeszed konzol;
    return g_parbeszed ? *g_parbeszed : konzol;
}

void parbeszedBeallit(Parbeszed* p) { g_parbeszed = p; }

bool KonzolParbeszed::doboz(QWidget*, Doboz, const QString& cim, const QString& szoveg)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(cim), qPrintable(szoveg));
    return false;
}

bool KonzolParbeszed::nyomtatas(QWidget* szulo, Nyomtatvany&)
{
    doboz(szulo, Doboz::Hiba, QStringLiteral("Hiba"), QStringLiteral("Ablak nélkül nem lehet nyomtatni."));
    return false;
}
