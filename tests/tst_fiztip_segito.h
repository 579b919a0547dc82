#pragma once
// Driving the rental period and price windows from the tests: modal windows
// found by name, typing with Hungarian letters, double-clicks.
#include "refdata/torzsablak.h"

#include <QApplication>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

QList<QPointer<QTimer>> g_varakozok;

// Runs `lepes` on the modal window of that object name once it is shown;
// whatever the step leaves open is closed, so a failing step never hangs.
void Ablakban(const QString& nev, std::function<void(QDialog*)> lepes)
{
    auto* idozito = new QTimer;
    idozito->setInterval(10);
    QObject::connect(idozito, &QTimer::timeout, [idozito, nev, lepes] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible() || d->objectName() != nev) return;
        idozito->stop();
        idozito->deleteLater();
        QApplication::setActiveWindow(d);
        lepes(d);
        if (d->isVisible()) d->reject();
        // The window manager gives the activation back to the window below;
        // the offscreen platform has none.
        if (d->parentWidget()) QApplication::setActiveWindow(d->parentWidget()->window());
    });
    idozito->start();
    g_varakozok << idozito;
}

// Timers of windows that never opened: the step they waited for is missing.
int ElmaradtAblakok()
{
    int n = 0;
    for (const QPointer<QTimer>& t : std::as_const(g_varakozok))
        if (t && t->isActive()) {
            ++n;
            delete t;
        }
    g_varakozok.clear();
    return n;
}

// A double-click on a grid row, through the window as a user's would come.
void DuplaKattintas(TorzsAblak* a, int sor)
{
    const QRect r = a->DBGrid1->visualRect(a->modell()->index(sor, 0));
    QTest::mouseDClick(a->windowHandle(), Qt::LeftButton, {}, a->DBGrid1->viewport()->mapTo(a, r.center()));
}

} // namespace
