#pragma once
// The one database session of the program (connection "Kazettora") over the
// SQLite file of the data folder, and the few helpers every window uses to
// run statements on it. Saves are durable when they return: WAL with
// synchronous=FULL, one transaction per user operation.
#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <stdexcept>
#include <vector>

struct sqlite3;

class AdatbazisHiba : public std::runtime_error {
public:
    // What failed, so the caller can choose its words without reading the
    // message: the store itself, the data it refused, or a line of an input
    // file. Set where the error arises (from the engine's result code).
    enum class Fajta {
        Egyeb,     // a rule of the program, a wrong statement, anything else
        Tarolas,   // full disk, I/O error, read-only, locked or busy, damaged, cannot be opened
        Adat,      // refused data: a constraint, check, unique key, missing value
        Bemenet,   // a bad line of an input file; sor() is its number when known
    };
    explicit AdatbazisHiba(const QString& uzenet, Fajta fajta = Fajta::Egyeb, int sor = 0)
        : std::runtime_error(uzenet.toStdString()), m_uzenet(uzenet), m_fajta(fajta), m_sor(sor) {}
    QString uzenet() const { return m_uzenet; }
    Fajta fajta() const { return m_fajta; }
    // A failure of the store itself, no fault of what was typed.
    bool tarolasi() const { return m_fajta == Fajta::Tarolas; }
    // The line of the input file (from 1), 0 when unknown.
    int sor() const { return m_sor; }
private:
    QString m_uzenet;
    Fajta m_fajta;
    int m_sor;
};

namespace Adatbazis {

inline constexpr const char* KapcsolatNev = "Kazettora";
inline constexpr const char* FajlNev = "kazettora.db";

QString fajlUtvonal(const QString& mappa);

// Opens the existing database of the data folder; never creates one.
// A file that passes the checks is then brought up to date in one
// transaction: the schema version (Sema::frissit) and, when the running
// collator's version differs from the one the indexes were built with, the
// indexes ordered by HU. On failure returns false with a Hungarian message
// and leaves no connection open. A file it refuses is only read, never
// changed. While open, the data folder is locked against a second copy of
// the program (in any process); zar() lets it go, and so does the end of
// the process.
//
// A batch run from the command line (export, report, archive, import)
// opens `Mellette`: without the lock, so it also runs while the program is
// open at the counter; the engine's own locking keeps the two apart.
enum class Nyitas { Egyedul, Mellette };
bool nyit(const QString& mappa, QString* hiba, Nyitas mod = Nyitas::Egyedul);
// Opens the session on a PostgreSQL server by a libpq connection string
// (see Kiszolgalo): the schema there must be the program's; no single-copy
// lock, the server keeps several counters apart. False with a Hungarian
// message and no connection left open.
bool nyitKiszolgalo(const QString& kapcsolat, QString* hiba);
void zar();
// Why the open database cannot be written (a read-only file or folder), or
// empty text when it can.
QString irasiAkadaly();
bool nyitva();
QSqlDatabase db();

// Connection set-up shared by the session, the installer and the tools:
// Hungarian-aware UPPER/LOWER/LIKE, hu_kezdodik(text, prefix) (case-blind
// "begins with", letter for letter), the HU collation (ICU's Hungarian
// order, see HuFold), and the pragmas. Refuses when the collator is missing.
bool beallit(QSqlDatabase& db, QString* hiba);
sqlite3* kezelo(const QSqlDatabase& db);
// The first column of every row of the statement as a key, straight through
// the C API: a million keys in a fraction of a second. Throws AdatbazisHiba
// with the engine's reason in Hungarian.
std::vector<qint64> kulcsokOlvas(const QString& sql, const QVariantList& param = {});

QString hibaSzoveg(const QSqlQuery& q);
// The failure of a query as thrown: hibaSzoveg() with the kind of the
// engine's result code.
AdatbazisHiba hiba(const QSqlQuery& q);
// The engine's English refusals in Hungarian (constraint names already are).
QString magyarHiba(const QString& motorUzenet);

// Runs one statement with positional (?) or named (:x) parameters; throws
// AdatbazisHiba with the engine's message on failure. Values of type QDate
// and QTime are stored in their ISO text form.
QSqlQuery vegrehajt(const QSqlDatabase& db, const QString& sql, const QVariantList& param = {});
QSqlQuery vegrehajt(const QString& sql, const QVariantList& param = {});
// First column of the first row, or an invalid QVariant.
QVariant ertek(const QString& sql, const QVariantList& param = {});

// A statement prepared once and run for every row of an operation: reading
// a short statement's text costs more than running it. elokeszit() throws
// AdatbazisHiba when the statement is wrong; futtat() binds the values (as
// vegrehajt does) and runs it, throwing on failure. Call finish() on a
// SELECT once its rows are read, and let the query go before the
// transaction it ran in ends.
QSqlQuery elokeszit(const QString& sql);
void futtat(QSqlQuery& q, const QVariantList& param = {});

// True while a transaction is open on the connection (not in autocommit).
bool tranzakcioban(const QSqlDatabase& db = Adatbazis::db());

// All of it or none of it, and transactions compose: the outermost one on a
// connection is BEGIN IMMEDIATE (the write lock is taken at once, so what is
// read inside stays true until the commit) and COMMIT on jovahagy(), which
// returns once the change is on disk; one opened while another is open joins
// it as a SAVEPOINT, released on jovahagy() and rolled back when destroyed
// without it. Nothing an inner one approved is stored unless the outermost
// one is approved too, so a save (Rekord::ment) inside an operation's
// transaction is part of that operation.
// Told after every outermost commit (Tranzakcio::jovahagy): what the shop's
// data shows may have changed. The lists re-read what they show here, in one
// place, instead of each window refreshing them after it closes.
class Valtozas : public QObject {
    Q_OBJECT
signals:
    void valtozott();
};
Valtozas& valtozas();

// A read snapshot (Tranzakcio(Olvasas::Pillanatkep)): every read inside
// sees what was committed when it began and nothing later, while writers
// go on. Nothing is written through it; inside an open transaction it
// joins that one, whose view already holds still.
enum class Olvasas { Pillanatkep };

class Tranzakcio {
public:
    explicit Tranzakcio(const QSqlDatabase& db = Adatbazis::db());
    explicit Tranzakcio(Olvasas, const QSqlDatabase& db = Adatbazis::db());
    ~Tranzakcio();
    // Commits (or releases the savepoint); ends a snapshot.
    void jovahagy();
    bool kulso() const { return m_szerep == Szerep::Kulso; }
    Tranzakcio(const Tranzakcio&) = delete;
    Tranzakcio& operator=(const Tranzakcio&) = delete;
private:
    enum class Szerep : char { Kulso, Mentesipont, Pillanatkep, Csatlakozott };
    void vege();
    QSqlDatabase m_db;
    QString m_mentesipont;   // for Szerep::Mentesipont
    Szerep m_szerep = Szerep::Kulso;
    bool m_kesz = false;
};

} // namespace Adatbazis
