#include "core/admin/szabadsql.h"
#include "core/admin/felhasznalok.h"
#include "core/common/listamodell.h"
#include "core/data/beallitas.h"
#include "core/data/motor.h"
#include "core/data/utasitas.h"

#include <QFile>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <unicode/ucnv.h>

namespace SzabadSql {

namespace {

// One statement prepared from the front of a text; `farok` is where the
// next one begins. A blank or comment-only piece gives no statement. The
// engine's own words on failure: this window shows them as they are.
struct Elokeszitett {
    Adatbazis::Utasitas u;
    const char* farok = nullptr;
    Elokeszitett(const QSqlDatabase& db, const char* eleje, const char* vege)
    {
        qsizetype n = 0;
        u = Adatbazis::Utasitas::elso(db, QByteArrayView(eleje, vege - eleje), &n, true);
        farok = eleje + n;
    }
};

// What the text left, read inside its transaction: login on and nobody with
// the administrator's right, so nobody could open the users window again.
bool nincsRendszergazda(const QSqlDatabase& db)
{
    Adatbazis::Utasitas b(db, QStringLiteral("SELECT vanbelep FROM beallit ORDER BY beallit LIMIT 1"));
    if (!b.lep() || b.szoveg(0) != QLatin1String("I")) return false;
    Adatbazis::Utasitas r(db, QStringLiteral("SELECT COUNT(*) FROM felhasznalo WHERE rendszergazda = 'I'"));
    return r.lep() && r.egesz(0) == 0;
}

// Runs `f`; a failure the guard caused carries the guard's reason instead
// of the engine's "not authorized".
template <class F>
auto orzott(Adatbazis::SajatKapcsolat& k, F&& f)
{
    k.tiltasTorol();
    try {
        return f();
    } catch (const AdatbazisHiba& e) {
        const QString tiltas = k.tiltas();
        k.tiltasTorol();
        if (!tiltas.isEmpty()) throw AdatbazisHiba(tiltas);
        throw;
    }
}

// The first word of a statement, past blanks and comments, in capitals.
QByteArray elsoSzo(const char* s)
{
    for (;;) {
        while (*s == ' ' || *s == '\t' || *s == '\r' || *s == '\n' || *s == '\f' || *s == '\v') ++s;
        if (s[0] == '-' && s[1] == '-') {
            while (*s && *s != '\n') ++s;
        } else if (s[0] == '/' && s[1] == '*') {
            const char* v = strstr(s + 2, "*/");
            s = v ? v + 2 : s + strlen(s);
        } else {
            break;
        }
    }
    QByteArray szo;
    while ((*s >= 'A' && *s <= 'Z') || (*s >= 'a' && *s <= 'z')) szo += char(*s++ & ~0x20);
    return szo;
}

bool tranzakciotKezel(const Adatbazis::Utasitas& u)
{
    static const QByteArray szavak[] = {"BEGIN", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE"};
    const QByteArray szo = elsoSzo(u.sql().constData());
    return std::find(std::begin(szavak), std::end(szavak), szo) != std::end(szavak);
}

const QString NincsUtasitas = QStringLiteral("Nincs futtatható utasítás.");

} // namespace

bool Lekerdezes(const QString& szoveg)
{
    return szoveg.trimmed().toUpper().startsWith(QLatin1String("SELECT"));
}

Kapcsolat::Kapcsolat() = default;

Kapcsolat::~Kapcsolat() { zar(); }

Adatbazis::SajatKapcsolat& Kapcsolat::kapcsolat()
{
    if (!m_k) {
        if (!Adatbazis::kezelo(Adatbazis::db())) throw AdatbazisHiba(QStringLiteral("Az adatbázis nincs megnyitva."));
        m_k = Adatbazis::motor().sajatKapcsolat(Adatbazis::db());
    }
    return *m_k;
}

QSqlDatabase Kapcsolat::db() { return kapcsolat().db(); }

void Kapcsolat::zar() { m_k.reset(); }

qint64 Kapcsolat::Vegrehajt(const QString& szoveg)
{
    const QByteArray u = szoveg.toUtf8();
    const char* p = u.constData();
    const char* const vege = p + u.size();
    Adatbazis::SajatKapcsolat& k = kapcsolat();
    const QSqlDatabase db = k.db();
    return orzott(k, [&] {
        Adatbazis::Tranzakcio t(db);
        qint64 valtozott = 0;
        bool volt = false;
        while (p < vege) {
            Elokeszitett e(db, p, vege);
            p = e.farok;
            if (!e.u.ervenyes()) continue;
            volt = true;
            if (tranzakciotKezel(e.u))
                throw AdatbazisHiba(QStringLiteral("Tranzakciót kezelő utasítás (%1) itt nem futtatható: a szöveg "
                                                   "utasításai együtt, egy tranzakcióban futnak.")
                                        .arg(QString::fromLatin1(elsoSzo(e.u.sql().constData()))));
            // It cannot run inside the text's transaction anyway; and its
            // INTO would write a copy of the shop anywhere.
            if (elsoSzo(e.u.sql().constData()) == "VACUUM")
                throw AdatbazisHiba(QStringLiteral("A VACUUM (VACUUM INTO is) innen nem futtatható."));
            const qint64 elotte = e.u.osszesValtozas();
            e.u.futtat();
            // changes() keeps the count of the last INSERT, UPDATE or DELETE
            // even after a statement that changed nothing (CREATE, SELECT).
            if (e.u.osszesValtozas() != elotte) valtozott += e.u.valtozott();
        }
        if (!volt) throw AdatbazisHiba(NincsUtasitas);
        if (nincsRendszergazda(db)) throw AdatbazisHiba(QString::fromUtf8(Felhasznalok::UtolsoRendszergazda));
        t.jovahagy();
        return valtozott;
    });
}

void Eredmeny::nyit(Kapcsolat& m, const QString& szoveg)
{
    zar();
    // The engine takes the first statement of a text and ignores the rest;
    // a second one is refused rather than silently left out.
    const QByteArray u = szoveg.toUtf8();
    const char* const vege = u.constData() + u.size();
    Adatbazis::SajatKapcsolat& k = m.kapcsolat();
    const QSqlDatabase db = k.db();
    orzott(k, [&] {
        QString elso;
        {
            const char* p = u.constData();
            Elokeszitett e(db, p, vege);
            if (!e.u.ervenyes()) throw AdatbazisHiba(NincsUtasitas);
            // A result runs outside a transaction, unchecked: it only reads.
            if (!e.u.csakOlvas())
                throw AdatbazisHiba(QStringLiteral("Eredményként csak lekérdezés futtatható: ez az utasítás "
                                                   "adatot vagy szerkezetet módosítana."));
            elso = QString::fromUtf8(p, e.farok - p).trimmed();
            p = e.farok;
            while (p < vege) {
                bool tovabbi = false;
                try {
                    Elokeszitett kov(db, p, vege);
                    tovabbi = kov.u.ervenyes();
                    p = kov.farok;
                } catch (const AdatbazisHiba&) {
                    tovabbi = true;
                    k.tiltasTorol();   // whatever it is, it is refused for being there
                }
                if (tovabbi)
                    throw AdatbazisHiba(QStringLiteral("Egyszerre csak egy lekérdezés futtatható: "
                                                       "a SELECT után további utasítás áll."));
            }
        }
        QSqlQuery q(db);
        if (!q.exec(elso)) {
            const QSqlError e = q.lastError();
            throw AdatbazisHiba(e.databaseText().isEmpty() ? e.text() : e.databaseText());
        }
        m_sql = elso;
        setQuery(std::move(q));
    });
}

void Eredmeny::zar()
{
    m_sql.clear();
    m_aktualis = -1;
    clear();
}

QVariant Eredmeny::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Vertical) {
        if (role == Qt::DisplayRole) return section == m_aktualis ? SorJel : QString();
        return {};
    }
    return QSqlQueryModel::headerData(section, o, role);
}

