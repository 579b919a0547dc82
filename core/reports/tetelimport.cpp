#include "core/reports/tetelimport.h"
#include "core/common/szoveg.h"
#include "core/data/fajliras.h"
#include "core/data/konverzio.h"
#include "core/data/ora.h"
#include "core/data/sema.h"
#include "core/data/utasitas.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
    switch (k) {
    case Kodolas::Utf8: return QStringLiteral("UTF-8");
    case Kodolas::Utf16: return QStringLiteral("UTF-16");
    case Kodolas::Cp1250: break;
    }
    return QStringLiteral("Windows-1250");
}

namespace {

// The number of the line (from 1) holding the character at `hol`, lines
// ended as Sorok() ends them.
template <typename T>
int sorSzama(const T& szoveg, qsizetype hol)
{
    int sor = 1;
    for (qsizetype i = 0; i < hol && i < szoveg.size(); ++i) {
        if (szoveg[i] == u'\n') ++sor;
        else if (szoveg[i] == u'\r' && !(i + 1 < szoveg.size() && szoveg[i + 1] == u'\n')) ++sor;
    }
    return sor;
}

// How a text that is not all UTF-8 splits: the whole multi-byte UTF-8
// letters in it, the bytes beyond ASCII that are no part of one, and where
// the first such byte is.
struct Utf8Kep {
    qsizetype jo = 0, rossz = 0, elsoRossz = -1;
};

Utf8Kep utf8Kep(QByteArrayView b)
{
    Utf8Kep k;
    const qsizetype n = b.size();
    for (qsizetype i = 0; i < n;) {
        const uchar c = uchar(b[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int hossz = 0;
        uchar also = 0x80, felso = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) hossz = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            hossz = 3;
            if (c == 0xE0) also = 0xA0;
            if (c == 0xED) felso = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            hossz = 4;
            if (c == 0xF0) also = 0x90;
            if (c == 0xF4) felso = 0x8F;
        }
        bool ervenyes = hossz > 0 && i + hossz <= n;
        for (int j = 1; ervenyes && j < hossz; ++j) {
            const uchar d = uchar(b[i + j]);
            if (j == 1 ? (d < also || d > felso) : (d < 0x80 || d > 0xBF)) ervenyes = false;
        }
        if (ervenyes) {
            ++k.jo;
            i += hossz;
        } else {
            if (k.elsoRossz < 0) k.elsoRossz = i;
            ++k.rossz;
            ++i;
        }
    }
    return k;
}

} // namespace

Beolvasott Dekodol(const QByteArray& bajtok)
{
    QByteArrayView b(bajtok);
    Beolvasott be;
    if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF")) {
        // A byte-order mark of UTF-16 (as Windows' Notepad saves "Unicode").
        const bool kicsi = b.startsWith("\xFF\xFE");
        QStringDecoder d(kicsi ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                         QStringConverter::Flag::Stateless);
        be = {d(b.sliced(2)), Kodolas::Utf16};
        // A lone half of a surrogate pair is passed through by the decoder.
        if (d.hasError() || b.size() % 2 != 0 || !be.szoveg.isValidUtf16())
            throw AdatbazisHiba(QStringLiteral("A fájl UTF-16 kódolásúnak jelzi magát, de nem az: hibás vagy csonka "
                                               "karakter van benne. Mentse el UTF-8 kódolással, és importálja újra."),
                                AdatbazisHiba::Fajta::Bemenet);
    } else {
        if (b.startsWith("\xEF\xBB\xBF")) b = b.sliced(3);
        // Stateless: a sequence cut off at the end is an error too.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        be = {utf8(b), Kodolas::Utf8};
        if (utf8.hasError()) {
            // Files of the old programs are Windows-1250, whose accented
            // letters only by chance form a UTF-8 letter. A text with more
            // whole UTF-8 letters than stray bytes is UTF-8 with a fault:
            // read as Windows-1250, every accent in it would be garbled.
            const Utf8Kep k = utf8Kep(b);
            if (k.jo > k.rossz) {
                const int sor = sorSzama(b, k.elsoRossz);
                throw AdatbazisHiba(QStringLiteral("A fájl UTF-8 kódolású, de a(z) %1. sorában hibás bájt van "
                                                   "(nem UTF-8 karakter). Javítsa ki a sort, és importálja újra.")
                                        .arg(sor),
                                    AdatbazisHiba::Fajta::Bemenet, sor);
            }
            be = {cp1250(bajtok), Kodolas::Cp1250};
        }
    }
    // A NUL is no character of a text file: the file is binary or of
    // another encoding, and its "items" would be junk.
    const qsizetype nul = be.szoveg.indexOf(QChar(0));
    if (nul >= 0) {
        const int sor = sorSzama(be.szoveg, nul);
        throw AdatbazisHiba(QStringLiteral("A fájl nem szöveges: a(z) %1. sorában nulla bájt (NUL) van. "
                                           "Pontosvesszővel határolt szövegfájl importálható.")
                                .arg(sor),
                            AdatbazisHiba::Fajta::Bemenet, sor);
    }
    // A no-break space reads as a space, as the window's editor hands its
    // text back: a price with one between its thousands then reads whole,
    // and a file imports the same from the window and the command line.
    be.szoveg.replace(QChar(0xA0), u' ');
    return be;
}

Beolvasott FajlOlvas(const QString& fajl)
{
    auto hiba = [&](int hibaszam) {
        return AdatbazisHiba(QStringLiteral("A fájl nem olvasható: %1\n%2").arg(fajl, Fajliras::RendszerHiba(hibaszam)));
    };
    // Without blocking: a named pipe would wait for a writer for ever.
    const int fd = ::open(QFile::encodeName(fajl).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw hiba(errno);
    struct Zaro {
        int fd;
        ~Zaro() { ::close(fd); }
    } zaro{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw hiba(errno);
    if (!S_ISREG(st.st_mode))
        throw AdatbazisHiba(QStringLiteral("A fájl nem olvasható: %1\nNem közönséges fájl (hanem mappa, eszköz vagy "
                                           "csővezeték); csak szövegfájl importálható.")
                                .arg(fajl));
    auto tulNagy = [&] {
        return AdatbazisHiba(QStringLiteral("A fájl túl nagy az importhoz: %1\nLegfeljebb %2 MB-os fájl importálható; "
                                            "bontsa több fájlra.")
                                 .arg(fajl)
                                 .arg(LegnagyobbFajl / (1024 * 1024)));
    };
    if (st.st_size > LegnagyobbFajl) throw tulNagy();
    // Read to its end, not to the size seen: the file may be growing.
    QByteArray b;
    b.resize(qsizetype(st.st_size) + 1);
    qsizetype kesz = 0;
    for (;;) {
        if (kesz == b.size()) {
            if (b.size() > LegnagyobbFajl) throw tulNagy();
            b.resize(std::min<qsizetype>(b.size() * 2, LegnagyobbFajl + 1));
        }
        const ssize_t n = ::read(fd, b.data() + kesz, size_t(b.size() - kesz));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw hiba(errno);
        if (n == 0) break;
        kesz += n;
    }
    if (kesz > LegnagyobbFajl) throw tulNagy();
    b.truncate(kesz);
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
        if (!PenzErvenyes(t.beszar))
            throw SorHiba(int(i + 1), QStringLiteral("%1 A beszerzési ár legfeljebb %2 Ft lehet.")
                                          .arg(QString::fromUtf8(NemMegfeleloErtek), FtMaszk(PenzHatar)));
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
