#pragma once
// What the tests of the windows share: driving modal windows with the
// keyboard (the scripted modal seam is tests/print/tesztparbeszed.h).
#include "tests/print/tesztparbeszed.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QDeadlineTimer>
#include <functional>
#include <memory>

class QTableView;
#include <source_location>
#include <type_traits>

// Types text into a widget key by key: ASCII characters as their real keys,
// other characters (accented letters, emoji) as key events carrying the
// whole character, as a keyboard delivers it (never half a surrogate pair).
void Gepel(QWidget* w, const QString& szoveg);

// Presses a key in a window as the operator would: the window is made the
// active one first (the offscreen platform does not give the focus back to
// a window when a dialog over it closes), then the key goes to its focus.
void Nyom(QWidget* ablak, int billentyu, Qt::KeyboardModifiers mod = Qt::NoModifier);

// A double-click on a row of a grid, as the mouse delivers it: press and
// release, then the double-click.
void DuplaKatt(QTableView* racs, int sor);


// A modal window the test expects and the step that drives it; `majd`
// adds the next window of a chain (one step's end opens the next window),
// awaited once the step before it has ended. A window is told by the type of
// the step's parameter (qobject_cast) and, when given, its object name:
//
//     VartAblak v([&](TorzsAblak* a) { ...; Nyom(a, Qt::Key_Escape); });
//     VartAblak lanc("Tfrm_TorzsUgyfel", [&](QWidget* w) { ... });
//     lanc.majd("Tfrm_TorzsFizTip", [&](QWidget* w) { ... });
//
// A window opened inside a step (an edit dialog over a list) is expected by
// another VartAblak made inside that step. The step must leave its window
// closed. The test fails, with the place where the window was expected, when
// the window does not open within the time limit, when it is still open
// after its step, when a check inside the step failed, when the VartAblak is
// gone before its window opened, or (VartAblak::Soha) when a window that must
// not open does. Every modal window then still open is rejected, nested ones
// first, and so is any that opens later while the VartAblak lives, so the
// test program goes on instead of waiting forever.
class VartAblak {
public:
    static constexpr int AlapHatarido = 5000;   // ms from being armed until the window is there

    template <typename F>
    explicit VartAblak(F lepes, int hatarido = AlapHatarido, std::source_location hol = std::source_location::current())
        : VartAblak(hatarido, hol)
    {
        majd(QString(), std::move(lepes));
    }
    template <typename F>
    VartAblak(const QString& nev, F lepes, int hatarido = AlapHatarido,
              std::source_location hol = std::source_location::current())
        : VartAblak(hatarido, hol)
    {
        majd(nev, std::move(lepes));
    }
    // A window of type T that must not open while this lives: when one does,
    // the test fails and the window is closed.
    template <typename T> struct Soha {};
    template <typename T>
    explicit VartAblak(Soha<T>, std::source_location hol = std::source_location::current()) : VartAblak(0, hol)
    {
        m_soha = true;
        majd([](T*) {});
    }
    ~VartAblak();
    VartAblak(const VartAblak&) = delete;
    VartAblak& operator=(const VartAblak&) = delete;

    template <typename F>
    VartAblak& majd(F lepes) { return majd(QString(), std::move(lepes)); }
    template <typename F>
    VartAblak& majd(const QString& nev, F lepes)
    {
        using T = typename Parameter<decltype(&F::operator())>::Ablak;
        const char* tipus = T::staticMetaObject.className();
        hozzaad(nev.isEmpty() ? QString::fromLatin1(tipus) : nev,
                [nev](QWidget* w) { return qobject_cast<T*>(w) && (nev.isEmpty() || w->objectName() == nev); },
                [l = std::move(lepes)](QWidget* w) mutable { l(static_cast<T*>(w)); });
        return *this;
    }

    // True once every window of it opened and its step closed it.
    bool kesz() const { return m_kovetkezo >= m_lepesek.size(); }

private:
    template <typename M> struct Parameter;
    template <typename C, typename R, typename A> struct Parameter<R (C::*)(A) const> {
        using Ablak = std::remove_pointer_t<A>;
    };
    template <typename C, typename R, typename A> struct Parameter<R (C::*)(A)> {
        using Ablak = std::remove_pointer_t<A>;
    };
    struct Lepes {
        QString nev;
        std::function<bool(QWidget*)> illik;
        std::function<void(QWidget*)> fut;
    };

    VartAblak(int hatarido, std::source_location hol);
    void hozzaad(const QString& nev, std::function<bool(QWidget*)> illik, std::function<void(QWidget*)> fut);
    void figyel();
    void futtat(QWidget* w);
    void bukik(const QString& miert);

    QList<Lepes> m_lepesek;
    int m_kovetkezo = 0;
    int m_hatarido;
    QDeadlineTimer m_lejar;
    std::source_location m_hol;
    std::unique_ptr<QTimer> m_idozito;
    bool m_bukott = false;
    bool m_soha = false;
};

// Rejects every open modal window, the topmost first.
void ModalisAblakokatBezar();
