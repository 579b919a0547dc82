#include "tests/core/pgszerver.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <unistd.h>
#include <pwd.h>

namespace {

// The server binaries of the installed major version (Debian keeps them out of PATH).
QString binMappa()
{
    const QDir d(QStringLiteral("/usr/lib/postgresql"));
    QStringList valtozatok = d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(valtozatok.begin(), valtozatok.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& v : valtozatok)
        if (QFileInfo::exists(d.filePath(v + QStringLiteral("/bin/initdb")))) return d.filePath(v + QStringLiteral("/bin"));
    return {};
}

} // namespace

PgSzerver::PgSzerver() : m_mappa(QDir::tempPath() + QStringLiteral("/kz-pg-XXXXXX"))
{
    m_bin = binMappa();
    if (m_bin.isEmpty()) {
        m_hiba = QStringLiteral("no PostgreSQL server binaries under /usr/lib/postgresql");
        return;
    }
    if (!m_mappa.isValid()) {
        m_hiba = QStringLiteral("no temporary folder");
        return;
    }
    if (::geteuid() == 0) {
        const passwd* pw = ::getpwnam("postgres");
        if (!pw || ::chown(QFile::encodeName(m_mappa.path()).constData(), pw->pw_uid, pw->pw_gid) != 0) {
            m_hiba = QStringLiteral("the postgres system user cannot own the server's folder");
            return;
        }
    }
    const QString adat = m_mappa.path() + QStringLiteral("/data");
    if (!futtat({m_bin + QStringLiteral("/initdb"), QStringLiteral("-D"), adat, QStringLiteral("-A"), QStringLiteral("trust"),
                 QStringLiteral("-U"), QString::fromLatin1(Szerepkor), QStringLiteral("-E"), QStringLiteral("UTF8"),
                 QStringLiteral("--locale=C.UTF-8"), QStringLiteral("-N")}))
        return;
    // No TCP port; fsync off: a test server's data need not outlive a crash.
    const QString opciok = QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off -c full_page_writes=off").arg(m_mappa.path());
    if (!futtat({m_bin + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), adat, QStringLiteral("-o"), opciok, QStringLiteral("-l"),
                 m_mappa.path() + QStringLiteral("/naplo"), QStringLiteral("-w"), QStringLiteral("start")}))
        return;
    m_fut = true;
}

PgSzerver::~PgSzerver()
{
    if (m_fut)
        futtat({m_bin + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), m_mappa.path() + QStringLiteral("/data"),
                QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")});
}

QString PgSzerver::kapcsolat(const QString& adatbazis) const
{
    return QStringLiteral("host=%1 dbname=%2 user=%3").arg(m_mappa.path(), adatbazis, QString::fromLatin1(Szerepkor));
}

bool PgSzerver::adatbazis(const QString& nev)
{
    return futtat({m_bin + QStringLiteral("/createdb"), QStringLiteral("-h"), m_mappa.path(), QStringLiteral("-U"),
                   QString::fromLatin1(Szerepkor), nev});
}

bool PgSzerver::futtat(const QStringList& parancs, QString* kimenet)
{
    QProcess p;
    QStringList teljes = parancs;
    // The server refuses root; its tools run as the postgres user then.
    if (::geteuid() == 0) teljes = QStringList{QStringLiteral("runuser"), QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + parancs;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(teljes.first(), teljes.mid(1));
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_hiba = QStringLiteral("%1: %2").arg(QFileInfo(parancs.first()).fileName(), QString::fromLocal8Bit(p.readAll()).trimmed());
        return false;
    }
    if (kimenet) *kimenet = QString::fromLocal8Bit(p.readAll());
    return true;
}
