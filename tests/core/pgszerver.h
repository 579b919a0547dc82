#pragma once
// A PostgreSQL server of the test's own: initdb into a temporary folder,
// started with its Unix socket in that folder and no TCP port, stopped and
// removed when the object goes. The machine's own clusters are never
// touched. As root, the server runs as the "postgres" system user (the
// server refuses to run as root).
#include <QString>
#include <QTemporaryDir>

class PgSzerver {
public:
    PgSzerver();
    ~PgSzerver();
    PgSzerver(const PgSzerver&) = delete;
    PgSzerver& operator=(const PgSzerver&) = delete;

    // False, with the reason, when the server could not be started.
    bool fut() const { return m_fut; }
    QString hiba() const { return m_hiba; }
    // The folder of the socket (libpq's host=).
    QString foglalat() const { return m_mappa.path(); }
    // A libpq connection string to database `adatbazis` as the test role.
    QString kapcsolat(const QString& adatbazis) const;
    // A new empty database; false with the reason in hiba().
    bool adatbazis(const QString& nev);

    static constexpr const char* Szerepkor = "kazettora";

private:
    QTemporaryDir m_mappa;
    QString m_bin, m_hiba;
    bool m_fut = false;
    bool futtat(const QStringList& parancs, QString* kimenet = nullptr);
};
