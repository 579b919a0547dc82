#pragma once
// What the tests share: a scripted modal seam, a temporary installation,
// the Hungarian locale and a fixed clock.
#include "common/parbeszed.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

// Answers every modal box from a script and records what was shown.
class TesztParbeszed : public Parbeszed {
public:
    struct Doboz_ { Doboz fajta; QString cim, szoveg; };
    QList<Doboz_> dobozok;
    QList<bool> kerdesValaszok;          // answers to questions, in order; default No
    QList<double> szamValaszok;          // number dialog answers; empty: cancel
    QList<QString> szovegValaszok;       // text dialog answers; empty: cancel
    QStringList fajlValaszok;            // file and folder dialogs; empty: cancel
    QList<QUrl> megnyitottak;
    // Print hand-offs: each is painted into a PDF file of its own, so a
    // test can read back what would have been printed or previewed.
    struct Nyomtatas_ { QString cim; bool elonezet; QString pdf; };
    QList<Nyomtatas_> nyomtatasok;
    QStringList hibak() const;           // texts of the error boxes

    bool doboz(QWidget*, Doboz fajta, const QString& cim, const QString& szoveg) override;
    bool szamBevitel(QWidget*, const QString&, const QString&, double& ertek) override;
    bool maszkosBevitel(QWidget*, const QString&, const QString&, const QString&, QString& ertek) override;
    QString megnyitandoFajl(QWidget*, const QString&, const QString&, const QString&) override;
    QString mentendoFajl(QWidget*, const QString&, const QString&, const QString&) override;
    QString mappaValasztas(QWidget*, const QString&, const QString&) override;
    bool megnyit(const QUrl& cel) override;
    bool nyomtatas(QWidget*, Nyomtatvany& n) override;
    void nyomtatasiKep(QWidget*, Nyomtatvany& n) override;
private:
    bool pdfbe(Nyomtatvany& n, bool elonezet);
    QTemporaryDir m_nyomtatasMappa;
};

// A program folder in a temporary directory, with a new database
// (optionally the sample catalogue) and the seam installed.
class TesztTelepites {
public:
    explicit TesztTelepites(bool minta = false);
    ~TesztTelepites();
    QString mappa() const { return m_dir.path(); }
    QString adatMappa() const { return m_dir.path() + "/Data"; }
    // Opens the session as the main window would (for tests of the core).
    void nyit();
    TesztParbeszed parbeszed;
private:
    QTemporaryDir m_dir;
};

// Pins hu_HU and a fixed clock for the whole test program.
void TesztKornyezet();
inline const QDateTime TesztMost(QDate(2026, 3, 14), QTime(15, 30, 0));

// Runs `lepes` on the next modal window that opens (from a timer), so a
// test can drive a window that exec()s.
void HaMegnyilik(std::function<void(QWidget*)> lepes);
// Types text into a widget key by key: ASCII characters as their real keys,
// other characters (accented letters, emoji) as key events carrying the
// whole character, as a keyboard delivers it (never half a surrogate pair).
void Gepel(QWidget* w, const QString& szoveg);

// While alive, files may grow to at most `bajt` bytes in this process, as
// if the disk were full beyond them: writes past it fail (EFBIG), short.
class TeliLemez {
public:
    explicit TeliLemez(qint64 bajt);
    ~TeliLemez();
private:
    qint64 m_regi = 0;
};

// While alive, this thread is bound by file permissions even as root
// (CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH left out of its effective
// capabilities), so a test can meet a read-only or inaccessible folder.
// ervenyes() is false when that could not be arranged (the test skips).
class JogokKorlatozva {
public:
    JogokKorlatozva();
    ~JogokKorlatozva();
    bool ervenyes() const { return m_ervenyes; }
private:
    bool m_ervenyes = false;
    bool m_visszaallit = false;
    quint32 m_regi[2] = {};
};

// Presses a key in a window as the operator would: the window is made the
// active one first (the offscreen platform does not give the focus back to
// a window when a dialog over it closes), then the key goes to its focus.
void Nyom(QWidget* ablak, int billentyu, Qt::KeyboardModifiers mod = Qt::NoModifier);
// The same for the next modal window whose object name is `nev`
// ("Tfrm_TorzsUgyfel"), so steps through a chain of windows can be queued.
void HaMegnyilik(const QString& nev, std::function<void(QWidget*)> lepes);

// Runs `lepes` on the next active modal window of type T; a window the step
// leaves open is closed with the cancel result. The returned timer keeps
// watching until then (destroy it to stop).
template <typename T>
std::unique_ptr<QTimer> haNyilik(std::function<void(T*)> lepes)
{
    auto t = std::make_unique<QTimer>();
    QTimer* p = t.get();
    p->setInterval(5);
    QObject::connect(p, &QTimer::timeout, [p, lepes] {
        auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!w || !w->isVisible() || !w->isActiveWindow()) return;
        p->stop();
        lepes(w);
        if (w->isVisible()) w->reject();
    });
    p->start();
    return t;
}
