#pragma once
// The database engine under the session: what one engine does differently
// from another, in one place, so the rules above it speak portable SQL. The
// engine in use is chosen once, in motor(); today it is SQLite.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>
#include <vector>

namespace Adatbazis {

// A connection of its own to the session's database for the statements an
// administrator types (the free statement window), held while that window
// is open. It is set up as the session is (the Hungarian functions and
// collation), and it is guarded: a statement that would change the shop's
// schema or the engine's settings is refused when it is prepared, whatever
// it is written like: DROP, ALTER and CREATE on the program's tables and
// their indexes, a table, view or index named like one of them (a temporary
// one included), a trigger on them, a PRAGMA that sets a value, ATTACH,
// DETACH and VACUUM (VACUUM INTO as well). Reading, INSERT, UPDATE and
// DELETE stay free. Nothing it creates for itself (temporary tables, views,
// triggers) is seen by the session.
class SajatKapcsolat {
public:
    virtual ~SajatKapcsolat() = default;
    virtual QSqlDatabase db() const = 0;
    // Why the guard refused a statement since the last tiltasTorol(), in
    // Hungarian: the engine's own error then only says it was not allowed.
    // Empty when it refused nothing.
    virtual QString tiltas() const = 0;
    virtual void tiltasTorol() = 0;
};

class Motor {
public:
    virtual ~Motor() = default;

    // The Qt SQL driver that reaches it.
    virtual QString driver() const = 0;

    // Connection set-up: Hungarian-aware UPPER/LOWER/LIKE, hu_kezdodik,
    // the HU collation and the engine's settings. False with a Hungarian
    // message when it cannot be done (the collator missing).
    virtual bool beallit(QSqlDatabase& db, QString* hiba) const = 0;

    // The first column of every row as a key, the fastest way the engine
    // has: a million keys in a fraction of a second. `varhato`: about how
    // many there will be (room is made for them at once: growing the list
    // step by step cost as much as reading it).
    virtual std::vector<qint64> kulcsokOlvas(const QSqlDatabase& db, const QString& sql, const QVariantList& param,
                                             size_t varhato = 0) const = 0;

    // The same keys a batch at a time from one statement kept open, so that a
    // long list shows its first rows before the rest is read. olvas()
    // appends at most `legfeljebb` keys and returns false once every key was
    // read. Throws AdatbazisHiba.
    class KulcsFolyam {
    public:
        virtual ~KulcsFolyam() = default;
        virtual bool olvas(std::vector<qint64>& ide, int legfeljebb) = 0;
    };
    virtual std::unique_ptr<KulcsFolyam> kulcsFolyam(const QSqlDatabase& db, const QString& sql,
                                                     const QVariantList& param) const = 0;

    // The statements that begin a read snapshot and pin it, in order.
    virtual QStringList pillanatkepKezdete() const = 0;
    // The statement that begins a writing transaction.
    virtual QString irasKezdete() const = 0;
    // True while the connection is inside a transaction.
    virtual bool tranzakcioban(const QSqlDatabase& db) const = 0;
    // Whether a statement is prepared before it runs; one the engine cannot
    // prepare (a server prepares no BEGIN or DDL) runs as it is, when it
    // has no values to bind.
    virtual bool elokeszitheto(const QString& sql) const
    {
        Q_UNUSED(sql);
        return true;
    }

    // The lock that keeps a second copy of the program off a database
    // (`fajl`): false with the message when another copy holds it. When it
    // cannot be written, the reason goes to `irasiAkadaly` and the open goes on.
    virtual bool zarol(const QString& fajl, QString* hiba, QString* irasiAkadaly) = 0;
    virtual void zarFelold() = 0;

    // A copy of the whole database at `celFajl`, as it was committed at
    // one moment, taken while others read and write: what the archive
    // holds when the file itself cannot be read still. False with the
    // engine's own words.
    virtual bool masolat(const QSqlDatabase& forras, const QString& celFajl, QString* hiba) const = 0;

    // The schema: creating it in an empty database, checking an existing
    // one (empty text when it is ours) and bringing it up to date. See Sema.
    virtual void semaLetrehoz(QSqlDatabase& db) const = 0;
    virtual QString semaEllenoriz(QSqlDatabase& db) const = 0;
    virtual void semaFrissit(QSqlDatabase& db) const = 0;

    // A guarded connection of its own to the database `munkamenet` is open
    // on (see SajatKapcsolat). Throws AdatbazisHiba when it cannot be made.
    virtual std::unique_ptr<SajatKapcsolat> sajatKapcsolat(const QSqlDatabase& munkamenet) const = 0;
};

// The engine in use: the embedded file unless a session was opened on a
// server (nyitKiszolgalo); closing the session returns to the default.
Motor& motor();
Motor& sqliteMotor();
Motor& pgMotor();
void motorBeallit(Motor& m);

} // namespace Adatbazis
