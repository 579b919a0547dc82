#include "core/data/adatbazis.h"
#include "core/data/fajliras.h"
#include "core/data/hufold.h"
#include "core/data/motor.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
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
    std::vector<qint64> kulcsokOlvas(const QSqlDatabase& db, const QString& sql, const QVariantList& param,
                                     size_t varhato) const override
    {
        Adatbazis::Utasitas u(db, sql);
        u.kotMind(param);
        std::vector<qint64> out;
        out.reserve(varhato);
        while (u.lep()) out.push_back(u.egesz(0));
        return out;
    }
    std::unique_ptr<KulcsFolyam> kulcsFolyam(const QSqlDatabase& db, const QString& sql,
                                             const QVariantList& param) const override
    {
        struct Folyam : KulcsFolyam {
            Adatbazis::Utasitas u;
            bool vege = false;
            bool olvas(std::vector<qint64>& ide, int legfeljebb) override
            {
                for (int i = 0; i < legfeljebb && !vege; ++i) {
                    if (u.lep()) ide.push_back(u.egesz(0));
                    else vege = true;
                }
                // Done: the statement lets go of its read snapshot at once.
                if (vege) u = Adatbazis::Utasitas();
                return !vege;
            }
        };
        auto f = std::make_unique<Folyam>();
        f->u = Adatbazis::Utasitas(db, sql);
        f->u.kotMind(param);
        return f;
    }
    // A deferred BEGIN takes its snapshot at the first read, not at the
    // BEGIN: the read pins it before anything else is read.
    QStringList pillanatkepKezdete() const override
    {
        return {QStringLiteral("BEGIN DEFERRED"), QStringLiteral("SELECT count(*) FROM sqlite_schema")};
    }
    QString irasKezdete() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    bool tranzakcioban(const QSqlDatabase& db) const override
    {
        sqlite3* h = Adatbazis::kezelo(db);
        return h && !sqlite3_get_autocommit(h);
    }
    bool zarol(const QString& fajl, QString* hiba, QString* irasiAkadaly) override;
    void zarFelold() override;
    bool masolat(const QSqlDatabase& forras, const QString& celFajl, QString* hiba) const override;
    void semaLetrehoz(QSqlDatabase& db) const override { Sema::letrehoz(db); }
    QString semaEllenoriz(QSqlDatabase& db) const override { return Sema::ellenoriz(db); }
    void semaFrissit(QSqlDatabase& db) const override { Sema::frissit(db); }
    std::unique_ptr<Adatbazis::SajatKapcsolat> sajatKapcsolat(const QSqlDatabase& munkamenet) const override;

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

// ---- the guarded connection of the free statements ---------------------------

// The names the program owns, in lower case: its tables (the book-keeping
// one included) and the indexes of the schema.
struct ProgramNevek {
    QSet<QString> tablak, indexek;
    ProgramNevek()
    {
        for (const Sema::Tabla& t : Sema::tablak()) {
            tablak.insert(t.nev.toLower());
            for (const QString& ix : t.indexek) indexek.insert(Sema::indexNev(ix).toLower());
        }
        tablak.insert(QString::fromLatin1(Sema::RendszerTabla));
    }
};

const ProgramNevek& programNevek()
{
    static const ProgramNevek n;
    return n;
}

QString kisNev(const char* s) { return s ? QString::fromUtf8(s).toLower() : QString(); }

// PRAGMAs whose argument only names what is read (a table, an index, a
// limit of the check): they stay free with it. Any other PRAGMA with a
// value sets something.
bool olvasoPragma(const QString& nev)
{
    static const QSet<QString> olvasok = {
        QStringLiteral("table_info"),  QStringLiteral("table_xinfo"),  QStringLiteral("table_list"),
        QStringLiteral("index_info"),  QStringLiteral("index_xinfo"),  QStringLiteral("index_list"),
        QStringLiteral("foreign_key_list"), QStringLiteral("foreign_key_check"),
        QStringLiteral("integrity_check"),  QStringLiteral("quick_check")};
    return olvasok.contains(nev);
}

class SqliteSajatKapcsolat : public Adatbazis::SajatKapcsolat {
public:
    SqliteSajatKapcsolat()
    {
        static std::atomic<int> sorszam{0};
        m_nev = QStringLiteral("%1_sajat_%2").arg(QString::fromLatin1(Adatbazis::KapcsolatNev)).arg(++sorszam);
    }
    ~SqliteSajatKapcsolat() override
    {
        if (QSqlDatabase::contains(m_nev)) {
            {
                QSqlDatabase d = QSqlDatabase::database(m_nev, false);
                if (sqlite3* h = Adatbazis::kezelo(d)) sqlite3_set_authorizer(h, nullptr, nullptr);
                d.close();
            }
            QSqlDatabase::removeDatabase(m_nev);
        }
    }
    QSqlDatabase db() const override { return QSqlDatabase::database(m_nev, false); }
    QString tiltas() const override { return m_tiltas; }
    void tiltasTorol() override { m_tiltas.clear(); }

