#pragma once
// The clock every rule reads; tests set it to a fixed moment.
#include <QDateTime>

QDateTime Most();
inline QDate Ma() { return Most().date(); }
// An invalid moment restores the system clock.
void OraBeallit(const QDateTime& rogzitett);
