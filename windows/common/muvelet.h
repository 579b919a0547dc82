#pragma once
// The one way an action is made: named as its handler expects ("aKolcsonoz"),
// its icon from the image list, the caption as its hint in the tool tip and
// the status bar, its keys, and added to its window so the keys work
// anywhere in it.
#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QWidget;

QAction* MuveletKeszit(QWidget* ablak, const QString& nev, const QString& felirat,
                       const QList<QKeySequence>& billentyuk = {}, const QString& tipp = {});
