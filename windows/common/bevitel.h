#pragma once
// Conventions of the edit windows: the focus colour of edit fields and the
// Enter key that moves to the next control.
#include <QObject>
#include <QColor>
#include <QFontMetrics>
#include <QStringList>

class QLineEdit;
class QWidget;

inline const QColor FokuszSzin(0xA6, 0xCA, 0xF0);

// Edit fields, combo boxes and date editors under `ablak` take the focus
// colour while they have the focus.
void FokuszSzinAlkalmaz(QWidget* ablak);
// Enter in a control of `ablak` (other than a multi-line text field) moves
// the focus to the next control instead of accepting; Enter on a push
// button presses it.
void EnterTovabbAlkalmaz(QWidget* ablak);

// Limits typing in a text field to `hossz` characters as the tables count
// them (code points: an emoji is one, and never half of one). Text that
// arrives whole (a paste, a drop) is not cut: what is too long for the table
// is refused when it is saved, with the field named. Replaces QLineEdit's
// own limit, which counts UTF-16 units and cuts inside a character. Called
// again on the same field, it changes the limit.
void KarakterKorlat(QLineEdit* mezo, int hossz);

// In `mezo` (a quick-search field), a key that is the shortcut of an
// enabled action of its window runs the action instead of editing the text
// (Ctrl+Del deletes the row, not the word).
void MuveletElsobbseg(QWidget* mezo);

// The average letter width and the letter height of a font: the unit the
// small dialogs are laid out in.
struct BetuMeret { int szeles; int magas; };
BetuMeret AtlagosBetu(const QFontMetrics& fm);

// A quick-search field: Up, Down, PageUp and PageDown walk `racs` while the
// operator keeps typing.
class QAbstractItemView;
class QLineEdit;
void KeresoMezo(QLineEdit* mezo, QAbstractItemView* racs);
// A code field: digits only, typed or pasted (`be`), or any text again.
void CsakSzamjegy(QLineEdit* mezo, bool be);
// The width a window needs for the window system to show `cim` whole in its
// title bar (in a larger, bold font, beside an icon and three buttons).
int CimSzelesseg(const QString& cim);

// A fixed dialog of one group of radio choices over "OK" and "Mégsem": the
// choices are named `nevElotag` + index, the first is checked and has the
// focus, Enter anywhere but on "Mégsem" accepts, Esc and the close box
// reject; sized for its caption and centred on the screen.
class QButtonGroup;
class QDialog;
class QGroupBox;
class QPushButton;
class QRadioButton;
struct ValasztoElemek {
    QGroupBox* csoport;
    QButtonGroup* gombok;
    QPushButton* ok;
    QPushButton* megsem;
};
ValasztoElemek ValasztoDialogus(QDialog* d, const QString& csoportCim, const QStringList& feliratok,
                                const QString& nevElotag, QRadioButton** valasztasok);