    // Opens it on the session's file, as the session is set up; throws AdatbazisHiba.
    void nyit(const Adatbazis::Motor& motor, const QSqlDatabase& munkamenet)
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(motor.driver(), m_nev);
        d.setDatabaseName(munkamenet.databaseName());
        d.setConnectOptions(munkamenet.connectOptions());
        if (!d.open()) {
            const QSqlError e = d.lastError();
            throw AdatbazisHiba(Adatbazis::magyarHiba(e.databaseText().isEmpty() ? e.text() : e.databaseText()),
                                AdatbazisHiba::Fajta::Tarolas);
        }
        sqlite3* h = Adatbazis::kezelo(d);
        if (h) sqlite3_busy_timeout(h, 5000);
        QString hiba;
        if (!motor.beallit(d, &hiba)) throw AdatbazisHiba(hiba);
        // The schema cannot be written past the engine's own checks, nor
        // the file's pages by hand.
        sqlite3_db_config(h, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_set_authorizer(h, &SqliteSajatKapcsolat::ellenoriz, this);
    }

private:
    QString m_nev;
    QString m_tiltas;

    int tilt(const QString& miert)
    {
        if (m_tiltas.isEmpty()) m_tiltas = miert;
        return SQLITE_DENY;
    }

    static int ellenoriz(void* p, int kod, const char* a1, const char* a2, const char*, const char*)
    {
        return static_cast<SqliteSajatKapcsolat*>(p)->dont(kod, kisNev(a1), kisNev(a2), a2 != nullptr);
    }

    int dont(int kod, const QString& a1, const QString& a2, bool van2)
    {
        const ProgramNevek& n = programNevek();
        const auto programTabla = [&] {
            return tilt(QStringLiteral("A program táblái és indexei nem módosíthatók (%1).").arg(a1));
        };
        const auto foglaltNev = [&] {
            return tilt(QStringLiteral("A(z) „%1” név a program egyik táblájáé vagy indexéé: ezen a néven "
                                       "nem hozható létre tábla, nézet vagy index, ideiglenes sem.")
                            .arg(a1));
        };
        switch (kod) {
        case SQLITE_DROP_TABLE:
        case SQLITE_DROP_TEMP_TABLE:
        case SQLITE_DROP_VIEW:
        case SQLITE_DROP_TEMP_VIEW:
        case SQLITE_DROP_VTABLE:
            if (n.tablak.contains(a1)) return programTabla();
            return SQLITE_OK;
        case SQLITE_CREATE_TABLE:
        case SQLITE_CREATE_TEMP_TABLE:
        case SQLITE_CREATE_VIEW:
        case SQLITE_CREATE_TEMP_VIEW:
        case SQLITE_CREATE_VTABLE:
            if (n.tablak.contains(a1) || n.indexek.contains(a1)) return foglaltNev();
            return SQLITE_OK;
        case SQLITE_ALTER_TABLE:   // a1: the database, a2: the table
            if (n.tablak.contains(a2))
                return tilt(QStringLiteral("A program táblái és indexei nem módosíthatók (%1).").arg(a2));
            return SQLITE_OK;
        case SQLITE_CREATE_INDEX:
        case SQLITE_CREATE_TEMP_INDEX:
            // A new index on them would be theirs too: a UNIQUE one could
            // refuse the program's own rows.
            if (n.tablak.contains(a2))
                return tilt(QStringLiteral("A program táblái és indexei nem módosíthatók (%1): "
                                           "új index sem hozható létre rajtuk.").arg(a2));
            if (n.tablak.contains(a1) || n.indexek.contains(a1)) return foglaltNev();
            return SQLITE_OK;
        case SQLITE_DROP_INDEX:
        case SQLITE_DROP_TEMP_INDEX:
            if (n.indexek.contains(a1) || n.tablak.contains(a2)) return programTabla();
            return SQLITE_OK;
        case SQLITE_CREATE_TRIGGER:
            // A stored trigger would change what the program's own writes do;
            // a temporary one acts on this connection alone.
            if (n.tablak.contains(a2))
                return tilt(QStringLiteral("A program tábláira (%1) nem tehető tárolt trigger.").arg(a2));
            return SQLITE_OK;
        case SQLITE_PRAGMA:
            if (van2 && !olvasoPragma(a1))
                return tilt(QStringLiteral("Az adatbázis-kezelő beállításai (PRAGMA %1) innen nem módosíthatók, "
                                           "csak olvashatók.").arg(a1));
            return SQLITE_OK;
        case SQLITE_ATTACH:
        case SQLITE_DETACH:
            // VACUUM, with INTO or without, attaches its target this way.
            return tilt(QStringLiteral("Más adatbázisfájl innen nem csatolható (ATTACH, DETACH), "
                                       "és a VACUUM (VACUUM INTO is) sem futtatható."));
        default: return SQLITE_OK;
        }
    }
};

std::unique_ptr<Adatbazis::SajatKapcsolat> SqliteMotor::sajatKapcsolat(const QSqlDatabase& munkamenet) const
{
    if (!Adatbazis::kezelo(munkamenet)) throw AdatbazisHiba(QStringLiteral("Az adatbázis nincs megnyitva."));
    auto k = std::make_unique<SqliteSajatKapcsolat>();
    k->nyit(*this, munkamenet);
    return k;
}

} // namespace

namespace Adatbazis {

Motor& sqliteMotor()
{
    static SqliteMotor m;
    return m;
}

namespace {
Motor* g_motor = nullptr;
}

Motor& motor() { return g_motor ? *g_motor : sqliteMotor(); }
void motorBeallit(Motor& m) { g_motor = &m; }

} // namespace Adatbazis
