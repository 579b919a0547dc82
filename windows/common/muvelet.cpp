#include "windows/common/muvelet.h"
#include "windows/common/keplista.h"

#include <QAction>
#include <QWidget>

QAction* MuveletKeszit(QWidget* ablak, const QString& nev, const QString& felirat,
                       const QList<QKeySequence>& billentyuk, const QString& tipp)
{
    auto* a = new QAction(KepLista::ikon(nev), felirat, ablak);
    a->setObjectName(nev);
    a->setToolTip(tipp.isEmpty() ? felirat : tipp);
    a->setStatusTip(a->toolTip());
    a->setShortcuts(billentyuk);
    a->setShortcutContext(Qt::WindowShortcut);
    ablak->addAction(a);
    return a;
}
