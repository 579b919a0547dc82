#pragma once
// Files the program writes land whole or not at all: each is written under a
// temporary name beside its target (same disk, so the rename is atomic) and
// takes the target's place only once it is complete on the disk. A run that
// is killed meanwhile leaves only a temporary, which the next run removes.
// Also the one place where the system's reasons become Hungarian sentences.
#include <QString>

namespace Fajliras {

// The Hungarian sentence (with its full stop) for a system error number.
QString RendszerHiba(int hibaszam);

// The temporary name for `cel`: "<cel>.kazettora-<pid>.tmp". The marker and
// the process number tell a later run that it is a leftover of this program
// and whether its writer is still alive. Further suffixes after it (a zip
// writer's own temporary, a copy of the database) count as the same.
QString IdeiglenesNev(const QString& cel);

// Puts the finished temporary in `cel`'s place: the file synced, renamed
// over `cel`, the folder synced. On failure false with the Hungarian reason
// in `hiba`, the temporary removed (kept with `megtart`, for a caller that
// retries later) and an older `cel` as it was.
bool Helyere(const QString& ideiglenes, const QString& cel, QString* hiba, bool megtart = false);

// Writes `adat` as the whole of `fajl` through a temporary and Helyere().
// On failure false with the reason alone (a sentence from RendszerHiba) in
// `ok`, and an older `fajl` as it was.
bool Ir(const QString& fajl, const QByteArray& adat, QString* ok);

// Removes from `mappa` (not its subfolders) the temporaries of runs of this
// program that ended without finishing (their process is gone). Returns how
// many went.
int Maradekok(const QString& mappa);

// True for a name IdeiglenesNev() gives (with or without further suffixes).
bool IdeiglenesE(const QString& fajlNev);

} // namespace Fajliras
