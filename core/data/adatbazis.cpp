#include "core/data/adatbazis.h"
#include "core/data/hufold.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Adatbazis {

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

QVariantList taroltParam(const QVariantList& p)
{
    QVariantList out;
    out.reserve(p.size());
    for (const QVariant& v : p) out << Sema::tarolt(v);
    return out;
}

} // namespace

QString fajlUtvonal(const QString& mappa)
{
    return QDir(mappa).filePath(QString::fromLatin1(FajlNev));
}

sqlite3* kezelo(const QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0) return nullptr;
    return *static_cast<sqlite3* const*>(v.data());
}

namespace {

// The engine's refusals in Hungarian. What kind of failure each is comes
// from the engine's result code (hibaFajta), not from these words.
struct Forditas { const char* eleje; const char* magyar; };
const Forditas forditasok[] = {
    {"CHECK constraint failed: ", ""},
    {"UNIQUE constraint failed: ", "Már van ilyen kulcsú sor: "},
    {"NOT NULL constraint failed: ", "Kötelező mező üres: "},
    {"database is locked", "Az adatbázist egy másik program használja, próbálja újra."},
    {"disk I/O error", "Lemezhiba: az adatbázis nem írható."},
    {"database or disk is full", "Betelt a lemez: az adatbázis nem írható."},
    {"attempt to write a readonly database", "Az adatbázis csak olvasható."},
    {"unable to open database file", "Az adatbázis fájlja nem nyitható meg."},
    {"file is not a database", "A fájl nem adatbázis, vagy megsérült."},
    {"database disk image is malformed", "Az adatbázis megsérült."},
};

} // namespace

QString magyarHiba(const QString& s)
{
    for (const auto& f : forditasok) {
        const QString eleje = QString::fromLatin1(f.eleje);
        if (s.startsWith(eleje)) return QString::fromUtf8(f.magyar) + s.mid(eleje.size());
    }
    return s;
}


QString hibaSzoveg(const QSqlQuery& q)
{
    const QSqlError e = q.lastError();
    QString s = e.driverText();
    if (!e.databaseText().isEmpty()) s = e.databaseText();
    return magyarHiba(s.isEmpty() ? e.text() : s);
}

AdatbazisHiba hiba(const QSqlQuery& q)
{
    // The Qt driver gives the engine's result code as the native code.
    bool szam = false;
    const int kod = q.lastError().nativeErrorCode().toInt(&szam);
    return AdatbazisHiba(hibaSzoveg(q), szam ? hibaFajta(kod) : AdatbazisHiba::Fajta::Egyeb);
}

bool beallit(QSqlDatabase& db, QString* hiba)
{
    sqlite3* h = kezelo(db);
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
            if (hiba) *hiba = hibaSzoveg(q);
            return false;
        }
    }
    return true;
}

