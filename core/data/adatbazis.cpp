#include "core/data/adatbazis.h"
#include "core/data/kiszolgalo.h"
#include "core/data/fajliras.h"
#include "core/data/motor.h"
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
#include <sqlite3.h>
#include <sys/stat.h>

namespace Adatbazis {

namespace {

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
    return motor().beallit(db, hiba);
}

namespace {

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
    return QStringLiteral("Az adatbázis nem érhető el (%1): %2").arg(Fajliras::RendszerHiba(errno).chopped(1), nativ(fajl));
}

// An open connection checked to hold the program's schema, set up and
// brought up to date; empty text, or why not.
QString sajatjaBeallit(QSqlDatabase& d)
{
    QString uzenet = motor().semaEllenoriz(d);
    if (uzenet.isEmpty()) beallit(d, &uzenet);
    if (uzenet.isEmpty()) {
        try {
            motor().semaFrissit(d);
        } catch (const AdatbazisHiba& e) {
            uzenet = e.uzenet();
        }
    }
    return uzenet;
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
    if (mod == Nyitas::Egyedul && !motor().zarol(fajl, &uzenet, &g_irasiAkadaly)) {
        g_irasiAkadaly.clear();
        if (hiba) *hiba = QStringLiteral("Az adatbázis nem nyitható meg (%1):\n%2").arg(nativ(fajl), uzenet);
        return false;
    }
    {
        QSqlDatabase d = QSqlDatabase::addDatabase(motor().driver(), QString::fromLatin1(KapcsolatNev));
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
            uzenet = sajatjaBeallit(d);
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
        motor().zarFelold();
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
    motor().zarFelold();
    g_irasiAkadaly.clear();
    motorBeallit(sqliteMotor());   // the default again
}

bool nyitKiszolgalo(const QString& kapcsolat, QString* hiba)
{
    zar();
    QString uzenet = Kiszolgalo::KapcsolatEllenoriz(kapcsolat);
    if (uzenet.isEmpty()) {
        motorBeallit(pgMotor());
        QSqlDatabase d = QSqlDatabase::addDatabase(motor().driver(), QString::fromLatin1(KapcsolatNev));
        // The whole libpq connection string: the driver passes it on as it is.
        d.setConnectOptions(kapcsolat);
        if (!d.open()) {
            uzenet = magyarHiba(d.lastError().databaseText().isEmpty() ? d.lastError().text() : d.lastError().databaseText());
        } else {
            uzenet = sajatjaBeallit(d);
        }
        if (!uzenet.isEmpty()) d.close();
    }
    if (!uzenet.isEmpty()) {
        zar();
        if (hiba) *hiba = QStringLiteral("Az adatbázis-kiszolgáló nem érhető el:\n%1").arg(uzenet);
        return false;
    }
    return true;
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
    if (param.isEmpty() && !motor().elokeszitheto(sql)) {
        QSqlQuery q(d);
        q.setForwardOnly(true);
        if (!q.exec(sql)) throw hiba(q);
        return q;
    }
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

bool tranzakcioban(const QSqlDatabase& d) { return motor().tranzakcioban(d); }

Tranzakcio::Tranzakcio(const QSqlDatabase& d) : m_db(d)
{
    if (tranzakcioban(m_db)) {
        static quint64 sorszam = 0;
        m_mentesipont = QStringLiteral("kz_%1").arg(++sorszam);
        m_szerep = Szerep::Mentesipont;
        vegrehajt(m_db, QStringLiteral("SAVEPOINT ") + m_mentesipont);
    } else {
        vegrehajt(m_db, motor().irasKezdete());
    }
}

Tranzakcio::Tranzakcio(Olvasas, const QSqlDatabase& d) : m_db(d), m_szerep(Szerep::Pillanatkep)
{
    if (tranzakcioban(m_db)) {
        m_szerep = Szerep::Csatlakozott;
        return;
    }
    const QStringList kezdet = motor().pillanatkepKezdete();
    vegrehajt(m_db, kezdet.value(0));
    try {
        for (qsizetype i = 1; i < kezdet.size(); ++i) {
            QSqlQuery q = vegrehajt(m_db, kezdet.at(i));
            q.next();
        }
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
    return motor().kulcsokOlvas(db(), sql, param);
}

} // namespace Adatbazis
