#include "core/data/fajliras.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace Fajliras {

QString RendszerHiba(int hibaszam)
{
    switch (hibaszam) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return QStringLiteral("Betelt a lemez.");
    case EACCES:
    case EPERM: return QStringLiteral("Nincs írási jog.");
    case EROFS: return QStringLiteral("A lemez csak olvasható.");
    case ENOENT: return QStringLiteral("A fájl vagy a mappája nem létezik.");
    case ENOTDIR: return QStringLiteral("Az útvonal egyik tagja nem mappa.");
    case EISDIR: return QStringLiteral("A megadott név egy mappáé, nem fájlé.");
    case ENAMETOOLONG: return QStringLiteral("Túl hosszú a fájl neve.");
    case EEXIST: return QStringLiteral("Már van ilyen nevű fájl.");
    case EIO: return QStringLiteral("Lemezhiba (írási vagy olvasási hiba).");
    case EMFILE:
    case ENFILE: return QStringLiteral("Túl sok a nyitott fájl.");
    case ENOMEM: return QStringLiteral("Elfogyott a memória.");
    case ELOOP: return QStringLiteral("Túl sok egymásra mutató hivatkozás az útvonalban.");
    case EXDEV: return QStringLiteral("A fájl nem helyezhető át másik lemezre.");
    case EBUSY: return QStringLiteral("A fájlt más használja.");
    case ETXTBSY: return QStringLiteral("A fájlt más program használja.");
    case EINVAL: return QStringLiteral("Érvénytelen fájlnév vagy művelet.");
    case 0: return QStringLiteral("Ismeretlen hiba.");
    default: return QStringLiteral("Rendszerhiba (hibakód: %1).").arg(hibaszam);
    }
}

QString IdeiglenesNev(const QString& cel)
{
    return QStringLiteral("%1.kazettora-%2.tmp").arg(cel).arg(qint64(::getpid()));
}

namespace {

const QRegularExpression& minta()
{
    static const QRegularExpression m(QStringLiteral("\\.kazettora-([0-9]+)\\.tmp(\\..*)?$"));
    return m;
}

void szinkron(const QString& ut, bool mappa)
{
    const int fd = ::open(QFile::encodeName(ut).constData(), O_RDONLY | O_CLOEXEC | (mappa ? O_DIRECTORY : 0));
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool IdeiglenesE(const QString& fajlNev) { return minta().match(fajlNev).hasMatch(); }

bool Helyere(const QString& ideiglenes, const QString& cel, QString* hiba, bool megtart)
{
    const QByteArray uj = QFile::encodeName(ideiglenes);
    int hibaszam = 0;
    const int fd = ::open(uj.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        hibaszam = errno;
    } else {
        if (::fsync(fd) != 0 && errno != EINVAL) hibaszam = errno;
        ::close(fd);
    }
    if (hibaszam == 0 && ::rename(uj.constData(), QFile::encodeName(cel).constData()) != 0) hibaszam = errno;
    if (hibaszam != 0) {
        if (!megtart) ::unlink(uj.constData());
        if (hiba)
            *hiba = QStringLiteral("A(z) %1 fájl nem írható: %2").arg(QDir::toNativeSeparators(cel), RendszerHiba(hibaszam));
        return false;
    }
    // The new name is durable once the folder is.
    szinkron(QFileInfo(cel).absolutePath(), true);
    return true;
}

bool Ir(const QString& fajl, const QByteArray& adat, QString* ok)
{
    const QString cel = QFileInfo(fajl).absoluteFilePath();
    Maradekok(QFileInfo(cel).absolutePath());
    const QString ideiglenes = IdeiglenesNev(cel);
    const QByteArray uj = QFile::encodeName(ideiglenes);
    int hibaszam = 0;
    const int fd = ::open(uj.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        hibaszam = errno;
    } else {
        qsizetype kesz = 0;
        while (hibaszam == 0 && kesz < adat.size()) {
            const ssize_t n = ::write(fd, adat.constData() + kesz, size_t(adat.size() - kesz));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) hibaszam = errno;
            else if (n == 0) hibaszam = ENOSPC;
            else kesz += n;
        }
        if (hibaszam == 0 && ::fsync(fd) != 0 && errno != EINVAL) hibaszam = errno;
        if (::close(fd) != 0 && hibaszam == 0) hibaszam = errno;
        if (hibaszam != 0) ::unlink(uj.constData());
    }
    if (hibaszam != 0) {
        if (ok) *ok = RendszerHiba(hibaszam);
        return false;
    }
    QString hiba;
    if (Helyere(ideiglenes, cel, &hiba)) return true;
    if (ok) *ok = hiba.section(QStringLiteral(": "), -1);
    return false;
}

int Maradekok(const QString& mappa)
{
    int db = 0;
    const QDir d(mappa);
    const QStringList nevek =
        d.entryList({QStringLiteral("*.kazettora-*.tmp*")}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& nev : nevek) {
        const QRegularExpressionMatch m = minta().match(nev);
        if (!m.hasMatch()) continue;
        bool jo = false;
        const qint64 pid = m.captured(1).toLongLong(&jo);
        if (!jo || pid <= 0 || pid > 0x7fffffff) continue;
        // A writer still at work (this process or another) keeps its files.
        if (pid == qint64(::getpid())) continue;
        if (::kill(pid_t(pid), 0) == 0 || errno == EPERM) continue;
        if (QFile::remove(d.filePath(nev))) ++db;
    }
    return db;
}

} // namespace Fajliras
