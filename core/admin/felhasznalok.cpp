#include "core/admin/felhasznalok.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/data/konverzio.h"

#include <QByteArray>
#include <QSqlQuery>
#include <sodium.h>

namespace Felhasznalok {

namespace {

bool g_olcso = false;

unsigned long long muveletKorlat() { return g_olcso ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE; }
size_t memoriaKorlat() { return g_olcso ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE; }

void sodiumKesz()
{
    static const bool kesz = sodium_init() >= 0;
    if (!kesz) throw AdatbazisHiba(QStringLiteral("A jelszókezelő könyvtár nem indítható."));
}

// A digest no password matches, verified when the name is unknown: a wrong
// name then takes as long as a wrong password and tells nothing.
const QString& vakDigest()
{
    static const QString d = Digest(QStringLiteral("\x01nincs-ilyen-felhasznalo"));
    return d;
}

bool belepesBe()
{
    return VarSzoveg(Adatbazis::ertek(QStringLiteral("SELECT vanbelep FROM beallit ORDER BY beallit LIMIT 1")))
           == QLatin1String("I");
}

// After a password is written: the write-ahead log is folded into the file
// and emptied, so that the page images holding what was replaced go with it.
void naploUrit()
{
    if (Adatbazis::tranzakcioban()) return;   // the caller's commit comes first
    try {
        Adatbazis::vegrehajt(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    } catch (const AdatbazisHiba&) {
        // Another reader holds the log: it is folded in at a later checkpoint.
    }
}

QString jelszoHiba(const QString& jelszo)
{
    if (jelszo.isEmpty()) return QString::fromUtf8(HianyosAdat);
    if (jelszo.size() > JelszoHossz) return QString::fromUtf8(JelszoTulHosszu);
    return {};
}

} // namespace

void OlcsoDigest(bool olcso) { g_olcso = olcso; }

QString Digest(const QString& jelszo)
{
    sodiumKesz();
    const QByteArray j = jelszo.toUtf8();
    char ki[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(ki, j.constData(), quint64(j.size()), muveletKorlat(), memoriaKorlat()) != 0)
        throw AdatbazisHiba(QStringLiteral("Nincs elég memória a jelszó titkosításához."));
    return QString::fromLatin1(ki);
}

bool DigestE(const QString& tarolt) { return tarolt.startsWith(QLatin1String(DigestElotag)); }

bool Egyezik(const QString& tarolt, const QString& jelszo)
{
    if (!DigestE(tarolt)) return tarolt == jelszo;
    sodiumKesz();
    const QByteArray d = tarolt.toLatin1();
    const QByteArray j = jelszo.toUtf8();
    return crypto_pwhash_str_verify(d.constData(), j.constData(), quint64(j.size())) == 0;
}

std::optional<Belepo> Azonosit(const QString& nev, const QString& jelszo)
{
    // The name matches exactly, letter case included (= compares bytes).
    QSqlQuery q = Adatbazis::vegrehajt(
        QStringLiteral("SELECT felhasznalo, felhasznalo_nev, jelszo, rendszergazda, torzsszerkeszt "
                       "FROM felhasznalo WHERE felhasznalo = ?"),
        {nev});
    if (!q.next()) {
        Egyezik(vakDigest(), jelszo);
        return std::nullopt;
    }
    Belepo b;
    b.felhasznalo = VarSzoveg(q.value(0));
    b.felhasznalo_nev = VarSzoveg(q.value(1));
    const QVariant nyers = q.value(2);
    const QString tarolt = VarSzoveg(nyers);
    b.rendszergazda = VarSzoveg(q.value(3)) == QLatin1String("I");
    b.torzsszerkeszt = VarSzoveg(q.value(4)) == QLatin1String("I");
    q.finish();
    if (!Egyezik(tarolt, jelszo)) return std::nullopt;

    const QByteArray d = tarolt.toLatin1();
    const bool ujra = !DigestE(tarolt)
                      || crypto_pwhash_str_needs_rehash(d.constData(), muveletKorlat(), memoriaKorlat()) != 0;
    if (ujra) {
        // A password kept as typed (or a digest of other limits) is stored
        // as today's digest. The login goes on when the file cannot be
        // written: the old value stays and is replaced at a later login.
        try {
            const QString digest = Digest(jelszo);
            Adatbazis::Tranzakcio t;
            Adatbazis::vegrehajt(QStringLiteral("UPDATE felhasznalo SET jelszo = ? WHERE felhasznalo = ? AND jelszo IS ?"),
                                 {digest, b.felhasznalo, nyers});
            t.jovahagy();
            naploUrit();
        } catch (const AdatbazisHiba& e) {
            qWarning("Kazettora: a jelszó nem menthető titkosítva: %s", qPrintable(e.uzenet()));
        }
    }
    return b;
}

void JogokBeallit(const Belepo& b)
{
    TBeall.torzsszerkeszt = b.torzsszerkeszt;
    TBeall.rendszergazda = b.rendszergazda;
    TBeall.felhasznalo_nev = b.felhasznalo_nev;
}

void JelszoCsere(const QString& nev, const QString& uj)
{
    const QString hiba = jelszoHiba(uj);
    if (!hiba.isEmpty()) throw AdatbazisHiba(hiba);
    const QString digest = Digest(uj);
    {
        Adatbazis::Tranzakcio t;
        QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("UPDATE felhasznalo SET jelszo = ? WHERE felhasznalo = ?"),
                                           {digest, nev});
        if (q.numRowsAffected() != 1)
            throw AdatbazisHiba(QStringLiteral("A(z) „%1” felhasználót időközben törölték.").arg(nev));
        t.jovahagy();
    }
    naploUrit();
}

QString Ellenoriz(const Adatok& a, bool uj)
{
    if (a.felhasznalo.trimmed().isEmpty()) return QString::fromUtf8(HianyosAdat);
    // Both empty on an existing user: the stored password stays.
    if (!uj && a.jelszo.isEmpty() && a.megerosites.isEmpty()) return {};
    if (uj && a.jelszo.isEmpty()) return QString::fromUtf8(HianyosAdat);
    if (a.jelszo != a.megerosites) return QString::fromUtf8(HibasJelszo);
    return jelszoHiba(a.jelszo);
}

int RendszergazdaSzam()
{
    return Adatbazis::ertek(QStringLiteral("SELECT COUNT(*) FROM felhasznalo WHERE rendszergazda = 'I'")).toInt();
}

void Ment(const QString& regiNev, const Adatok& a)
{
    const bool uj = regiNev.isEmpty();
    const QString hiba = Ellenoriz(a, uj);
    if (!hiba.isEmpty()) throw AdatbazisHiba(hiba);
    const bool ujJelszo = !a.jelszo.isEmpty();
    // The slow digest is made before the write lock is taken.
    const QString digest = ujJelszo ? Digest(a.jelszo) : QString();
    const QString rg = a.rendszergazda ? QStringLiteral("I") : QStringLiteral("N");
    const QString tsz = a.torzsszerkeszt ? QStringLiteral("I") : QStringLiteral("N");
    {
        Adatbazis::Tranzakcio t;
        if (uj) {
            Adatbazis::vegrehajt(QStringLiteral("INSERT INTO felhasznalo (felhasznalo, jelszo, rendszergazda, "
                                                "torzsszerkeszt) VALUES (?, ?, ?, ?)"),
                                 {a.felhasznalo, digest, rg, tsz});
        } else {
            const QVariant volt =
                Adatbazis::ertek(QStringLiteral("SELECT rendszergazda FROM felhasznalo WHERE felhasznalo = ?"), {regiNev});
            if (!volt.isValid())
                throw AdatbazisHiba(QStringLiteral("A(z) „%1” felhasználót időközben törölték.").arg(regiNev));
            if (VarSzoveg(volt) == QLatin1String("I") && !a.rendszergazda && RendszergazdaSzam() <= 1 && belepesBe())
                throw AdatbazisHiba(QString::fromUtf8(UtolsoRendszergazda));
            if (ujJelszo)
                Adatbazis::vegrehajt(QStringLiteral("UPDATE felhasznalo SET felhasznalo = ?, jelszo = ?, "
                                                    "rendszergazda = ?, torzsszerkeszt = ? WHERE felhasznalo = ?"),
                                     {a.felhasznalo, digest, rg, tsz, regiNev});
            else
                Adatbazis::vegrehajt(QStringLiteral("UPDATE felhasznalo SET felhasznalo = ?, rendszergazda = ?, "
                                                    "torzsszerkeszt = ? WHERE felhasznalo = ?"),
                                     {a.felhasznalo, rg, tsz, regiNev});
        }
        t.jovahagy();
    }
    if (ujJelszo) naploUrit();
}

void Torol(const QString& nev)
{
    Adatbazis::Tranzakcio t;
    const QVariant volt =
        Adatbazis::ertek(QStringLiteral("SELECT rendszergazda FROM felhasznalo WHERE felhasznalo = ?"), {nev});
    if (!volt.isValid()) return;   // gone already
    if (VarSzoveg(volt) == QLatin1String("I") && RendszergazdaSzam() <= 1 && belepesBe())
        throw AdatbazisHiba(QString::fromUtf8(UtolsoRendszergazda));
    Adatbazis::vegrehajt(QStringLiteral("DELETE FROM felhasznalo WHERE felhasznalo = ?"), {nev});
    t.jovahagy();
}

} // namespace Felhasznalok
