#pragma once
// Lays down a new installation: the data folder with a new database holding
// the delivered rows a shop needs on day one, and optionally a sample
// catalogue. Never touches an existing database.
#include <QString>

class QSqlDatabase;

namespace Telepites {

// Creates `programMappa`/Data/kazettora.db. Returns false with a Hungarian
// message when the database already exists or cannot be written; a failed
// run leaves no database file behind.
bool telepit(const QString& programMappa, bool mintaval, QString* hiba);

// The parts, for tools that build a database of their own (benchmarks).
// `belepes`: the program asks for a user and password at start (the
// delivered user "rendszergazda").
void alapadatok(QSqlDatabase& db, bool belepes = true);
void mintaKatalogus(QSqlDatabase& db);

} // namespace Telepites
