#include "windows/common/muvelet.h"
#include "windows/common/keplista.h"

#include <QAction>
#include <QHash>
#include <QWidget>

const ParancsSor* ParancsNevrol(const QString& nev)
{
    static const QHash<QString, const ParancsSor*> h = [] {
        QHash<QString, const ParancsSor*> x;
        for (const ParancsSor& s : ParancsTabla) x.insert(QString::fromLatin1(s.nev), &s);
        return x;
    }();
    return h.value(nev);
}

QAction* MuveletKeszit(QWidget* ablak, Parancs parancs, const QString& felirat,
                       const QList<QKeySequence>& billentyuk, const QString& tipp)
{
    return MuveletKeszit(ablak, ParancsNev(parancs), felirat, billentyuk, tipp);
}

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
