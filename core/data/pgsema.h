#pragma once
// The schema on a PostgreSQL server: the same tables, fields, keys and
// named checks as the embedded file (Sema), written in the server's
// dialect, and the Hungarian order as an ICU collation of the server, so
// that lists sort and searches land as on the embedded file.
#include <QString>
#include <QStringList>

namespace PgSema {

// The collation the indexes and the lists name ("COLLATE HU" reads as hu):
// ICU's "hu" at secondary strength, letter case ignored, as HuFold orders.
QString rendezesDef();

// CREATE TABLE of one of Sema's tables.
QString tablaDef(const QString& tabla);

// Every statement that lays the current schema into an empty database:
// the collation, the tables, their indexes and the book-keeping table with
// the schema version.
QStringList letrehoz();

// Where the server keeps the schema version (the embedded file's
// PRAGMA user_version): a row of the book-keeping table under this name.
inline constexpr const char* VerzioKulcs = "sema_verzio";

} // namespace PgSema
