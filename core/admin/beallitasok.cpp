#include "core/admin/beallitasok.h"
#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/fajliras.h"
#include "core/data/konverzio.h"
#include "core/data/rekord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

// The fields the window edits, in the table's order.
const char* const SorMezok[] = {"vanbelep", "dijnegyed", "dijfel", "dijev", "autonyom", "kolcsszoveg", "elorefizet",
                                "alapfiztip"};

QVariant* mezoje(BeallitSor& s, const QString& nev)
{
    if (nev == QLatin1String("vanbelep")) return &s.vanbelep;
    if (nev == QLatin1String("dijnegyed")) return &s.dijnegyed;
    if (nev == QLatin1String("dijfel")) return &s.dijfel;
    if (nev == QLatin1String("dijev")) return &s.dijev;
    if (nev == QLatin1String("autonyom")) return &s.autonyom;
    if (nev == QLatin1String("kolcsszoveg")) return &s.kolcsszoveg;
    if (nev == QLatin1String("elorefizet")) return &s.elorefizet;
    if (nev == QLatin1String("alapfiztip")) return &s.alapfiztip;
    return nullptr;
}

// The pending settings file: "<file>.fuggo-<pid>-<fingerprint of the row>".
constexpr const char* FuggoJel = ".fuggo-";

// True while the process that wrote a pending file (its number in the
// name) is another one still running: its save may be about to commit.
bool masikDolgozik(const QString& fajlNev, const QString& iniNev)
{
    const QString maradek = fajlNev.mid(iniNev.size() + int(qstrlen(FuggoJel)));
    bool jo = false;
    const qint64 pid = maradek.section(u'-', 0, 0).toLongLong(&jo);
    if (!jo || pid <= 0 || pid > 0x7fffffff || pid == qint64(::getpid())) return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QStringList fuggoFajlok(const QString& iniFajl)
{
    const QFileInfo fi(iniFajl);
    QStringList l;
    const QDir d = fi.absoluteDir();
    for (const QString& n : d.entryList({fi.fileName() + QLatin1String(FuggoJel) + '*'}, QDir::Files | QDir::Hidden))
        if (!Fajliras::IdeiglenesE(n)) l << d.filePath(n);
    return l;
}

// The row the program reads at start, as the engine stores it (types and
// NULLs included), hashed: it tells whether a commit took place.
QString ujjlenyomat()
{
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral(
        "SELECT quote(beallit), quote(vanbelep), quote(dijnegyed), quote(dijfel), quote(dijev), quote(autonyom), "
        "quote(kolcsszoveg), quote(elorefizet), quote(alapfiztip) FROM beallit ORDER BY beallit LIMIT 1"));
    QByteArray b;
    if (q.next())
        for (int i = 0; i < 9; ++i) b += q.value(i).toString().toUtf8() + '\x1f';
    return QString::fromLatin1(QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex().left(32));
}

} // namespace

bool BeallitasokBefejez(const QString& iniFajl)
{
    // A pending file's own half-written temporary goes too.
    Fajliras::Maradekok(QFileInfo(iniFajl).absolutePath());
    const QStringList fuggok = fuggoFajlok(iniFajl);
    if (fuggok.isEmpty()) return false;
    const QString iniNev = QFileInfo(iniFajl).fileName();
    const QString sajat = '-' + ujjlenyomat();
    bool atvett = false;
    for (const QString& f : fuggok) {
        const QString nev = QFileInfo(f).fileName();
        if (masikDolgozik(nev, iniNev)) continue;
        // The row it was made with: the commit happened, the file follows
        // (kept for the next start when even now it cannot). Any other: its
        // save never committed.
        if (nev.endsWith(sajat)) atvett = Fajliras::Helyere(f, iniFajl, nullptr, true);
        else QFile::remove(f);
    }
    return atvett;
}

