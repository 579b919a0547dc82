#include "core/admin/archiv.h"
#include "core/data/adatbazis.h"
#include "core/data/fajliras.h"
#include "core/data/motor.h"
#include "core/data/utasitas.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>
#include <QSqlError>
#include <QUrl>
#include <optional>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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
                    .arg(QDir::toNativeSeparators(mappa), Fajliras::RendszerHiba(errno));
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

// The database as the zip writer reads it: what was committed when the read
// began, nothing later. Where it can, it reads the database file itself: the
// log is folded in first, and a read snapshot begun on an empty log reads
// the file alone and keeps every checkpoint from writing into it until the
// snapshot ends (here, when the archive is written). When the log cannot
// be emptied (another process is reading or writing), a copy is taken
// through the online backup instead.
// The open session is the source when it works on that file (outside a
// transaction of its own, whose uncommitted rows must not go in); otherwise a
// connection of its own, which sees the commits of every process.
class Pillanatkep
{
public:
    // The file a connection works on, empty when it cannot tell.
    static QString fajlja(const QSqlDatabase& d)
    {
        try {
            Adatbazis::Utasitas u(d, QStringLiteral("PRAGMA database_list"));
            while (u.lep())
                if (u.szoveg(1) == QLatin1String("main")) return u.szoveg(2);
        } catch (const AdatbazisHiba&) {
        }
        return {};
    }

    ~Pillanatkep()
    {
        m_olvas.reset();
        m_db = QSqlDatabase();
        if (!m_kapcsolat.isEmpty()) {
            QSqlDatabase::database(m_kapcsolat, false).close();
            QSqlDatabase::removeDatabase(m_kapcsolat);
        }
        if (!m_masolat.isEmpty()) QFile::remove(m_masolat);
    }

    bool keszit(const QString& dbFajl, const QString& masolatFajl, QString* hiba)
    {
        if (Adatbazis::nyitva() && !Adatbazis::tranzakcioban()) {
            const QSqlDatabase d = Adatbazis::db();
            const QString nev = fajlja(d);
            if (!nev.isEmpty() && QFileInfo(nev).canonicalFilePath() == QFileInfo(dbFajl).canonicalFilePath()) m_db = d;
        }
        if (!m_db.isValid()) {
            static int sorszam = 0;
            m_kapcsolat = QStringLiteral("KazettoraArchiv%1").arg(++sorszam);
            m_db = QSqlDatabase::addDatabase(Adatbazis::motor().driver(), m_kapcsolat);
            // Not read-only: the log is folded in through this connection.
            // mode=rw: a file gone meanwhile is an error, never a new one.
            QUrl url = QUrl::fromLocalFile(QFileInfo(dbFajl).absoluteFilePath());
            url.setQuery(QStringLiteral("mode=rw"));
            m_db.setDatabaseName(url.toString(QUrl::FullyEncoded));
            m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
            if (!m_db.open()) {
                const QSqlError e = m_db.lastError();
                if (hiba) *hiba = Adatbazis::magyarHiba(e.databaseText().isEmpty() ? e.text() : e.databaseText());
                return false;
            }
        }
        if (kozvetlen(dbFajl)) {
            m_fajl = dbFajl;
            return true;
        }
        m_masolat = masolatFajl;
        m_fajl = masolatFajl;
        return masol(hiba);
    }

    // The file to zip as the database.
    QString fajl() const { return m_fajl; }

private:
    bool kozvetlen(const QString& dbFajl)
    {
        try {
            // Without waiting: a reader in the way means the copy instead.
            qint64 varakozas = 0;
            {
                Adatbazis::Utasitas u(m_db, QStringLiteral("PRAGMA busy_timeout"));
                if (u.lep()) varakozas = u.egesz(0);
            }
            Adatbazis::Utasitas(m_db, QStringLiteral("PRAGMA busy_timeout=0")).futtat();
            try {
                Adatbazis::Utasitas(m_db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")).futtat();
            } catch (const AdatbazisHiba&) {
                // Not folded in: the log decides below.
            }
            Adatbazis::Utasitas(m_db, QStringLiteral("PRAGMA busy_timeout=%1").arg(varakozas)).futtat();
            m_olvas.emplace(Adatbazis::Olvasas::Pillanatkep, m_db);
        } catch (const AdatbazisHiba&) {
            return false;
        }
        // A commit that came between the fold and the read is in the log and
        // in this read's view: the file alone would miss it.
        const QFileInfo naplo(dbFajl + QStringLiteral("-wal"));
        if (!naplo.exists() || naplo.size() == 0) return true;
        m_olvas.reset();
        return false;
    }

    bool masol(QString* hiba) { return Adatbazis::motor().masolat(m_db, m_masolat, hiba); }

    QSqlDatabase m_db;
    QString m_kapcsolat;   // of its own connection, empty on the session's
    std::optional<Adatbazis::Tranzakcio> m_olvas;
    QString m_fajl, m_masolat;
};

// The zip writer's reason in Hungarian: what it was doing, and the system's
// reason where there is one.
QString zipHibaSzoveg(const zip_error_t* e)
{
    const int kod = zip_error_code_zip(e);
    const int rendszer = zip_error_system_type(e) == ZIP_ET_SYS ? zip_error_code_system(e) : 0;
    QString mit;
    switch (kod) {
    case ZIP_ER_OK: return QStringLiteral("Ismeretlen hiba.");
    case ZIP_ER_WRITE: mit = QStringLiteral("Az archívum írása nem sikerült"); break;
    case ZIP_ER_READ: mit = QStringLiteral("Egy fájl olvasása nem sikerült"); break;
    case ZIP_ER_TMPOPEN: mit = QStringLiteral("Az ideiglenes fájl nem hozható létre"); break;
    case ZIP_ER_OPEN: mit = QStringLiteral("Egy fájl nem nyitható meg"); break;
    case ZIP_ER_RENAME: mit = QStringLiteral("Az ideiglenes fájl nem nevezhető át"); break;
    case ZIP_ER_CLOSE: mit = QStringLiteral("Egy fájl lezárása nem sikerült"); break;
    case ZIP_ER_SEEK: mit = QStringLiteral("Egy fájlban nem sikerült a pozicionálás"); break;
    case ZIP_ER_REMOVE: mit = QStringLiteral("Egy fájl nem törölhető"); break;
    case ZIP_ER_NOENT: mit = QStringLiteral("Egy fájl időközben eltűnt"); break;
    case ZIP_ER_CHANGED: mit = QStringLiteral("Egy fájl időközben megváltozott"); break;
    case ZIP_ER_MEMORY: mit = QStringLiteral("Elfogyott a memória"); break;
    case ZIP_ER_EXISTS: mit = QStringLiteral("Már van ilyen nevű fájl"); break;
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA: mit = QStringLiteral("A tömörítés nem sikerült"); break;
    default: mit = QStringLiteral("A tömörítő hibája (kód: %1)").arg(kod); break;
    }
    return rendszer ? mit + QStringLiteral(": ") + Fajliras::RendszerHiba(rendszer) : mit + '.';
}

QString zipHiba(zip_t* za) { return zipHibaSzoveg(zip_get_error(za)); }

} // namespace

