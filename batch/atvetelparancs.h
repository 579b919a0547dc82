#pragma once
// kazettora --program-dir DIR --migrate OLD [--ini FILE] [--dry-run]: a
// shop's earlier data folder (or a zip of it) taken over into a new
// installation at DIR, without a display, through the same code as the
// window. The table of counts and check figures goes to standard output,
// a refusal to standard error; the exit code is 0 or 1.
#include <QString>

int AtvetelParancs(const QString& programMappa, const QString& regi, const QString& ini, bool proba);