QString Mappa() { return ProgramUtvonal() + QStringLiteral("/SQL"); }

QString FajlOlvas(const QString& fajl)
{
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly))
        throw AdatbazisHiba(QStringLiteral("A(z) %1 fájl nem olvasható: %2").arg(fajl, f.errorString()));
    const QByteArray b = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw AdatbazisHiba(QStringLiteral("A(z) %1 fájl nem olvasható: %2").arg(fajl, f.errorString()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8(b);
    if (utf8.hasError()) {
        // Not UTF-8: a file of the Windows code page the shop has always used.
        UErrorCode hiba = U_ZERO_ERROR;
        UConverter* c = ucnv_open("windows-1250", &hiba);
        if (U_FAILURE(hiba))
            throw AdatbazisHiba(QStringLiteral("A(z) %1 fájl kódolása nem ismerhető fel.").arg(fajl));
        s.resize(b.size());
        const int32_t n = ucnv_toUChars(c, reinterpret_cast<UChar*>(s.data()), int32_t(s.size()), b.constData(),
                                        int32_t(b.size()), &hiba);
        ucnv_close(c);
        if (U_FAILURE(hiba))
            throw AdatbazisHiba(QStringLiteral("A(z) %1 fájl kódolása nem ismerhető fel.").arg(fajl));
        s.resize(n);
    }
    if (s.startsWith(QChar(0xFEFF))) s.remove(0, 1);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(u'\r', u'\n');
    return s;
}

void FajlIr(const QString& fajl, const QString& szoveg)
{
    QString s = szoveg;
    s.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    const QByteArray b = s.toUtf8();
    QSaveFile f(fajl);
    if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size() || !f.commit()) {
        const QString ok = f.errorString();
        f.cancelWriting();
        throw AdatbazisHiba(QStringLiteral("A(z) %1 fájl nem írható: %2").arg(fajl, ok));
    }
}

} // namespace SzabadSql
