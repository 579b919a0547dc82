#include "core/data/beallitas.h"
#include "core/data/adatbazis.h"
#include "core/data/fajliras.h"
#include "core/data/konverzio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTextStream>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TBeallRekord TBeall;

namespace {
QString g_programUtvonal;
}

QString ProgramUtvonal() { return g_programUtvonal; }

void ProgramUtvonalBeallit(const QString& mappa)
{
    QString m = QDir::fromNativeSeparators(QDir(mappa).absolutePath());
    while (m.size() > 1 && m.endsWith('/')) m.chop(1);
    g_programUtvonal = m;
}

// ---- IniFajl ---------------------------------------------------------------

bool IniFajl::beolvas(const QString& fajl)
{
    m_sorok.clear();
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&f);
    QString szakasz;
    while (!in.atEnd()) {
        const QString nyers = in.readLine();
        const QString s = nyers.trimmed();
        Sor sor{szakasz, {}, {}, nyers};
        if (s.startsWith('[') && s.endsWith(']')) {
            szakasz = s.mid(1, s.size() - 2).trimmed();
            sor.szakasz = szakasz;
        } else if (!s.startsWith(';') && s.contains('=')) {
            const qsizetype i = s.indexOf('=');
            sor.kulcs = s.left(i).trimmed();
            sor.ertek = s.mid(i + 1).trimmed();
        }
        m_sorok.append(sor);
    }
    return true;
}