BeallitSor BeallitSorOlvas()
{
    BeallitSor s;
    const QVariant kulcs = Adatbazis::ertek(QStringLiteral("SELECT beallit FROM beallit ORDER BY beallit LIMIT 1"));
    if (!kulcs.isValid() || kulcs.isNull()) return s;
    Rekord r(QStringLiteral("beallit"));
    if (!r.szerkeszt(kulcs)) return s;
    s.beallit = kulcs;
    for (const char* m : SorMezok) *mezoje(s, QLatin1String(m)) = r.ertek(QLatin1String(m));
    return s;
}

BeallitFajlErtekek BeallitFajlErtekekTBeallbol()
{
    return {TBeall.TeljesKep, TBeall.Utvonal, TBeall.MentesUtvonal};
}

void BeallitasokMent(const BeallitSor& sor, const BeallitFajlErtekek& fajl, const QString& iniFajl,
                     const TulajdonosAdat* tulajdonos, const QList<Kesedelem::ArkatSzabaly>* kesedelem)
{
    Adatbazis::Tranzakcio t;
    // Login on with nobody able to log in as administrator would lock the
    // shop out of the users window for good.
    if (VarSzoveg(sor.vanbelep) == QLatin1String("I") && Felhasznalok::RendszergazdaSzam() == 0)
        throw AdatbazisHiba(QStringLiteral(
            "A belépés nem kapcsolható be, mert nincs rendszergazda jogú felhasználó. Előbb vegyen fel egyet a "
            "Felhasználók ablakban."));
    Rekord r(QStringLiteral("beallit"));
    if (sor.beallit.isValid() && !sor.beallit.isNull()) {
        if (!r.szerkeszt(sor.beallit))
            throw AdatbazisHiba(QStringLiteral("A beállítások sorát időközben törölték, a módosítás nem menthető."));
    } else {
        r.beszur();
    }
    BeallitSor s = sor;
    for (const char* m : SorMezok) r.beallit(QLatin1String(m), *mezoje(s, QLatin1String(m)));
    r.ment();   // inside t: stored only with the file below
    if (tulajdonos) Tulajdonos::ment(*tulajdonos);
    if (kesedelem) Kesedelem::Ment(*kesedelem);

    // The file and the row land together or not at all. The new file is
    // written whole beside the settings file under a pending name that
    // carries the fingerprint of the row as this transaction leaves it; the
    // row commits; the pending file is then renamed over the settings file.
    // A failure before the commit removes the pending file (both stay old).
    // A kill between the commit and the rename leaves the pending file, and
    // the next start (BeallitasokBefejez) finishes the rename exactly when
    // the stored row has that fingerprint, i.e. when the commit happened.
    // The other way round (file first, row after) could not be told apart
    // from a finished save at the next start.
    IniFajl uj;
    uj.beolvas(iniFajl);
    uj.ir(QStringLiteral("Alapertek"), QStringLiteral("TeljesKep"), fajl.TeljesKep);
    uj.ir(QStringLiteral("Adatbazis"), QStringLiteral("Utvonal"), fajl.Utvonal);
    uj.ir(QStringLiteral("Archiv"), QStringLiteral("MentesUtvonal"), fajl.MentesUtvonal);
    for (const QString& f : fuggoFajlok(iniFajl))
        if (!masikDolgozik(QFileInfo(f).fileName(), QFileInfo(iniFajl).fileName())) QFile::remove(f);
    const QString fuggo =
        iniFajl + QLatin1String(FuggoJel) + QString::number(qint64(::getpid())) + '-' + ujjlenyomat();
    QString hiba;
    if (!uj.ment(fuggo, &hiba)) {
        QFile::remove(fuggo);
        throw AdatbazisHiba(hiba.replace(fuggo, iniFajl));
    }
    if (QFileInfo(iniFajl).isFile()) QFile::setPermissions(fuggo, QFile::permissions(iniFajl));
    try {
        t.jovahagy();
    } catch (...) {
        QFile::remove(fuggo);
        throw;
    }
    // Committed: the row is saved, so the file follows it even if the
    // rename fails now; the next start retries it.
    Fajliras::Helyere(fuggo, iniFajl, nullptr, true);
    TBeall.TeljesKep = fajl.TeljesKep;
    TBeall.Utvonal = fajl.Utvonal;
    TBeall.MentesUtvonal = fajl.MentesUtvonal;
}
