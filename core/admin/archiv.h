#pragma once
// The archive of the data folder: one zip file holding every file of the
// folder and of its subfolders under paths relative to it, the database as
// one consistent copy of everything committed (never the file as it lies
// beside its write-ahead log).
#include <QDate>
#include <QString>
#include <QStringList>

namespace Archiv {

// The name offered for today's archive: the archive folder and the day as
// "yyyymmdd.zip". Two archives on one day share it; the second replaces the first.
QString JavasoltNev(const QString& archivMappa, const QDate& nap);

// True when the closing of the program should offer an archive: five or
// more whole days since the last one (an unknown date counts as long ago).
bool EmlekeztetoKell(const QDate& mentesDatum, const QDate& ma);

// Creates the archive folder when it is missing; false with the reason.
bool MappaLetrehoz(const QString& mappa, QString* hiba);

// Writes the archive of `adatMappa` to `cel` (deflate at the fastest level).
// The database goes in as a copy taken through the engine's online backup,
// so commits of this or another process, still in the log, are in it and
// nothing half-written is; its log, shared-memory and lock files stay out.
// An existing `cel` is replaced only once the new archive is whole. Returns
// false with the reason in Hungarian; nothing is left behind then, and an
// older archive of that name stays as it was. What a killed earlier run left
// beside `cel` is removed first. Only regular files go in: links (never
// followed), named pipes, sockets and devices are left out and listed in
// `kihagyott` (paths relative to the data folder).
bool Keszit(const QString& adatMappa, const QString& cel, QString* hiba, QStringList* kihagyott = nullptr);

// What to tell about the files Keszit() left out; empty when none was.
QString KihagyottUzenet(const QStringList& kihagyott);

} // namespace Archiv