namespace {

// The lock that keeps a second copy of the program off the data folder:
// flock() on a file beside the database. The kernel lets it go when the
// process ends however it ends, so a crashed copy leaves nothing stuck.
int g_zar = -1;
QString g_zarFajl;
// Why the open database cannot be written, or empty.
QString g_irasiAkadaly;

QString nativ(const QString& utvonal) { return QDir::toNativeSeparators(utvonal); }

// Empty when the file is there; otherwise why it cannot be opened.
QString fajlHiany(const QString& fajl)
{
    struct stat st;
    if (::stat(QFile::encodeName(fajl).constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return QStringLiteral("Az adatbázis nem található: %1").arg(nativ(fajl));
        // An empty file is no database; the engine would make one of it.
        if (st.st_size == 0) return QStringLiteral("Az adatbázis nem nyitható meg (%1):\nA fájl üres.").arg(nativ(fajl));
        return {};
    }
    if (errno == EACCES)
        return QStringLiteral("Az adatbázis nem érhető el (nincs hozzáférési jog): %1").arg(nativ(fajl));
    if (errno == ENOENT || errno == ENOTDIR) return QStringLiteral("Az adatbázis nem található: %1").arg(nativ(fajl));
    return QStringLiteral("Az adatbázis nem érhető el (%1): %2").arg(QString::fromLocal8Bit(std::strerror(errno)), nativ(fajl));
}

bool irasiJogHiany(int hiba) { return hiba == EACCES || hiba == EPERM || hiba == EROFS; }

// Takes the lock of the data folder. False (with the message) when another
// copy holds it. A folder that cannot be written gets no lock file: its
// reason is kept for the read-only warning, and the open goes on.
bool zarolas(const QString& fajl, QString* hiba)
{
    const QString zarFajl = fajl + QStringLiteral(".lock");
    const QByteArray nev = QFile::encodeName(zarFajl);
    for (int probak = 0; probak < 5; ++probak) {
        int fd = ::open(nev.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 && irasiJogHiany(errno)) {
            g_irasiAkadaly = QStringLiteral("Az adatbázis mappája nem írható: %1").arg(nativ(QFileInfo(fajl).path()));
            fd = ::open(nev.constData(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) return true;   // nothing to lock with; a folder nobody can write is safe to share
        }
        if (fd < 0) {
            *hiba = QStringLiteral("A zárolófájl nem hozható létre (%1): %2")
                        .arg(QString::fromLocal8Bit(std::strerror(errno)), nativ(zarFajl));
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
            g_zar = fd;
            g_zarFajl = zarFajl;
            return true;
        }
        ::close(fd);
    }
    *hiba = QStringLiteral("Az adatbázis zárolása nem sikerült: %1").arg(nativ(zarFajl));
    return false;
}

void zarFelold()
{
    if (g_zar < 0) return;
    // Removed while still held, so no other copy can take a lock on it meanwhile.
    ::unlink(QFile::encodeName(g_zarFajl).constData());
    ::close(g_zar);
    g_zar = -1;
    g_zarFajl.clear();
}

} // namespace

bool nyit(const QString& mappa, QString* hiba, Nyitas mod)
{
    zar();
    const QString fajl = fajlUtvonal(mappa);
    QString uzenet = fajlHiany(fajl);
    if (!uzenet.isEmpty()) {
        if (hiba) *hiba = uzenet;
        return false;
    }
    if (mod == Nyitas::Egyedul && !zarolas(fajl, &uzenet)) {
        g_irasiAkadaly.clear();
        if (hiba) *hiba = QStringLiteral("Az adatbázis nem nyitható meg (%1):\n%2").arg(nativ(fajl), uzenet);
        return false;
    }
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QString::fromLatin1(KapcsolatNev));
        // mode=rw: a missing file is an error, never a new empty database.
        QUrl url = QUrl::fromLocalFile(QFileInfo(fajl).absoluteFilePath());
        url.setQuery(QStringLiteral("mode=rw"));
        d.setDatabaseName(url.toString(QUrl::FullyEncoded));
        d.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        if (!d.open()) {
            uzenet = magyarHiba(d.lastError().databaseText().isEmpty() ? d.lastError().text() : d.lastError().databaseText());
        } else {
            // Only reads until the file is known to be ours: a refused file
            // keeps every byte (no journal mode switched, no page written).
            if (sqlite3* h = kezelo(d)) sqlite3_busy_timeout(h, 5000);
            uzenet = Sema::ellenoriz(d);
            if (uzenet.isEmpty()) beallit(d, &uzenet);
            if (uzenet.isEmpty()) {
                try {
                    Sema::frissit(d);
                } catch (const AdatbazisHiba& e) {
                    uzenet = e.uzenet();
                }
            }
        }
        if (uzenet.isEmpty()) {
            sqlite3* h = kezelo(d);
            if (h && sqlite3_db_readonly(h, "main") == 1 && g_irasiAkadaly.isEmpty())
                g_irasiAkadaly = QStringLiteral("Az adatbázis fájlja csak olvasható: %1").arg(nativ(fajl));
        }
        if (!uzenet.isEmpty()) d.close();
    }
    if (!uzenet.isEmpty()) {
        QSqlDatabase::removeDatabase(QString::fromLatin1(KapcsolatNev));
        // The engine cannot even read a WAL database in a folder it may not write.
        if (!g_irasiAkadaly.isEmpty()) uzenet = g_irasiAkadaly + '\n' + uzenet;
        zarFelold();
        g_irasiAkadaly.clear();
        if (hiba) *hiba = QStringLiteral("Az adatbázis nem nyitható meg (%1):\n%2").arg(nativ(fajl), uzenet);
        return false;
    }
    return true;
}

QString irasiAkadaly() { return g_irasiAkadaly; }

void zar()
{
    const QString nev = QString::fromLatin1(KapcsolatNev);
    if (QSqlDatabase::contains(nev)) {
        {
            QSqlDatabase d = QSqlDatabase::database(nev, false);
            d.close();
        }
        QSqlDatabase::removeDatabase(nev);
    }
    zarFelold();
    g_irasiAkadaly.clear();
}

bool nyitva()
{
    const QString nev = QString::fromLatin1(KapcsolatNev);
    return QSqlDatabase::contains(nev) && QSqlDatabase::database(nev, false).isOpen();
}

QSqlDatabase db()
{
    return QSqlDatabase::database(QString::fromLatin1(KapcsolatNev), false);
}

