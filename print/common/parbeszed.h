#pragma once
// Every modal box, input dialog, file or folder dialog, print hand-off and
// shell call goes through this one interface. The program installs the
// widget implementation (common/ablakparbeszed.h); tests install one that answers from a script, so
// that the windows run headless.
#include <QString>
#include <QUrl>
#include <functional>

class QPrinter;
class QWidget;

// A document for the print hand-off: it sets up the paper and paints its
// pages on whatever printer the hand-off gives it.
class Nyomtatvany {
public:
    virtual ~Nyomtatvany() = default;
    virtual QString nyomtatasCim() const = 0;     // the print job's name
    virtual void lapBeallit(QPrinter& p) const = 0;
    // Paints every page; `halad(kesz, osszes)` after each, returns false to
    // stop; `osszes` is 0 while the number of pages is not known.
    // Returns false when nothing (complete) was printed.
    virtual bool rajzol(QPrinter& p, const std::function<bool(int, int)>& halad) = 0;
};

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
    // Straight to the default printer with a progress window; false when
    // nothing was printed (no printer, cancelled), the reason shown.
    virtual bool nyomtatas(QWidget* szulo, Nyomtatvany& n) = 0;
    // The print preview, from which the user may print; returns when closed.
    virtual void nyomtatasiKep(QWidget* szulo, Nyomtatvany& n) = 0;
    // The warning sound of a refused scan: the operator's eyes are on the
    // items, not on the screen.
    virtual void hang() {}
};

// The interface in force: the one installed, or else the console answer
// (boxes on standard error, every question No, every dialog cancelled,
// nothing printed), which is what a command-line run without windows needs.
Parbeszed& parbeszed();
// Installs p (not owned); nullptr restores the console answer.
void parbeszedBeallit(Parbeszed* p);

// Says everything on standard error and declines everything.
class KonzolParbeszed : public Parbeszed {
public:
    bool doboz(QWidget* szulo, Doboz fajta, const QString& cim, const QString& szoveg) override;
    bool szamBevitel(QWidget*, const QString&, const QString&, double&) override { return false; }
    bool maszkosBevitel(QWidget*, const QString&, const QString&, const QString&, QString&) override { return false; }
    QString megnyitandoFajl(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString mentendoFajl(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString mappaValasztas(QWidget*, const QString&, const QString&) override { return {}; }
    bool megnyit(const QUrl&) override { return false; }
    bool nyomtatas(QWidget* szulo, Nyomtatvany& n) override;
    void nyomtatasiKep(QWidget*, Nyomtatvany&) override {}
};
