#include "windows/common/kozepre.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

void Kozepre(QWidget* w, const QRect& hova)
{
    if (hova.isValid()) w->move(hova.center() - w->rect().center());
}

void Kozepre(QWidget* w)
{
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (s) Kozepre(w, s->availableGeometry());
}
