#include "core/data/adatbazis.h"
#include "core/data/fajliras.h"
#include "core/data/hufold.h"
#include "core/data/motor.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// SQLite: its Hungarian functions and collation are registered through the
// C API on the Qt driver's own connection, keys are read straight through
// a statement, and the single-copy lock is a flock() beside the file.

namespace {

QString szoveg(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p, sqlite3_value_bytes(v)) : QString();
}

void eredmeny(sqlite3_context* ctx, const QString& s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

void fnUpper(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    eredmeny(ctx, HuFold::nagybetu(szoveg(argv[0])));
}

void fnLower(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
    eredmeny(ctx, HuFold::kisbetu(szoveg(argv[0])));
}

// like(pattern, text[, escape]) as SQLite calls it for "text LIKE pattern".
void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    QChar esc;
    if (argc == 3) {
        const QString e = szoveg(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e.at(0);
    }
    // A scan calls this once a row with the same pattern: it is folded once
    // and kept with the statement while the pattern stays the same.
    auto* minta = static_cast<HuFold::LikeMinta*>(sqlite3_get_auxdata(ctx, 0));
    if (!minta || minta->escape() != esc) {
        sqlite3_set_auxdata(ctx, 0, new HuFold::LikeMinta(szoveg(argv[0]), esc),
                            [](void* p) { delete static_cast<HuFold::LikeMinta*>(p); });
        minta = static_cast<HuFold::LikeMinta*>(sqlite3_get_auxdata(ctx, 0));
    }
    if (!minta) {   // not kept (no memory): this row on its own
        sqlite3_result_int(ctx, HuFold::like(szoveg(argv[0]), szoveg(argv[1]), esc) ? 1 : 0);
        return;
    }
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(ctx, minta->illik(t, sqlite3_value_bytes(argv[1])) ? 1 : 0);
}

// hu_kezdodik(text, prefix): text begins with prefix, any letter case.
void fnKezdodik(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    sqlite3_result_int(ctx, HuFold::kezdodik(szoveg(argv[0]), szoveg(argv[1])) ? 1 : 0);
}

int hu(void*, int alen, const void* a, int blen, const void* b)
{
    return HuFold::osszehasonlit(static_cast<const char*>(a), alen, static_cast<const char*>(b), blen);
}

QString motorHiba(sqlite3* h, int rc)
{
    return Adatbazis::magyarHiba(h ? QString::fromUtf8(sqlite3_errmsg(h)) : QString::fromUtf8(sqlite3_errstr(rc)));
}

bool irasiJogHiany(int hiba) { return hiba == EACCES || hiba == EPERM || hiba == EROFS; }

class SqliteMotor : public Adatbazis::Motor {
public:
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    bool beallit(QSqlDatabase& db, QString* hiba) const override;
    std::vector<qint64> kulcsokOlvas(const QSqlDatabase& db, const QString& sql,
                                     const QVariantList& param) const override
    {
        Adatbazis::Utasitas u(db, sql);
        u.kotMind(param);
        std::vector<qint64> out;
        while (u.lep()) out.push_back(u.egesz(0));
        return out;
    }
    // A deferred BEGIN takes its snapshot at the first read, not at the
    // BEGIN: the read pins it before anything else is read.
    QStringList pillanatkepKezdete() const override
    {
        return {QStringLiteral("BEGIN DEFERRED"), QStringLiteral("SELECT count(*) FROM sqlite_schema")};
    }
    bool zarol(const QString& fajl, QString* hiba, QString* irasiAkadaly) override;
    void zarFelold() override;
    bool masolat(const QSqlDatabase& forras, const QString& celFajl, QString* hiba) const override;
    void semaLetrehoz(QSqlDatabase& db) const override { Sema::letrehoz(db); }
    QString semaEllenoriz(QSqlDatabase& db) const override { return Sema::ellenoriz(db); }
    void semaFrissit(QSqlDatabase& db) const override { Sema::frissit(db); }

private:
    // The lock file held open while the session works on its folder: the
    // kernel lets it go when the process ends however it ends, so a crashed
    // copy leaves nothing stuck.
    int m_zar = -1;
    QString m_zarFajl;
};

bool SqliteMotor::beallit(QSqlDatabase& db, QString* hiba) const
{
    sqlite3* h = Adatbazis::kezelo(db);
    if (!h) {
        if (hiba) *hiba = QStringLiteral("Az adatbázis-kezelő nem érhető el.");
        return false;
    }
    if (!HuFold::rendElerheto(hiba)) return false;
    const int flag = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(h, "upper", 1, flag, nullptr, fnUpper, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "lower", 1, flag, nullptr, fnLower, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "like", 2, flag, nullptr, fnLike, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "like", 3, flag, nullptr, fnLike, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(h, "hu_kezdodik", 2, flag, nullptr, fnKezdodik, nullptr, nullptr, nullptr);
    sqlite3_create_collation_v2(h, "HU", SQLITE_UTF8, nullptr, hu, nullptr);
    QSqlQuery q(db);
    // secure_delete: what a change replaces (a password's old digest, a
    // plain password of an older file) is overwritten, not left in free space.
    for (const char* p : {"PRAGMA busy_timeout=5000", "PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL",
                          "PRAGMA foreign_keys=OFF", "PRAGMA secure_delete=ON"}) {
        if (!q.exec(QString::fromLatin1(p))) {
            if (hiba) *hiba = Adatbazis::hibaSzoveg(q);
            return false;
        }
    }
    return true;
}

// Takes the lock of the data folder. False (with the message) when another
// copy holds it. A folder that cannot be written gets no lock file: its
// reason is kept for the read-only warning, and the open goes on.
bool SqliteMotor::zarol(const QString& fajl, QString* hiba, QString* irasiAkadaly)
{
    const QString zarFajl = fajl + QStringLiteral(".lock");
    const QByteArray nev = QFile::encodeName(zarFajl);
    for (int probak = 0; probak < 5; ++probak) {
        int fd = ::open(nev.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 && irasiJogHiany(errno)) {
            *irasiAkadaly = QStringLiteral("Az adatbázis mappája nem írható: %1")
                                .arg(QDir::toNativeSeparators(QFileInfo(fajl).path()));
            fd = ::open(nev.constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) return true;   // nothing to lock with; a folder nobody can write is safe to share
        }
        if (fd < 0) {
            *hiba = QStringLiteral("A zárolófájl nem hozható létre (%1): %2")
                        .arg(Fajliras::RendszerHiba(errno).chopped(1), QDir::toNativeSeparators(zarFajl));
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            ::close(fd);
            if (e == EWOULDBLOCK) {
                *hiba = QStringLiteral("Az adatbázist már használja a program egy másik példánya. "
                                       "Egyszerre csak egy példány dolgozhat ugyanazon az adatmappán.");
                return false;
            }
            return true;   // a file system without locks: go on as before
        }
        // The copy that held it may have removed the file between our open
        // and our lock: then the lock is on a file nobody else will see.
        struct stat nyitott, most;
        if (::fstat(fd, &nyitott) == 0 && ::stat(nev.constData(), &most) == 0 && nyitott.st_ino == most.st_ino
            && nyitott.st_dev == most.st_dev) {
            m_zar = fd;
            m_zarFajl = zarFajl;
            return true;
        }
        ::close(fd);
    }
    *hiba = QStringLiteral("Az adatbázis zárolása nem sikerült: %1").arg(QDir::toNativeSeparators(zarFajl));
    return false;
}

void SqliteMotor::zarFelold()
{
    if (m_zar < 0) return;
    // Removed while still held, so no other copy can take a lock on it meanwhile.
    ::unlink(QFile::encodeName(m_zarFajl).constData());
    ::close(m_zar);
    m_zar = -1;
    m_zarFajl.clear();
}

bool SqliteMotor::masolat(const QSqlDatabase& forras, const QString& celFajl, QString* hiba) const
{
    sqlite3* cel = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(celFajl).constData(), &cel,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    // A copy for a moment (the archive zips it and removes it): no journal,
    // no waiting for the disk.
    if (rc == SQLITE_OK)
        sqlite3_exec(cel, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* b = sqlite3_backup_init(cel, "main", Adatbazis::kezelo(forras), "main");
        if (!b) {
            rc = sqlite3_errcode(cel);
            if (hiba) *hiba = motorHiba(cel, rc);
        } else {
            // All pages in one step: one read transaction, one moment's data.
            const int lepes = sqlite3_backup_step(b, -1);
            rc = sqlite3_backup_finish(b);
            if (lepes != SQLITE_DONE && rc == SQLITE_OK) rc = lepes;
            if (rc != SQLITE_OK && hiba) *hiba = motorHiba(cel, rc);
        }
    } else if (hiba) {
        *hiba = motorHiba(cel, rc);
    }
    if (cel) sqlite3_close(cel);
    return rc == SQLITE_OK;
}

} // namespace

namespace Adatbazis {

Motor& motor()
{
    static SqliteMotor m;
    return m;
}

} // namespace Adatbazis