const IniFajl::Sor* IniFajl::keres(const QString& szakasz, const QString& kulcs) const
{
    for (const Sor& s : m_sorok)
        if (!s.kulcs.isEmpty() && s.szakasz.compare(szakasz, Qt::CaseInsensitive) == 0
            && s.kulcs.compare(kulcs, Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

QString IniFajl::szoveg(const QString& szakasz, const QString& kulcs, const QString& alap) const
{
    const Sor* s = keres(szakasz, kulcs);
    return s ? s->ertek : alap;
}

int IniFajl::egesz(const QString& szakasz, const QString& kulcs, int alap) const
{
    const Sor* s = keres(szakasz, kulcs);
    if (!s) return alap;
    bool ok = false;
    const int v = s->ertek.toInt(&ok, 10);
    return ok ? v : alap;
}

bool IniFajl::logikai(const QString& szakasz, const QString& kulcs, bool alap) const
{
    const Sor* s = keres(szakasz, kulcs);
    if (!s) return alap;
    bool ok = false;
    const int v = s->ertek.toInt(&ok, 10);
    return ok ? v != 0 : alap;
}

QDate IniFajl::datum(const QString& szakasz, const QString& kulcs, const QDate& alap) const
{
    const Sor* s = keres(szakasz, kulcs);
    if (!s) return alap;
    const QDate d = RovidDatumbol(s->ertek);
    return d.isValid() ? d : alap;
}

void IniFajl::ir(const QString& szakasz, const QString& kulcs, const QString& ertek)
{
    for (Sor& s : m_sorok) {
        if (!s.kulcs.isEmpty() && s.szakasz.compare(szakasz, Qt::CaseInsensitive) == 0
            && s.kulcs.compare(kulcs, Qt::CaseInsensitive) == 0) {
            s.ertek = ertek;
            s.nyers = s.kulcs + '=' + ertek;
            return;
        }
    }
    // New key: after the last line of its section, or in a new section.
    qsizetype hova = -1;
    for (qsizetype i = 0; i < m_sorok.size(); ++i)
        if (m_sorok[i].szakasz.compare(szakasz, Qt::CaseInsensitive) == 0
            && !m_sorok[i].nyers.trimmed().isEmpty())
            hova = i + 1;
    if (hova < 0) {
        m_sorok.append(Sor{szakasz, {}, {}, '[' + szakasz + ']'});
        hova = m_sorok.size();
    }
    m_sorok.insert(hova, Sor{szakasz, kulcs, ertek, kulcs + '=' + ertek});
}

void IniFajl::ir(const QString& sz, const QString& k, int v) { ir(sz, k, QString::number(v)); }
void IniFajl::ir(const QString& sz, const QString& k, bool v) { ir(sz, k, QString(v ? "1" : "0")); }
void IniFajl::ir(const QString& sz, const QString& k, const QDate& v) { ir(sz, k, RovidDatum(v)); }

namespace {

// Writes all of `adat` to fd; false (errno set) when any of it did not go.
bool mindIr(int fd, const QByteArray& adat)
{
    qsizetype kesz = 0;
    while (kesz < adat.size()) {
        const ssize_t n = ::write(fd, adat.constData() + kesz, size_t(adat.size() - kesz));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        kesz += n;
    }
    return true;
}

} // namespace

bool IniFajl::ment(const QString& fajl, QString* hiba) const
{
    QByteArray tartalom;
    for (const Sor& s : m_sorok) tartalom += s.nyers.toUtf8() + '\n';

    // The new text goes to a file beside the old one and takes its place
    // only once it is whole on the disk: a full disk or a failed write
    // leaves the old settings as they were.
    const QByteArray cel = QFile::encodeName(fajl);
    const QByteArray uj = QFile::encodeName(Fajliras::IdeiglenesNev(fajl));
    Fajliras::Maradekok(QFileInfo(fajl).absolutePath());
    int okHiba = 0;
    const int fd = ::open(uj.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        okHiba = errno;
    } else {
        struct stat regi, irt;
        if (::stat(cel.constData(), &regi) == 0) ::fchmod(fd, regi.st_mode & 07777);
        if (!mindIr(fd, tartalom)) okHiba = errno;
        // A write that reported success may still have come up short.
        else if (::fstat(fd, &irt) != 0) okHiba = errno;
        else if (irt.st_size != tartalom.size()) okHiba = ENOSPC;
        else if (::fsync(fd) != 0) okHiba = errno;
        if (::close(fd) != 0 && okHiba == 0) okHiba = errno;
        if (okHiba == 0 && ::rename(uj.constData(), cel.constData()) != 0) okHiba = errno;
        if (okHiba != 0) ::unlink(uj.constData());
    }
    if (okHiba == 0) {
        // The new name is durable once the folder is; a file system that
        // cannot sync a folder has nothing more to do.
        const int mappa = ::open(QFile::encodeName(QFileInfo(fajl).absolutePath()).constData(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (mappa >= 0) {
            ::fsync(mappa);
            ::close(mappa);
        }
        return true;
    }
    if (hiba)
        *hiba = QStringLiteral("A beállítások fájlja nem írható: %1\n%2")
                    .arg(QDir::toNativeSeparators(fajl), Fajliras::RendszerHiba(okHiba));
    return false;
}

// ---- TBeall ------------------------------------------------------------------

QString IniBeolvasFajlbol(const QString& fajl)
{
    IniFajl ini;
    ini.beolvas(fajl);
    TBeall.TeljesKep = ini.logikai("Alapertek", "TeljesKep", true);
    TBeall.Bal = ini.egesz("Alapertek", "Bal", 5);
    TBeall.Felul = ini.egesz("Alapertek", "Felul", 5);
    TBeall.Magas = ini.egesz("Alapertek", "Magas", 400);
    TBeall.Szeles = ini.egesz("Alapertek", "Szeles", 640);
    TBeall.Betumeret = ini.egesz("Alapertek", "Betumeret", 8);
    TBeall.Utvonal = QDir::fromNativeSeparators(ini.szoveg("Adatbazis", "Utvonal", ProgramUtvonal() + "/Data"));
    TBeall.MentesUtvonal = QDir::fromNativeSeparators(ini.szoveg("Archiv", "MentesUtvonal", ProgramUtvonal() + "/Archiv"));
    TBeall.MentesDatum = ini.datum("Archiv", "MentesDatum", QDate::currentDate().addDays(-10));
    TBeall.VK_Kazettora = ini.logikai("Vonalkod", "VK_Kazettora", true);

    // A font size the grid cannot show is treated as a missing key.
    if (TBeall.Betumeret < 8 || TBeall.Betumeret > 22) TBeall.Betumeret = 8;

    QString figyelmeztetes;
    // A folder the program may not look into is there all the same: the
    // setting stays, and the open of the database says what is wrong.
    struct stat st;
    const bool nincsJog = !TBeall.Utvonal.isEmpty()
                          && ::stat(QFile::encodeName(TBeall.Utvonal).constData(), &st) != 0 && errno == EACCES;
    if (!nincsJog && (TBeall.Utvonal.isEmpty() || !QFileInfo(TBeall.Utvonal).isDir())) {
        figyelmeztetes = QStringLiteral("Nem létező adatbázis mappa, alapértelmezés visszaállítva.");
        TBeall.Utvonal = ProgramUtvonal() + "/Data";
    }
    if (TBeall.MentesUtvonal.isEmpty() || !QFileInfo(TBeall.MentesUtvonal).isDir())
        TBeall.MentesUtvonal = ProgramUtvonal() + "/Archiv";
    return figyelmeztetes;
}

bool IniMentesFajlba(const QString& fajl, const Geometria& g, QString* hiba)
{
    IniFajl ini;
    ini.beolvas(fajl);
    ini.ir("Adatbazis", "Utvonal", TBeall.Utvonal);
    ini.ir("Alapertek", "TeljesKep", TBeall.TeljesKep);
    ini.ir("Archiv", "MentesUtvonal", TBeall.MentesUtvonal);
    ini.ir("Archiv", "MentesDatum", TBeall.MentesDatum);
    ini.ir("Alapertek", "Betumeret", TBeall.Betumeret);
    ini.ir("Vonalkod", "VK_Kazettora", TBeall.VK_Kazettora);
    ini.ir("Alapertek", "Bal", g.bal);
    ini.ir("Alapertek", "Felul", g.felul);
    ini.ir("Alapertek", "Magas", g.magas);
    ini.ir("Alapertek", "Szeles", g.szeles);
    return ini.ment(fajl, hiba);
}

void BeallitBetoltAdatbazisbol()
{
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT vanbelep, dijnegyed, dijfel, dijev, autonyom, elorefizet, alapfiztip FROM beallit ORDER BY beallit "
                       "LIMIT 1"));
    const bool van = q.next();
    auto v = [&](int i) { return van ? q.value(i) : QVariant(); };
    TBeall.vanbelep = VarSzoveg(v(0)) == QLatin1String("I");
    TBeall.dijnegyed = VarValos(v(1));
    TBeall.dijfel = VarValos(v(2));
    TBeall.dijev = VarValos(v(3));
    TBeall.autonyom = VarSzoveg(v(4)) == QLatin1String("I");
    TBeall.elorefizet = VarSzoveg(v(5)) == QLatin1String("I");
    TBeall.alapfiztip = VarEgesz(v(6));
}

