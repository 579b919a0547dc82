#include "app/tetelimport.h"
#include "common/szoveg.h"
#include "data/ora.h"
#include "data/sema.h"

#include <QFile>
#include <QStringDecoder>
#include <sqlite3.h>
#include <unicode/ucnv.h>

namespace TetelImport {

namespace {

QString cp1250(const QByteArray& b)
{
    UErrorCode e = U_ZERO_ERROR;
    UConverter* c = ucnv_open("windows-1250", &e);
    if (U_FAILURE(e)) return QString::fromLatin1(b);
    // A single-byte code page: one UTF-16 unit a byte at most.
    QString s(b.size(), Qt::Uninitialized);
    const int32_t n = ucnv_toUChars(c, reinterpret_cast<UChar*>(s.data()), int32_t(s.size()), b.constData(),
                                    int32_t(b.size()), &e);
    ucnv_close(c);
    if (U_FAILURE(e)) return QString::fromLatin1(b);
    s.truncate(n);
    return s;
}

// The statement and its end, whatever way the import leaves.
struct Utasitas {
    sqlite3_stmt* st = nullptr;
    ~Utasitas() { sqlite3_finalize(st); }
};

void szovegKot(sqlite3_stmt* st, int i, const QString& s)
{
    // An empty text is stored as an empty field, as the item window stores it.
    if (s.isEmpty()) {
        sqlite3_bind_null(st, i);
        return;
    }
    const QByteArray u = s.toUtf8();
    sqlite3_bind_text(st, i, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

QString motorHiba(sqlite3* h)
{
    return Adatbazis::magyarHiba(QString::fromUtf8(sqlite3_errmsg(h)));
}

} // namespace

QString KodolasNev(Kodolas k)
{
    return k == Kodolas::Utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1250");
}

Beolvasott Dekodol(const QByteArray& bajtok)
{
    QByteArrayView b(bajtok);
    if (b.startsWith("\xEF\xBB\xBF")) b = b.sliced(3);
    // Stateless: a sequence cut off at the end is an error too.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    Beolvasott be{utf8(b), Kodolas::Utf8};
    if (utf8.hasError()) be = {cp1250(bajtok), Kodolas::Cp1250};
    // A no-break space reads as a space, as the window's editor hands its
    // text back: a price with one between its thousands then reads whole,
    // and a file imports the same from the window and the command line.
    be.szoveg.replace(QChar(0xA0), u' ');
    return be;
}

Beolvasott FajlOlvas(const QString& fajl)
{
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly))
        throw AdatbazisHiba(QStringLiteral("A fájl nem olvasható: %1\n%2").arg(fajl, f.errorString()));
    const QByteArray b = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw AdatbazisHiba(QStringLiteral("A fájl nem olvasható: %1\n%2").arg(fajl, f.errorString()));
    return Dekodol(b);
}

QStringList Sorok(const QString& szoveg)
{
    QStringList l;
    const qsizetype n = szoveg.size();
    qsizetype eleje = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = szoveg.at(i);
        if (c != u'\n' && c != u'\r') continue;
        l << szoveg.mid(eleje, i - eleje);
        if (c == u'\r' && i + 1 < n && szoveg.at(i + 1) == u'\n') ++i;
        eleje = i + 1;
    }
    if (eleje < n) l << szoveg.mid(eleje);
    return l;
}

Tetel SorOlvas(const QString& sor)
{
    const QList<QStringView> m = QStringView(sor).split(u';');
    const auto mezo = [&](int n) { return n <= m.size() ? m.at(n - 1).toString() : QString(); };
    Tetel t;
    t.azon = SzovegEgesz(mezo(1));
    t.tipus = SzovegEgesz(mezo(2));
    t.arkat = SzovegEgesz(mezo(3));
    t.video_nev = mezo(4).trimmed();
    t.szoveg = mezo(5).trimmed();
    t.mufaj = SzovegEgesz(mezo(6));
    t.beszar = SzovegValos(mezo(7));
    return t;
}

SorHiba::SorHiba(int sor, const QString& ok)
    : AdatbazisHiba(QStringLiteral("A(z) %1. sort az adatbázis nem fogadta el: %2\n"
                                   "Az import semmit sem mentett: javítsa ki a sort, és indítsa újra.")
                        .arg(sor)
                        .arg(ok)),
      m_sor(sor), m_ok(ok)
{
}

Eredmeny Importal(const QString& szoveg, const std::function<void(qint64, qint64)>& halad)
{
    const QStringList sorok = Sorok(szoveg);
    const qint64 osszes = std::max<qint64>(sorok.size() - 1, 0);
    Eredmeny e;
    if (osszes == 0) return e;

    sqlite3* h = Adatbazis::kezelo(Adatbazis::db());
    if (!h) throw AdatbazisHiba(QStringLiteral("Nincs nyitott adatbázis."));
    const QByteArray ma = Ma().toString(QString::fromLatin1(Sema::DatumFormatum)).toLatin1();

    Adatbazis::Tranzakcio tr;
    Utasitas u;
    // One statement prepared once, bound and run for every line: reading the
    // statement's text would cost more than running it.
    static const char sql[] =
        "INSERT INTO video (kint, torolve, dat_besz, kolcsonozve, kolcsid, "
        "azon, tipus, arkat, video_nev, szoveg, mufaj, beszar) "
        "VALUES ('N', 'N', ?1, 0, 0, ?2, ?3, ?4, ?5, ?6, ?7, ?8)";
    if (sqlite3_prepare_v2(h, sql, -1, &u.st, nullptr) != SQLITE_OK) throw AdatbazisHiba(motorHiba(h));
    sqlite3_bind_text(u.st, 1, ma.constData(), int(ma.size()), SQLITE_TRANSIENT);
    for (qint64 i = 1; i <= osszes; ++i) {
        const Tetel t = SorOlvas(sorok.at(i));
        sqlite3_bind_int(u.st, 2, t.azon);
        sqlite3_bind_int(u.st, 3, t.tipus);
        sqlite3_bind_int(u.st, 4, t.arkat);
        szovegKot(u.st, 5, t.video_nev);
        szovegKot(u.st, 6, t.szoveg);
        sqlite3_bind_int(u.st, 7, t.mufaj);
        sqlite3_bind_double(u.st, 8, t.beszar);
        if (sqlite3_step(u.st) != SQLITE_DONE) {
            const QString ok = motorHiba(h);
            // A failure of the store itself is no fault of the line.
            if (Adatbazis::tarolasiHiba(ok)) throw AdatbazisHiba(ok);
            throw SorHiba(int(i + 1), ok);
        }
        sqlite3_reset(u.st);
        e.utolsoKulcs = sqlite3_last_insert_rowid(h);
        ++e.tetelek;
        if (halad) halad(i, osszes);
    }
    sqlite3_finalize(u.st);
    u.st = nullptr;
    tr.jovahagy();
    return e;
}

} // namespace TetelImport
