#pragma once
// Where a top-level window stands: the saved frame corner and inner size,
// or full screen, where the whole window, frame included, takes the work
// area. A window manager tells the frame's size only once the window is up,
// so the full-screen window follows it then. The window calls elottMegjelenik()
// from setVisible() and megjelent() from its first showEvent(); the moves and
// resizes are watched here.
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

class AblakHely : public QObject {
public:
    struct Hely {
        bool teljesKep = false;
        QPoint sarok;   // the frame's top-left corner
        QSize meret;    // the inner size
    };

    AblakHely(QWidget* ablak, Hely hely);
    void helyValtozik(const Hely& hely) { m_hely = hely; }

    // Before the window system's window exists: a position given then is the
    // frame's corner, and the window system keeps it so even where the
    // frame's size is learnt only after the window appears.
    void elottMegjelenik();
    // The first showing (the window shown once before, or created early:
    // the place is set now, the frame's corner where it is known).
    void megjelent();

    // What to save: the frame's corner and the inner size, which showing
    // gives back.
    static Hely mentendo(const QWidget* ablak);

    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* m_ablak;
    Hely m_hely;
    bool m_kesz = false;        // the place of the first showing is set
    bool m_megmutatva = false;
    bool m_teljesKep = false;   // shown full-screen: follows the frame's size
    QMargins m_keret;           // the frame counted when the place was set

    void beallit();
    void teljesKepIgazit();
    QRect munkaterulet() const;
    QMargins keretMeret() const;
};
