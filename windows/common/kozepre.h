#pragma once
// Where a window that is not placed by the user first appears: in the
// middle of the desktop (its free area, without panels), or of a given
// rectangle (the calling window's frame). Call once the size is final.
class QRect;
class QWidget;

void Kozepre(QWidget* w);
void Kozepre(QWidget* w, const QRect& hova);
