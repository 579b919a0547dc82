#pragma once
// Every modal box, input dialog, file or folder dialog, print hand-off and
// shell call goes through this one interface. The program installs the
// widget implementation; tests install one that answers from a script, so
// that the windows run headless.
#include <QString>
#include <QUrl>

class QWidget;

class Parbeszed {
public:
    enum class Doboz { Kerdes, Hiba, Figyelmeztetes, Uzenet };
    virtual ~Parbeszed() = default;

    // Returns true for Yes (Kerdes) or OK (the others).
    virtual bool doboz(QWidget* szulo, Doboz fajta, const QString& cim, const QString& szoveg) = 0;
    virtual bool szamBevitel(QWidget* szulo, const QString& cim, const QString& kerdes, double& ertek) = 0;
    virtual bool maszkosBevitel(QWidget* szulo, const QString& cim, const QString& kerdes,
                                const QString& maszk, QString& ertek) = 0;
    virtual QString megnyitandoFajl(QWidget* szulo, const QString& cim, const QString& mappa,
                                    const QString& szuro) = 0;
    virtual QString mentendoFajl(QWidget* szulo, const QString& cim, const QString& javasolt,
                                 const QString& szuro) = 0;
    virtual QString mappaValasztas(QWidget* szulo, const QString& cim, const QString& mappa) = 0;
    // The shell's open operation (documents, web pages, mail links).
    virtual bool megnyit(const QUrl& cel) = 0;
};

// The interface in force; the widget implementation unless one was set.
Parbeszed& parbeszed();
// Installs p (not owned); nullptr restores the widget implementation.
void parbeszedBeallit(Parbeszed* p);

// The widget implementation: QMessageBox, the program's input dialogs,
// QFileDialog, QDesktopServices.
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
};
