#include "windows/common/ablakparbeszed.h"
#include "windows/common/tfrm_inp.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

bool AblakParbeszed::doboz(QWidget* szulo, Doboz fajta, const QString& cim, const QString& szoveg)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return KonzolParbeszed().doboz(szulo, fajta, cim, szoveg);
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

bool AblakParbeszed::nyomtatas(QWidget* szulo, Nyomtatvany& n)
{
    // Failures are told through the seam in force, so that a test printing
    // for real still gets its boxes answered.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        parbeszed().doboz(szulo, Doboz::Hiba, QStringLiteral("Hiba"), QStringLiteral("Nincs alapértelmezett nyomtató."));
        return false;
    }
    QPrinter nyomtato(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    nyomtato.setCopyCount(1);
    nyomtato.setDocName(n.nyomtatasCim());
    n.lapBeallit(nyomtato);

    QProgressDialog folyamat(QStringLiteral("Nyomtatás: %1").arg(n.nyomtatasCim()), QStringLiteral("Mégsem"), 0, 1,
                             szulo);
    folyamat.setWindowTitle(QStringLiteral("Nyomtatás"));
    folyamat.setWindowModality(Qt::WindowModal);
    folyamat.setMinimumDuration(0);
    folyamat.setValue(0);
    const bool kesz = n.rajzol(nyomtato, [&folyamat](int lap, int osszes) {
        if (osszes > 0) {
            folyamat.setMaximum(osszes);
            folyamat.setLabelText(QStringLiteral("Nyomtatás: %1. oldal / %2").arg(lap).arg(osszes));
            folyamat.setValue(lap);
        } else {
            // The number of pages is not known before the last one: a busy bar.
            folyamat.setMaximum(0);
            folyamat.setLabelText(QStringLiteral("Nyomtatás: %1. oldal").arg(lap));
            folyamat.setValue(0);
        }
        QCoreApplication::processEvents();
        return !folyamat.wasCanceled();
    });
    folyamat.reset();
    if (!kesz && !folyamat.wasCanceled())
        parbeszed().doboz(szulo, Doboz::Hiba, QStringLiteral("Hiba"),
              QStringLiteral("A nyomtatás nem sikerült (%1).").arg(nyomtato.printerName()));
    return kesz;
}

void AblakParbeszed::nyomtatasiKep(QWidget* szulo, Nyomtatvany& n)
{
    QPrinter nyomtato(QPrinter::HighResolution);
    nyomtato.setDocName(n.nyomtatasCim());
    n.lapBeallit(nyomtato);
    QPrintPreviewDialog kep(&nyomtato, szulo);
    kep.setWindowTitle(QStringLiteral("Nyomtatási kép - %1").arg(n.nyomtatasCim()));
    QObject::connect(&kep, &QPrintPreviewDialog::paintRequested, &kep,
                     [&n](QPrinter* p) { n.rajzol(*p, {}); });
    kep.exec();
}

void AblakParbeszed::hang() { QApplication::beep(); }
