#pragma once
// The widget implementation of the modal seam: QMessageBox, the program's
// input dialogs, QFileDialog, QDesktopServices, QPrinter with
// QProgressDialog, QPrintPreviewDialog. Installed at start by the program.
#include "print/common/parbeszed.h"

class AblakParbeszed : public Parbeszed {
public:
    bool doboz(QWidget* szulo, Doboz fajta, const QString& cim, const QString& szoveg) override;
    bool szamBevitel(QWidget* szulo, const QString& cim, const QString& kerdes, double& ertek) override;
    bool maszkosBevitel(QWidget* szulo, const QString& cim, const QString& kerdes, const QString& maszk,
                        QString& ertek) override;
    QString megnyitandoFajl(QWidget* szulo, const QString& cim, const QString& mappa, const QString& szuro) override;
    QString mentendoFajl(QWidget* szulo, const QString& cim, const QString& javasolt, const QString& szuro) override;
    QString mappaValasztas(QWidget* szulo, const QString& cim, const QString& mappa) override;
    bool megnyit(const QUrl& cel) override;
    bool nyomtatas(QWidget* szulo, Nyomtatvany& n) override;
    void nyomtatasiKep(QWidget* szulo, Nyomtatvany& n) override;
    void hang() override;
};
