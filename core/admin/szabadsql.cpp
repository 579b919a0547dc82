#include "core/admin/szabadsql.h"
#include "core/common/listamodell.h"
#include "core/data/beallitas.h"

#include <QFile>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <unicode/ucnv.h>

namespace SzabadSql {

namespace {

// One statement prepared from the front of a text; `farok` is where the
// next one begins. A blank or comment-only piece leaves `st` null.
struct Elokeszitett {
    sqlite3_stmt* st = nullptr;
    const char* farok = nullptr;
    Elokeszitett(sqlite3* h, const char* eleje, const char* vege)
    {
        if (sqlite3_prepare_v2(h, eleje, int(vege - eleje), &st, &farok) != SQLITE_OK) {
            const QString uzenet = QString::fromUtf8(sqlite3_errmsg(h));
            sqlite3_finalize(st);
            throw AdatbazisHiba(uzenet);
        }
    }
    ~Elokeszitett() { sqlite3_finalize(st); }
    Elokeszitett(const Elokeszitett&) = delete;
    Elokeszitett& operator=(const Elokeszitett&) = delete;
};

sqlite3* kezelo()
{
    sqlite3* h = Adatbazis::kezelo(Adatbazis::db());
    if (!h) throw AdatbazisHiba(QStringLiteral("Az adatbázis nincs megnyitva."));
    return h;
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

bool tranzakciotKezel(sqlite3_stmt* st)
{
    static const QByteArray szavak[] = {"BEGIN", "COMMIT", "END", "ROLLBACK", "SAVEPOINT", "RELEASE"};
    const QByteArray szo = elsoSzo(sqlite3_sql(st));
    return std::find(std::begin(szavak), std::end(szavak), szo) != std::end(szavak);
}

const QString NincsUtasitas = QStringLiteral("Nincs futtatható utasítás.");

} // namespace

bool Lekerdezes(const QString& szoveg)
{
    return szoveg.trimmed().toUpper().startsWith(QLatin1String("SELECT"));
}

qint64 Vegrehajt(const QString& szoveg)
{
    const QByteArray u = szoveg.toUtf8();
    const char* p = u.constData();
    const char* const vege = p + u.size();
    sqlite3* h = kezelo();
    Adatbazis::Tranzakcio t;
    qint64 valtozott = 0;
    bool volt = false;
    while (p < vege) {
        Elokeszitett e(h, p, vege);
        p = e.farok;
        if (!e.st) continue;
        volt = true;
        if (tranzakciotKezel(e.st))
            throw AdatbazisHiba(QStringLiteral("Tranzakciót kezelő utasítás (%1) itt nem futtatható: a szöveg "
                                               "utasításai együtt, egy tranzakcióban futnak.")
                                    .arg(QString::fromLatin1(elsoSzo(sqlite3_sql(e.st)))));
        const sqlite3_int64 elotte = sqlite3_total_changes64(h);
        int rc;
        while ((rc = sqlite3_step(e.st)) == SQLITE_ROW) {}
        if (rc != SQLITE_DONE) throw AdatbazisHiba(QString::fromUtf8(sqlite3_errmsg(h)));
        // changes() keeps the count of the last INSERT, UPDATE or DELETE
        // even after a statement that changed nothing (CREATE, SELECT).
        if (sqlite3_total_changes64(h) != elotte) valtozott += sqlite3_changes64(h);
    }
    if (!volt) throw AdatbazisHiba(NincsUtasitas);
    t.jovahagy();
    return valtozott;
}

void Eredmeny::nyit(const QString& szoveg)
{
    zar();
    // The engine takes the first statement of a text and ignores the rest;
    // a second one is refused rather than silently left out.
    const QByteArray u = szoveg.toUtf8();
    const char* const vege = u.constData() + u.size();
    sqlite3* h = kezelo();
    QString elso;
    {
        const char* p = u.constData();
        Elokeszitett e(h, p, vege);
        if (!e.st) throw AdatbazisHiba(NincsUtasitas);
        elso = QString::fromUtf8(p, e.farok - p).trimmed();
        p = e.farok;
        while (p < vege) {
            bool tovabbi = false;
            try {
                Elokeszitett m(h, p, vege);
                tovabbi = m.st != nullptr;
                p = m.farok;
            } catch (const AdatbazisHiba&) {
                tovabbi = true;
            }
            if (tovabbi)
                throw AdatbazisHiba(QStringLiteral("Egyszerre csak egy lekérdezés futtatható: "
                                                   "a SELECT után további utasítás áll."));
        }
    }
    QSqlQuery q(Adatbazis::db());
    if (!q.exec(elso)) {
        const QSqlError e = q.lastError();
        throw AdatbazisHiba(e.databaseText().isEmpty() ? e.text() : e.databaseText());
    }
    m_sql = elso;
    setQuery(std::move(q));
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