bool Keszit(const QString& adatMappa, const QString& cel, QString* hiba, QStringList* kihagyott)
{
    const QDir alap(adatMappa);
    if (!QFileInfo(adatMappa).isDir()) {
        if (hiba) *hiba = QStringLiteral("Nem létező adatbázis mappa: %1").arg(QDir::toNativeSeparators(adatMappa));
        return false;
    }
    if (kihagyott) kihagyott->clear();
    const QString celAbs = QFileInfo(cel).absoluteFilePath();
    // What an earlier run left when it was killed: its half-written zip,
    // its copy of the database.
    Fajliras::Maradekok(QFileInfo(celAbs).absolutePath());
    const QString ideiglenes = Fajliras::IdeiglenesNev(celAbs);
    const QString dbFajl = alap.filePath(QString::fromLatin1(Adatbazis::FajlNev));
    // The copy of the database waits beside the archive, on its disk.
    const QString masolat = ideiglenes + QStringLiteral(".db");

    // The files first, before anything of ours is written: an archive made
    // inside the data folder must not take in itself or its own copy.
    // Regular files only: a link would pull in what lies outside the folder,
    // and reading a named pipe or a device might never end.
    QList<QPair<QString, QString>> fajlok;   // path in the archive, file on disk
    bool vanDb = false;
    QDirIterator it(adatMappa, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString rel = alap.relativeFilePath(f);
        struct stat st {};
        if (::lstat(QFile::encodeName(f).constData(), &st) != 0) continue;   // gone meanwhile
        if (S_ISDIR(st.st_mode)) continue;
        const QFileInfo fi(f);
        if (fi.absoluteFilePath() == celAbs || Fajliras::IdeiglenesE(fi.fileName())) continue;
        if (!rel.contains('/') && kihagyando(rel)) continue;
        if (!S_ISREG(st.st_mode)) {
            if (kihagyott) kihagyott->append(rel);
            continue;
        }
        if (rel == QLatin1String(Adatbazis::FajlNev)) {
            vanDb = true;
            fajlok.append({rel, QString()});   // the snapshot's file, below
        } else {
            fajlok.append({rel, fi.absoluteFilePath()});
        }
    }

    // Held until the archive is written.
    Pillanatkep pillanatkep;
    if (vanDb) {
        if (!pillanatkep.keszit(dbFajl, masolat, hiba)) return false;
        for (auto& [nev, fajl] : fajlok)
            if (fajl.isEmpty()) fajl = pillanatkep.fajl();
    }

    int kod = 0;
    // Built under a temporary name beside the target (the zip writer works
    // in one more beside that, the same name with a suffix) and renamed
    // over the target only when whole.
    errno = 0;
    zip_t* za = zip_open(QFile::encodeName(ideiglenes).constData(), ZIP_CREATE | ZIP_TRUNCATE, &kod);
    if (!za) {
        const int rendszer = errno;
        zip_error_t e;
        zip_error_init_with_code(&e, kod);
        QString ok = zipHibaSzoveg(&e);
        // zip_open() gives the code alone; the system's reason is errno.
        if (zip_error_system_type(&e) == ZIP_ET_SYS && rendszer != 0)
            ok = ok.chopped(1) + QStringLiteral(": ") + Fajliras::RendszerHiba(rendszer);
        if (hiba) *hiba = ok;
        zip_error_fini(&e);
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
        QFile::remove(ideiglenes);
        return false;
    }
    return Fajliras::Helyere(ideiglenes, celAbs, hiba);
}

QString KihagyottUzenet(const QStringList& kihagyott)
{
    if (kihagyott.isEmpty()) return {};
    constexpr int Legtobb = 10;
    QStringList nevek;
    for (const QString& n : kihagyott.mid(0, Legtobb)) nevek << QDir::toNativeSeparators(n);
    QString s = QStringLiteral("Nem került az archívumba %1 elem, mert nem szabályos fájl (hivatkozás, cső vagy eszköz): %2")
                    .arg(kihagyott.size())
                    .arg(nevek.join(QStringLiteral(", ")));
    if (kihagyott.size() > Legtobb) s += QStringLiteral(" és további %1").arg(kihagyott.size() - Legtobb);
    return s + '.';
}

} // namespace Archiv
