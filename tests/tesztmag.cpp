#include "tesztmag.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "data/ora.h"
#include "data/telepites.h"

#include <QLocale>

MagTelepites::MagTelepites(bool minta)
{
    QString hiba;
    if (!Telepites::telepit(m_dir.path(), minta, &hiba)) qFatal("telepítés: %s", qPrintable(hiba));
    ProgramUtvonalBeallit(m_dir.path());
    TBeall = TBeallRekord{};
}

MagTelepites::~MagTelepites() { Adatbazis::zar(); }

void MagTelepites::nyit()
{
    QString hiba;
    if (!Adatbazis::nyit(adatMappa(), &hiba)) qFatal("nyitás: %s", qPrintable(hiba));
}

void TesztKornyezet()
{
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    OraBeallit(TesztMost);
}
