#pragma once
// Lays down a new installation: the data folder with a new database holding
// the delivered rows a shop needs on day one, and optionally a sample
// catalogue. Never touches an existing database.
#include "core/admin/tulajdonos.h"

#include <QString>

class QSqlDatabase;

namespace Telepites {

// Creates `programMappa`/Data/kazettora.db. Returns false with a Hungarian
// message when the database already exists or cannot be written; a failed
// run leaves no database file behind. The shop's details are `tulajdonos`;
// without them the sample shop has its invented owner and a real shop an
// empty row, which the program asks to fill in at its first start.
bool telepit(const QString& programMappa, bool mintaval, QString* hiba,
             const TulajdonosAdat* tulajdonos = nullptr);

// The parts, for tools that build a database of their own (benchmarks).
// `belepes`: the program asks for a user and password at start (the
// delivered user "rendszergazda").
void alapadatok(QSqlDatabase& db, bool belepes = true, const TulajdonosAdat& tulajdonos = Tulajdonos::Minta());
void mintaKatalogus(QSqlDatabase& db);
// The delivered postal codes alone (for a shop that brings no list of its own).
void iranyitoszamok(QSqlDatabase& db);

} // namespace Telepites
