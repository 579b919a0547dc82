#include "core/reports/tetelimport.h"
#include "core/common/szoveg.h"
#include "core/data/ora.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QFile>
#include <QStringDecoder>
#include <charconv>
#include <cmath>
#include <limits>
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

void szovegKot(Adatbazis::Utasitas& u, int i, QByteArrayView s)
{
    // An empty text is stored as an empty field, as the item window stores
    // it. The bytes stay put until the row is stored.
    if (s.isEmpty()) u.kotNull(i);
    else u.kotSzoveg(i, s, false);
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

namespace {

// The lines of UTF-8 text, split as Sorok() splits.
QList<QByteArrayView> bajtSorok(QByteArrayView b)
{
    QList<QByteArrayView> l;
    const qsizetype n = b.size();
    qsizetype eleje = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = b[i];
        if (c != '\n' && c != '\r') continue;
        l << b.sliced(eleje, i - eleje);
        if (c == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
        eleje = i + 1;
    }
    if (eleje < n) l << b.sliced(eleje);
    return l;
}

// A line is read as UTF-8 bytes, straight from the text converted once: a
// hundred thousand lines read as QStrings, each field a string of its own
// and each number through the system locale, cost more than storing them.
// The common shapes (ASCII digits, ASCII blanks at the ends) are read here;
// anything else goes through the shared conversions, so the result is
// always theirs.
bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

QByteArrayView vag(QByteArrayView m)
{
    while (!m.isEmpty() && blank(m.front())) m = m.sliced(1);
    while (!m.isEmpty() && blank(m.back())) m.chop(1);
    return m;
}

int egesz(QByteArrayView m)
{
    m = vag(m);
    qint64 v = 0;
    int jegyek = 0;
    bool negativ = false, elojel = false;
    for (char c : m) {
        if (c == ' ') continue;
        if (c >= '0' && c <= '9') {
            if (++jegyek > 12) break;
            v = v * 10 + (c - '0');
        } else if ((c == '-' || c == '+') && !elojel && jegyek == 0) {
            elojel = true;
            negativ = c == '-';
        } else {
            jegyek = -1;
            break;
        }
    }
    if (jegyek == 0 && !elojel) return 0;                  // empty
    if (jegyek < 1 || jegyek > 12) return SzovegEgesz(QString::fromUtf8(m));
    if (negativ) v = -v;
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max() ? int(v) : 0;
}

double valos(QByteArrayView m)
{
    m = vag(m);
    char buf[64];
    int n = 0;
    bool jo = true, tizedes = false;
    int jegyek = 0;
    for (char c : m) {
        if (c == ' ') continue;
        if (n >= int(sizeof buf)) { jo = false; break; }
        if (c >= '0' && c <= '9') {
            ++jegyek;
            buf[n++] = c;
        } else if (c == '-' && n == 0) {
            buf[n++] = c;
        } else if ((c == ',' || c == '.') && !tizedes && jegyek > 0) {
            tizedes = true;
            jegyek = 0;
            buf[n++] = '.';
        } else {
            jo = false;
            break;
        }
    }
    if (n == 0 && jo) return 0;                           // empty
    if (!jo || jegyek == 0) return SzovegValos(QString::fromUtf8(m));
    double v = 0;
    const auto r = std::from_chars(buf, buf + n, v);
    if (r.ec != std::errc() || r.ptr != buf + n || !std::isfinite(v)) return SzovegValos(QString::fromUtf8(m));
    return v;
}

// A text field: blanks cut from both ends. A byte beyond ASCII at an end
// may begin or end a blank of another kind: that field goes the long way.
QByteArrayView szovegMezo(QByteArrayView m, QByteArray& tarolo)
{
    m = vag(m);
    if (!m.isEmpty() && (uchar(m.front()) >= 0x80 || uchar(m.back()) >= 0x80)) {
        tarolo = QString::fromUtf8(m).trimmed().toUtf8();
        return tarolo;
    }
    return m;
}

struct NyersTetel {
    int azon = 0, tipus = 0, arkat = 0, mufaj = 0;
    double beszar = 0;
    QByteArrayView video_nev, szoveg;     // into the line or the holders below
    QByteArray nevTarolo, szovegTarolo;
};

void nyersOlvas(QByteArrayView sor, NyersTetel& t)
{
    QByteArrayView m[7];
    int db = 0;
    qsizetype eleje = 0;
    for (qsizetype i = 0; i <= sor.size() && db < 7; ++i) {
        if (i == sor.size() || sor[i] == ';') {
            m[db++] = sor.sliced(eleje, i - eleje);
            eleje = i + 1;
        }
    }
    t.azon = egesz(m[0]);
    t.tipus = egesz(m[1]);
    t.arkat = egesz(m[2]);
    t.video_nev = szovegMezo(m[3], t.nevTarolo);
    t.szoveg = szovegMezo(m[4], t.szovegTarolo);
    t.mufaj = egesz(m[5]);
    t.beszar = valos(m[6]);
}

} // namespace

Tetel SorOlvas(const QString& sor)
{
    const QByteArray u = sor.toUtf8();
    NyersTetel n;
    nyersOlvas(u, n);
    Tetel t;
    t.azon = n.azon;
    t.tipus = n.tipus;
    t.arkat = n.arkat;
    t.video_nev = QString::fromUtf8(n.video_nev);
    t.szoveg = QString::fromUtf8(n.szoveg);
    t.mufaj = n.mufaj;
    t.beszar = n.beszar;
    return t;
}

SorHiba::SorHiba(int sor, const QString& ok)
    : AdatbazisHiba(QStringLiteral("A(z) %1. sort az adatbázis nem fogadta el: %2\n"
                                   "Az import semmit sem mentett: javítsa ki a sort, és indítsa újra.")
                        .arg(sor)
                        .arg(ok),
                    Fajta::Bemenet, sor),
      m_ok(ok)
{
}

Eredmeny Importal(const QString& szoveg, const std::function<void(qint64, qint64)>& halad)
{
    const QByteArray utf8 = szoveg.toUtf8();
    const QList<QByteArrayView> sorok = bajtSorok(utf8);
    const qint64 osszes = std::max<qint64>(sorok.size() - 1, 0);
    Eredmeny e;
    if (osszes == 0) return e;

    if (!Adatbazis::kezelo(Adatbazis::db())) throw AdatbazisHiba(QStringLiteral("Nincs nyitott adatbázis."));
    const QByteArray ma = Ma().toString(QString::fromLatin1(Sema::DatumFormatum)).toLatin1();

    // A large import touches more pages than the default cache holds: spilled
    // to the log half-way and read back, they would cost a write and a read
    // each. The cache grows for the import only.
    struct NagyGyorsitotar {
        qint64 regi = -2000;
        NagyGyorsitotar()
        {
            {
                Adatbazis::Utasitas u(QStringLiteral("PRAGMA cache_size"));
                if (u.lep()) regi = u.egesz(0);
            }
            Adatbazis::Utasitas(QStringLiteral("PRAGMA cache_size=-262144")).futtat();
        }
        ~NagyGyorsitotar()
        {
            try {
                Adatbazis::Utasitas(QStringLiteral("PRAGMA cache_size=%1").arg(regi)).futtat();
            } catch (const AdatbazisHiba&) {
                // Only the cache's size: the import's outcome stands.
            }
        }
    } gyorsitotar;
    Adatbazis::Tranzakcio tr;
    // One statement prepared once, bound and run for every line: reading the
    // statement's text would cost more than running it.
    Adatbazis::Utasitas u(QStringLiteral(
        "INSERT INTO video (kint, torolve, dat_besz, kolcsonozve, kolcsid, "
        "azon, tipus, arkat, video_nev, szoveg, mufaj, beszar) "
        "VALUES ('N', 'N', ?1, 0, 0, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"));
    u.kotSzoveg(1, ma);
    NyersTetel t;
    for (qint64 i = 1; i <= osszes; ++i) {
        nyersOlvas(sorok.at(i), t);
        u.kotEgesz(2, t.azon).kotEgesz(3, t.tipus).kotEgesz(4, t.arkat);
        szovegKot(u, 5, t.video_nev);
        szovegKot(u, 6, t.szoveg);
        u.kotEgesz(7, t.mufaj).kotValos(8, t.beszar);
        try {
            u.futtat();
        } catch (const AdatbazisHiba& h) {
            // A failure of the store itself is no fault of the line.
            if (h.tarolasi()) throw;
            throw SorHiba(int(i + 1), h.uzenet());
        }
        u.ujra();
        e.utolsoKulcs = u.utolsoKulcs();
        ++e.tetelek;
        if (halad) halad(i, osszes);
    }
    // Before the commit: a statement still open would keep it waiting.
    u = Adatbazis::Utasitas();
    tr.jovahagy();
    return e;
}

} // namespace TetelImport
