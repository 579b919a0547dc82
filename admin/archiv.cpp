#include "admin/archiv.h"
#include "data/adatbazis.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>
#include <zip.h>

namespace Archiv {

QString JavasoltNev(const QString& archivMappa, const QDate& nap)
{
    return QDir(archivMappa).filePath(nap.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".zip"));
}

bool EmlekeztetoKell(const QDate& mentesDatum, const QDate& ma)
{
    return !mentesDatum.isValid() || ma.addDays(-5) >= mentesDatum;
}

bool MappaLetrehoz(const QString& mappa, QString* hiba)
{
    if (QFileInfo(mappa).isDir()) return true;
    errno = 0;
    if (QDir().mkpath(mappa) && QFileInfo(mappa).isDir()) return true;
    if (hiba)
        *hiba = QStringLiteral("Az archív mappa nem hozható létre: %1\n%2")
                    .arg(QDir::toNativeSeparators(mappa),
                         errno ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("ismeretlen hiba"));
    return false;
}

namespace {

// Files of the live database that a copy replaces or that mean nothing
// outside the running program.
bool kihagyando(const QString& nev)
{
    const QString db = QString::fromLatin1(Adatbazis::FajlNev);
    for (const char* v : {"-wal", "-shm", "-journal", ".lock"})
        if (nev.compare(db + QLatin1String(v), Qt::CaseInsensitive) == 0) return true;
    return false;
}

QString motorHiba(sqlite3* h, int rc)
{
    return h ? QString::fromUtf8(sqlite3_errmsg(h)) : QString::fromUtf8(sqlite3_errstr(rc));
}

// A consistent copy of the database file `forrasFajl` into `celFajl`, read
// in one read transaction: what was committed when it began, nothing later.
// The open session is the source when it works on that file (outside a
// transaction of its own, whose uncommitted rows must not go in); otherwise
// a read-only connection of its own, which sees the commits of every process.
bool masol(const QString& forrasFajl, const QString& celFajl, QString* hiba)
{
    sqlite3* forras = nullptr;
    bool sajat = true;
    if (Adatbazis::nyitva() && !Adatbazis::tranzakcioban()) {
        sqlite3* h = Adatbazis::kezelo(Adatbazis::db());
        const char* nev = h ? sqlite3_db_filename(h, "main") : nullptr;
        if (nev && QFileInfo(QString::fromUtf8(nev)).canonicalFilePath() == QFileInfo(forrasFajl).canonicalFilePath()) {
            forras = h;
            sajat = false;
        }
    }
    int rc = SQLITE_OK;
    if (sajat) {
        rc = sqlite3_open_v2(QFile::encodeName(forrasFajl).constData(), &forras, SQLITE_OPEN_READONLY, nullptr);
        if (rc == SQLITE_OK) sqlite3_busy_timeout(forras, 5000);
    }
    sqlite3* cel = nullptr;
    if (rc == SQLITE_OK) {
        rc = sqlite3_open_v2(QFile::encodeName(celFajl).constData(), &cel, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
        // The copy lives until it is zipped: no journal, no waiting for the disk.
        if (rc == SQLITE_OK)
            sqlite3_exec(cel, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK) {
        sqlite3_backup* b = sqlite3_backup_init(cel, "main", forras, "main");
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
        *hiba = motorHiba(cel ? cel : forras, rc);
    }
    if (cel) sqlite3_close(cel);
    if (sajat && forras) sqlite3_close(forras);
    return rc == SQLITE_OK;
}

QString zipHiba(zip_t* za)
{
    return QString::fromLocal8Bit(zip_strerror(za));
}

// The finished archive reaches the disk before it counts as made.
void lemezre(const QString& fajl)
{
    const int fd = ::open(QFile::encodeName(fajl).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    const int mappa = ::open(QFile::encodeName(QFileInfo(fajl).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (mappa >= 0) {
        ::fsync(mappa);
        ::close(mappa);
    }
}

} // namespace

bool Keszit(const QString& adatMappa, const QString& cel, QString* hiba)
{
    const QDir alap(adatMappa);
    if (!QFileInfo(adatMappa).isDir()) {
        if (hiba) *hiba = QStringLiteral("Nem létező adatbázis mappa: %1").arg(QDir::toNativeSeparators(adatMappa));
        return false;
    }
    const QString celAbs = QFileInfo(cel).absoluteFilePath();
    const QString dbFajl = alap.filePath(QString::fromLatin1(Adatbazis::FajlNev));
    // The copy of the database waits beside the archive, on its disk.
    const QString masolat = celAbs + QStringLiteral(".%1.db").arg(::getpid());

    // The files first, before anything of ours is written: an archive made
    // inside the data folder must not take in itself or its own copy.
    QList<QPair<QString, QString>> fajlok;   // path in the archive, file on disk
    bool vanDb = false;
    QDirIterator it(adatMappa, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString rel = alap.relativeFilePath(f);
        const QFileInfo fi(f);
        if (fi.absoluteFilePath() == celAbs || fi.absoluteFilePath().startsWith(celAbs + '.')) continue;
        if (!rel.contains('/') && kihagyando(rel)) continue;
        if (rel == QLatin1String(Adatbazis::FajlNev)) {
            vanDb = true;
            fajlok.append({rel, masolat});
        } else {
            fajlok.append({rel, fi.absoluteFilePath()});
        }
    }

    if (vanDb && !masol(dbFajl, masolat, hiba)) {
        QFile::remove(masolat);
        return false;
    }

    int kod = 0;
    // ZIP_TRUNCATE: the writer builds the new archive in a file beside the
    // target and renames it over the old one only when it is whole.
    zip_t* za = zip_open(QFile::encodeName(celAbs).constData(), ZIP_CREATE | ZIP_TRUNCATE, &kod);
    if (!za) {
        zip_error_t e;
        zip_error_init_with_code(&e, kod);
        if (hiba) *hiba = QString::fromLocal8Bit(zip_error_strerror(&e));
        zip_error_fini(&e);
        QFile::remove(masolat);
        return false;
    }
    bool rendben = true;
    for (const auto& [nev, fajl] : fajlok) {
        zip_source_t* s = zip_source_file(za, QFile::encodeName(fajl).constData(), 0, -1);
        zip_int64_t i = s ? zip_file_add(za, nev.toUtf8().constData(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (i < 0) {
            if (s) zip_source_free(s);
            rendben = false;
            break;
        }
        if (zip_set_file_compression(za, zip_uint64_t(i), ZIP_CM_DEFLATE, 1) != 0) {
            rendben = false;
            break;
        }
    }
    // The files are read and compressed here.
    if (rendben && zip_close(za) != 0) rendben = false;
    if (!rendben) {
        if (hiba) *hiba = zipHiba(za);
        zip_discard(za);
    }
    QFile::remove(masolat);
    if (rendben) lemezre(celAbs);
    return rendben;
}

} // namespace Archiv
