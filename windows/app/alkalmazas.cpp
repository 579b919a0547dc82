#include "windows/app/alkalmazas.h"
#include "core/common/qtforditas.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QToolTip>
#include <QWheelEvent>

namespace {

// Every wheel notch, in any window, becomes an Up or Down arrow key for the
// control with the focus: one notch moves one row.
class GorgoSzuro : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Wheel) return false;
        auto* w = static_cast<QWheelEvent*>(e);
        const Qt::Key k = w->angleDelta().y() > 0 ? Qt::Key_Up : Qt::Key_Down;
        QWidget* cel = QApplication::focusWidget();
        if (!cel) cel = qobject_cast<QWidget*>(o);
        if (!cel) return false;
        QKeyEvent le(QEvent::KeyPress, k, Qt::NoModifier);
        QKeyEvent fel(QEvent::KeyRelease, k, Qt::NoModifier);
        QCoreApplication::sendEvent(cel, &le);
        QCoreApplication::sendEvent(cel, &fel);
        return true;
    }
};

} // namespace

void AlkalmazasBeallit(QApplication& app)
{
    // No display name: Qt would add it to every window's caption, and each
    // caption is exactly the window's own.
    app.setApplicationName(QStringLiteral("Kazettora"));
    QtForditasBetolt();
    // Tahoma's place is taken by a free sans font with the same letters.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    app.setFont(f);
    QPalette tipp = QToolTip::palette();
    tipp.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xDA, 0xB5));
    tipp.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tipp);
    static GorgoSzuro* gorgo = nullptr;
    if (!gorgo) {
        gorgo = new GorgoSzuro(&app);
        app.installEventFilter(gorgo);
    }
}