namespace {

QSqlQuery elokeszit(const QSqlDatabase& d, const QString& sql)
{
    QSqlQuery q(d);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) throw hiba(q);
    return q;
}

} // namespace

void futtat(QSqlQuery& q, const QVariantList& param)
{
    const QVariantList p = taroltParam(param);
    for (int i = 0; i < p.size(); ++i) q.bindValue(i, p.at(i));
    if (!q.exec()) throw hiba(q);
}

QSqlQuery elokeszit(const QString& sql)
{
    return elokeszit(db(), sql);
}

QSqlQuery vegrehajt(const QSqlDatabase& d, const QString& sql, const QVariantList& param)
{
    QSqlQuery q = elokeszit(d, sql);
    futtat(q, param);
    return q;
}

QSqlQuery vegrehajt(const QString& sql, const QVariantList& param)
{
    return vegrehajt(db(), sql, param);
}

QVariant ertek(const QString& sql, const QVariantList& param)
{
    QSqlQuery q = vegrehajt(sql, param);
    return q.next() ? q.value(0) : QVariant();
}

bool tranzakcioban(const QSqlDatabase& d)
{
    sqlite3* h = kezelo(d);
    return h && !sqlite3_get_autocommit(h);
}

Tranzakcio::Tranzakcio(const QSqlDatabase& d) : m_db(d)
{
    if (tranzakcioban(m_db)) {
        static quint64 sorszam = 0;
        m_mentesipont = QStringLiteral("kz_%1").arg(++sorszam);
        m_szerep = Szerep::Mentesipont;
        vegrehajt(m_db, QStringLiteral("SAVEPOINT ") + m_mentesipont);
    } else {
        vegrehajt(m_db, QStringLiteral("BEGIN IMMEDIATE"));
    }
}

Tranzakcio::Tranzakcio(Olvasas, const QSqlDatabase& d) : m_db(d), m_szerep(Szerep::Pillanatkep)
{
    if (tranzakcioban(m_db)) {
        m_szerep = Szerep::Csatlakozott;
        return;
    }
    // A deferred BEGIN takes its snapshot at the first read, not at the
    // BEGIN: the read pins it here, before anything else is read.
    vegrehajt(m_db, QStringLiteral("BEGIN DEFERRED"));
    try {
        QSqlQuery q = vegrehajt(m_db, QStringLiteral("SELECT count(*) FROM sqlite_schema"));
        q.next();
    } catch (...) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void Tranzakcio::vege()
{
    QSqlQuery q(m_db);
    switch (m_szerep) {
    case Szerep::Kulso: q.exec(QStringLiteral("ROLLBACK")); break;
    case Szerep::Mentesipont:
        // Gone already when the engine rolled the whole transaction back.
        if (tranzakcioban(m_db)) {
            q.exec(QStringLiteral("ROLLBACK TO ") + m_mentesipont);
            q.exec(QStringLiteral("RELEASE ") + m_mentesipont);
        }
        break;
    case Szerep::Pillanatkep:
        // COMMIT, not ROLLBACK: nothing was written, and a ROLLBACK would
        // abort the other statements still reading on the connection.
        if (tranzakcioban(m_db)) q.exec(QStringLiteral("COMMIT"));
        break;
    case Szerep::Csatlakozott: break;
    }
}

Tranzakcio::~Tranzakcio()
{
    if (!m_kesz) vege();
}

void Tranzakcio::jovahagy()
{
    if (m_kesz) return;
    switch (m_szerep) {
    case Szerep::Kulso: vegrehajt(m_db, QStringLiteral("COMMIT")); break;
    case Szerep::Mentesipont:
        // The engine ends the whole transaction by itself after some errors
        // (a full disk, an I/O error); what follows would then be stored
        // statement by statement, outside the operation.
        if (!tranzakcioban(m_db))
            throw AdatbazisHiba(QStringLiteral("A művelet tranzakcióját az adatbázis-kezelő megszakította, "
                                               "semmi sem lett mentve."));
        vegrehajt(m_db, QStringLiteral("RELEASE ") + m_mentesipont);
        break;
    case Szerep::Pillanatkep:
    case Szerep::Csatlakozott: vege(); break;
    }
    m_kesz = true;
    if (kulso()) emit valtozas().valtozott();
}

Valtozas& valtozas()
{
    static Valtozas v;
    return v;
}

std::vector<qint64> kulcsokOlvas(const QString& sql, const QVariantList& param)
{
    Utasitas u(sql);
    u.kotMind(param);
    std::vector<qint64> out;
    while (u.lep()) out.push_back(u.egesz(0));
    return out;
}

} // namespace Adatbazis
