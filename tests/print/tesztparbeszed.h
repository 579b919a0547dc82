#pragma once
// What the tests of the reports and the windows share: a scripted modal seam
// over a temporary installation, and reading tables back from the disk.
#include "print/common/parbeszed.h"
#include "tests/core/tesztmag.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// Answers every modal box from a script and records what was shown.
class TesztParbeszed : public Parbeszed {
public:
    struct Doboz_ { Doboz fajta; QString cim, szoveg; };
    QList<Doboz_> dobozok;
    QList<bool> kerdesValaszok;          // answers to questions, in order; default No
    QList<double> szamValaszok;          // number dialog answers; empty: cancel
    struct SzamKerdes_ { QString cim, kerdes; double javasolt; };
    QList<SzamKerdes_> szamKerdesek;     // number dialogs asked, with the value proposed
    QList<QString> szovegValaszok;       // text dialog answers; empty: cancel
    QStringList fajlValaszok;            // file and folder dialogs; empty: cancel
    QList<QUrl> megnyitottak;
    // Print hand-offs: each is painted into a PDF file of its own, so a
    // test can read back what would have been printed or previewed.
    struct Nyomtatas_ { QString cim; bool elonezet; QString pdf; };
    QList<Nyomtatas_> nyomtatasok;
    QStringList hibak() const;           // texts of the error boxes
    int hangok = 0;                      // warning sounds

    bool doboz(QWidget*, Doboz fajta, const QString& cim, const QString& szoveg) override;
    bool szamBevitel(QWidget*, const QString&, const QString&, double& ertek) override;
    bool maszkosBevitel(QWidget*, const QString&, const QString&, const QString&, QString& ertek) override;
    QString megnyitandoFajl(QWidget*, const QString&, const QString&, const QString&) override;
    QString mentendoFajl(QWidget*, const QString&, const QString&, const QString&) override;
    QString mappaValasztas(QWidget*, const QString&, const QString&) override;
    bool megnyit(const QUrl& cel) override;
    bool nyomtatas(QWidget*, Nyomtatvany& n) override;
    void nyomtatasiKep(QWidget*, Nyomtatvany& n) override;
    void hang() override { ++hangok; }
private:
    bool pdfbe(Nyomtatvany& n, bool elonezet);
    QTemporaryDir m_nyomtatasMappa;
};

// A temporary installation whose modal boxes the test answers.
class TesztTelepites : public MagTelepites {
public:
    explicit TesztTelepites(bool minta = false, bool belepes = false);
    ~TesztTelepites() override;
    TesztParbeszed parbeszed;
};
