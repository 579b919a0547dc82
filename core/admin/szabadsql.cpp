#include "core/admin/szabadsql.h"
#include "core/common/listamodell.h"
#include "core/data/beallitas.h"
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
    Elokeszitett(const char* eleje, const char* vege)
    {
        qsizetype n = 0;
        u = Adatbazis::Utasitas::elso(Adatbazis::db(), QByteArrayView(eleje, vege - eleje), &n, true);
        farok = eleje + n;
    }
};

void nyitvaVan()
{
    if (!Adatbazis::kezelo(Adatbazis::db())) throw AdatbazisHiba(QStringLiteral("Az adatbázis nincs megnyitva."));
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

qint64 Vegrehajt(const QString& szoveg)
{
    const QByteArray u = szoveg.toUtf8();
    const char* p = u.constData();
    const char* const vege = p + u.size();
    nyitvaVan();
    Adatbazis::Tranzakcio t;
    qint64 valtozott = 0;
    bool volt = false;
    while (p < vege) {
        Elokeszitett e(p, vege);
        p = e.farok;
        if (!e.u.ervenyes()) continue;
        volt = true;
        if (tranzakciotKezel(e.u))
            throw AdatbazisHiba(QStringLiteral("Tranzakciót kezelő utasítás (%1) itt nem futtatható: a szöveg "
                                               "utasításai együtt, egy tranzakcióban futnak.")
                                    .arg(QString::fromLatin1(elsoSzo(e.u.sql().constData()))));
        const qint64 elotte = e.u.osszesValtozas();
        e.u.futtat();
        // changes() keeps the count of the last INSERT, UPDATE or DELETE
        // even after a statement that changed nothing (CREATE, SELECT).
        if (e.u.osszesValtozas() != elotte) valtozott += e.u.valtozott();
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
    nyitvaVan();
    QString elso;
    {
        const char* p = u.constData();
        Elokeszitett e(p, vege);
        if (!e.u.ervenyes()) throw AdatbazisHiba(NincsUtasitas);
        elso = QString::fromUtf8(p, e.farok - p).trimmed();
        p = e.farok;
        while (p < vege) {
            bool tovabbi = false;
            try {
                Elokeszitett m(p, vege);
                tovabbi = m.u.ervenyes();
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
