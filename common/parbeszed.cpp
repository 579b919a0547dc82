#include "common/parbeszed.h"
#include "common/tfrm_inp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdio>

namespace {
Parbeszed* g_parbeszed = nullptr;
}

Parbeszed& parbeszed()
{
    static AblakParbeszed ablak;
    return g_parbeszed ? *g_parbeszed : ablak;
}

void parbeszedBeallit(Parbeszed* p) { g_parbeszed = p; }

bool AblakParbeszed::doboz(QWidget* szulo, Doboz fajta, const QString& cim, const QString& szoveg)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // No windows (the command-line installer): say it on stderr.
        std::fprintf(stderr, "%s: %s\n", qPrintable(cim), qPrintable(szoveg));
        return false;
    }
    switch (fajta) {
    case Doboz::Kerdes:
        return QMessageBox::question(szulo, cim, szoveg, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes;
    case Doboz::Hiba: QMessageBox::critical(szulo, cim, szoveg); break;
    case Doboz::Figyelmeztetes: QMessageBox::warning(szulo, cim, szoveg); break;
    case Doboz::Uzenet: QMessageBox::information(szulo, cim, szoveg); break;
    }
    return true;
}

bool AblakParbeszed::szamBevitel(QWidget* szulo, const QString& cim, const QString& kerdes, double& ertek)
{
    return SzamBevitelAblak(szulo, cim, kerdes, ertek);
}

bool AblakParbeszed::maszkosBevitel(QWidget* szulo, const QString& cim, const QString& kerdes, const QString& maszk,
                                    QString& ertek)
{
    return MaszkosBevitelAblak(szulo, cim, kerdes, maszk, ertek);
}

QString AblakParbeszed::megnyitandoFajl(QWidget* szulo, const QString& cim, const QString& mappa, const QString& szuro)
{
    return QFileDialog::getOpenFileName(szulo, cim, mappa, szuro);
}

QString AblakParbeszed::mentendoFajl(QWidget* szulo, const QString& cim, const QString& javasolt, const QString& szuro)
{
    return QFileDialog::getSaveFileName(szulo, cim, javasolt, szuro);
}

QString AblakParbeszed::mappaValasztas(QWidget* szulo, const QString& cim, const QString& mappa)
{
    return QFileDialog::getExistingDirectory(szulo, cim, mappa);
}

bool AblakParbeszed::megnyit(const QUrl& cel)
{
    return QDesktopServices::openUrl(cel);
}
