#include "core/data/ora.h"

namespace {
QDateTime g_rogzitett;
}

QDateTime Most()
{
    if (g_rogzitett.isValid()) return g_rogzitett;
    const QDateTime m = QDateTime::currentDateTime();
    // Whole seconds: the stored times have no fractions.
    return m.addMSecs(-m.time().msec());
}

void OraBeallit(const QDateTime& rogzitett) { g_rogzitett = rogzitett; }
