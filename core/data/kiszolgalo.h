#pragma once
// Which engine holds the shop's data, as the settings file says: the
// embedded file (the default) or a PostgreSQL server reached by a libpq
// connection string. Section [Adatbazis]: Motor=SQLite|PostgreSQL,
// Kapcsolat=<libpq connection string>. A password is never accepted there:
// libpq's password file (~/.pgpass, PGPASSFILE) or the server's peer
// authentication supplies it.
#include <QString>

class IniFajl;

namespace Kiszolgalo {

enum class Motor { SQLite, PostgreSQL };

struct Beallitas {
    Motor motor = Motor::SQLite;
    QString kapcsolat;   // PostgreSQL only
};

inline constexpr const char* Szakasz = "Adatbazis";

// Why a connection string cannot be used, in Hungarian; empty when it can.
// It is read by libpq itself, so what libpq accepts (key=value pairs or a
// postgresql:// URI) is what is accepted here.
QString KapcsolatEllenoriz(const QString& kapcsolat);

// The engine of the settings file; false with the Hungarian reason when
// the section names an unknown engine or a connection string refused.
bool Olvas(const IniFajl& ini, Beallitas* b, QString* hiba);

} // namespace Kiszolgalo
