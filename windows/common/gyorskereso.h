#pragma once
// The quick-search field of a list window. Every change of its text is read
// by the one quick-search rule (core/common/gyorskereses.h); when the text
// asks for a code or a name beginning, the window's own search runs it
// against its list (by index) and moves the current row, or leaves it when
// nothing matches. In code mode the field takes the digits 0-9 only, typed
// or pasted; entering the field selects its whole text; the window's
// shortcuts come before the field's own keys (Ctrl+Del deletes the row).
// A scanned label that is not this list's (a wrong check digit, the other
// kind's label) moves nothing: the row goes back to where it was.
#include "core/common/gyorskereses.h"

#include <QObject>
#include <functional>

class QAbstractItemView;
class QLineEdit;

class GyorsKereso : public QObject {
    Q_OBJECT
public:
    using Kereses = std::function<void(const GyorsKereses::Kerdes&)>;

    // `racs`, when given, takes the Up, Down, PageUp and PageDown keys
    // typed in the field, so the list can be walked without leaving it.
    GyorsKereso(QLineEdit* mezo, GyorsKereses::Mod mod, Kereses kereses, QAbstractItemView* racs = nullptr);

    QLineEdit* mezo() const { return m_mezo; }
    GyorsKereses::Mod mod() const { return m_mod; }
    // The field's text stays; the caller empties it when the mode change
    // should (which runs the search on the empty text: nothing moves).
    void modBeallit(GyorsKereses::Mod mod);
    // Runs the search on the field's text as it stands.
    void keres();
    // The list whose row a refused label puts back (the walking list, when given).
    void helyRacs(QAbstractItemView* racs) { m_racs = racs; }
    // The window's search says it found the row asked for: a scanned label
    // that found none is refused at its Enter instead of choosing the row
    // that happens to be current.
    void talalt() { m_talalt = true; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QLineEdit* m_mezo;
    GyorsKereses::Mod m_mod;
    Kereses m_kereses;
    QAbstractItemView* m_racs = nullptr;
    // A label's digits move the list as they come; a label refused, or one
    // of the other kind, puts the row back where the text began.
    QString m_elozo;
    int m_elotteSor = -1;
    bool m_talalt = false;
    // The refusal of the field's text at Enter, or empty.
    QString enterHiba() const;
    // The row back to where the field's text began.
    void visszaAll();
};
