#include "core/data/paradox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <sys/mman.h>

extern "C" {
#include <paradox.h>
}
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

namespace Paradox {

namespace {

QString konverterNev(int kodlap)
{
    if (kodlap >= 1250 && kodlap <= 1258) return QStringLiteral("windows-%1").arg(kodlap);
    return QStringLiteral("ibm-%1").arg(kodlap);
}

// A converter that stops at a byte or character it cannot map, instead of
// putting a replacement character into the shop's data.
UConverter* konverterNyit(int kodlap)
{
    UErrorCode e = U_ZERO_ERROR;
    UConverter* c = ucnv_open(konverterNev(kodlap).toLatin1().constData(), &e);
    if (U_FAILURE(e)) return nullptr;
    ucnv_setToUCallBack(c, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &e);
    ucnv_setFromUCallBack(c, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &e);
    return U_FAILURE(e) ? (ucnv_close(c), nullptr) : c;
}

struct Konverter {
    UConverter* c = nullptr;
    explicit Konverter(int kodlap) : c(konverterNyit(kodlap)) {}
    ~Konverter() { if (c) ucnv_close(c); }
    Konverter(const Konverter&) = delete;
    Konverter& operator=(const Konverter&) = delete;
};

bool dekodol(UConverter* c, const char* b, int n, QString* s)
{
    if (n == 0) {
        s->clear();
        return true;
    }
    s->resize(n);   // a single-byte code page gives at most one UTF-16 unit per byte
    UErrorCode e = U_ZERO_ERROR;
    ucnv_reset(c);
    const int32_t k = ucnv_toUChars(c, reinterpret_cast<UChar*>(s->data()), int32_t(s->size()), b, n, &e);
    if (U_FAILURE(e) && e != U_STRING_NOT_TERMINATED_WARNING) return false;
    s->resize(k);
    return true;
}

// A byte the code page leaves undefined comes out as a control character
// (ICU maps it so); no text typed at a counter holds one.
bool vezerloE(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f)) return true;
    return false;
}

bool nullaE(const char* p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i]) return false;
    return true;
}

void hibakezelo(pxdoc_t*, int, const char* uzenet, void* adat)
{
    // pxlib writes its complaints to standard error unless told otherwise.
    // Its words are English; the reader says in its own what went wrong.
    *static_cast<QString*>(adat) = QString::fromLocal8Bit(uzenet);
}

} // namespace

QString tipusNev(int t)
{
    switch (t) {
    case Alpha: return QStringLiteral("szöveg (A)");
    case Date: return QStringLiteral("dátum (D)");
    case Short: return QStringLiteral("rövid egész (S)");
    case Long: return QStringLiteral("egész (I)");
    case Currency: return QStringLiteral("pénz ($)");
    case Number: return QStringLiteral("szám (N)");
    case Logical: return QStringLiteral("logikai (L)");
    case MemoBlob: return QStringLiteral("memó (M)");
    case Blob: return QStringLiteral("bináris (B)");
    case FmtMemo: return QStringLiteral("formázott memó (F)");
    case Time: return QStringLiteral("idő (T)");
    case Timestamp: return QStringLiteral("időbélyeg (@)");
    case AutoInc: return QStringLiteral("automatikus számláló (+)");
    case Bcd: return QStringLiteral("BCD (#)");
    case Bytes: return QStringLiteral("bájtok (Y)");
    default: return QStringLiteral("ismeretlen (%1)").arg(t);
    }
}

bool ismertKodlap(int kodlap)
{
    Konverter k(kodlap);
    return k.c != nullptr;
}

bool kodlaprol(int kodlap, const QByteArray& b, QString* s)
{
    Konverter k(kodlap);
    return k.c && dekodol(k.c, b.constData(), int(b.size()), s);
}

bool kodlapra(int kodlap, const QString& s, QByteArray* b)
{
    Konverter k(kodlap);
    if (!k.c) return false;
    b->resize(s.size() * 4 + 4);
    UErrorCode e = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(k.c, b->data(), int32_t(b->size()), reinterpret_cast<const UChar*>(s.constData()),
                                      int32_t(s.size()), &e);
    if (U_FAILURE(e)) return false;
    b->resize(n);
    return true;
}

struct Tabla::Belso {
    QFile fajl;
    uchar* terkep = nullptr;
    qint64 meret = 0;
    FILE* folyam = nullptr;
    qint64 folyamHely = 0;   // where pxlib's stream stands
    qint64 olvasottOsszesen = 0;
    char folyamPuffer[512];
    pxdoc_t* px = nullptr;
    QString pxHiba;
    std::unique_ptr<Konverter> konverter;
    QByteArray rekord;
    // The rest of the current data block: pxlib finds a block, the
    // records of a block follow one another (where pxlib says they are).
    const char* blokkKovetkezo = nullptr;
    int blokkMaradek = 0;
    // Pages of the mapping before this offset have been read and given back.
    qint64 elengedve = 0;

    // The pages read so far leave the process (they stay in the page cache):
    // a mapped table read from end to end would otherwise stay resident
    // whole, hundreds of megabytes for a million items.
    void elenged(qint64 eddig)
    {
        eddig &= ~qint64(4095);
        if (eddig - elengedve < (qint64(16) << 20)) return;
        madvise(terkep + elengedve, size_t(eddig - elengedve), MADV_DONTNEED);
        elengedve = eddig;
    }

    static ssize_t folyamOlvas(void* c, char* hova, size_t n)
    {
        auto* b = static_cast<Belso*>(c);
        // A damaged chain of blocks can lead pxlib round in a circle; no
        // honest reading passes over the file more than a few times.
        if (b->olvasottOsszesen > 4 * b->meret + (qint64(16) << 20)) return -1;
        const qint64 k = qBound(qint64(0), b->meret - b->folyamHely, qint64(n));
        b->olvasottOsszesen += k;
        std::memcpy(hova, b->terkep + b->folyamHely, size_t(k));
        b->folyamHely += k;
        b->elenged(b->folyamHely);
        return ssize_t(k);
    }

    static int folyamKeres(void* c, off64_t* hely, int honnan)
    {
        auto* b = static_cast<Belso*>(c);
        const qint64 uj = *hely + (honnan == SEEK_CUR ? b->folyamHely : honnan == SEEK_END ? b->meret : 0);
        // Nothing lies beyond the end: a damaged header that points there
        // fails pxlib's read at once instead of walking empty blocks.
        if (uj < 0 || uj > b->meret) return -1;
        b->folyamHely = *hely = uj;
        return 0;
    }

    ~Belso()
    {
        if (px) {
            PX_close(px);
            PX_delete(px);
        }
        if (folyam) std::fclose(folyam);
    }
};

Tabla::Tabla() : d(std::make_unique<Belso>()) {}
Tabla::~Tabla() = default;

int Tabla::sorSzam() const { return d->px ? d->px->px_head->px_numrecords : 0; }

int Tabla::mezoIndex(const QString& nev) const
{
    for (size_t i = 0; i < m_mezok.size(); ++i)
        if (m_mezok[i].nev.compare(nev, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

bool Tabla::nyit(const QString& fajl, QString* hiba)
{
    m_fajl = fajl;
    d->fajl.setFileName(fajl);
    if (!d->fajl.open(QIODevice::ReadOnly)) {
        *hiba = QFileInfo::exists(fajl) ? QStringLiteral("a fájl nem olvasható (%1)").arg(d->fajl.errorString())
                                        : QStringLiteral("a fájl nem található");
        return false;
    }
    d->meret = d->fajl.size();
    // The smallest table is its 2048-byte header.
    if (d->meret < 2048) {
        *hiba = QStringLiteral("sérült tábla: a fájl csonka (%1 bájt), nem Paradox tábla").arg(d->meret);
        return false;
    }
    d->terkep = d->fajl.map(0, d->meret);
    if (!d->terkep) {
        *hiba = QStringLiteral("a fájl nem olvasható (%1)").arg(d->fajl.errorString());
        return false;
    }
    // pxlib reads through a stream of our own over the mapping (it seeks
    // before nearly every read: a seek only moves the position, and the
    // buffer is small, as a seek empties it; unbuffered, the C library would
    // read byte by byte).
    // At opening it reads every block's header: the pages read are given
    // back as it goes (folyamOlvas()), or the whole file would stay in the
    // process (the kernel maps the pages around each one touched).
    d->folyam = fopencookie(d.get(), "r", {Belso::folyamOlvas, nullptr, Belso::folyamKeres, nullptr});
    if (d->folyam) setvbuf(d->folyam, d->folyamPuffer, _IOFBF, sizeof d->folyamPuffer);
    d->px = PX_new3(hibakezelo, nullptr, nullptr, nullptr, &d->pxHiba);
    if (!d->folyam || !d->px) {
        *hiba = QStringLiteral("nincs elég memória a tábla megnyitásához");
        return false;
    }
    PX_set_parameter(d->px, "warning", "false");
    if (PX_open_fp(d->px, d->folyam) < 0) {
        *hiba = QStringLiteral("sérült tábla: a fejléc nem olvasható");
        // pxlib has already freed what it built of the header; PX_delete()
        // would free it again and end the program. The document is left
        // behind, a few hundred bytes once per damaged file.
        d->px = nullptr;
        return false;
    }
    const pxhead_t* h = d->px->px_head;
    if (h->px_filetype != pxfFileTypIndexDB && h->px_filetype != pxfFileTypNonIndexDB) {
        *hiba = QStringLiteral("nem adattábla (a fájl típusa: %1)").arg(int(h->px_filetype));
        return false;
    }
    if (h->px_encryption != 0) {
        *hiba = QStringLiteral("a tábla jelszóval védett; Paradoxban vegye le róla a jelszót, majd próbálja újra");
        return false;
    }
    const qint64 blokk = qint64(h->px_maxtablesize) * 1024;
    if (h->px_recordsize <= 0 || blokk <= 0 || h->px_numrecords < 0 || h->px_headersize < 2048) {
        *hiba = QStringLiteral("sérült tábla: érvénytelen fejléc");
        return false;
    }
    if (qint64(h->px_headersize) + qint64(h->px_fileblocks) * blokk > d->meret) {
        *hiba = QStringLiteral("sérült tábla: a fájl csonka (%1 bájt a fejléc szerinti %2 helyett)")
                    .arg(d->meret)
                    .arg(qint64(h->px_headersize) + qint64(h->px_fileblocks) * blokk);
        return false;
    }
    m_kodlap = h->px_doscodepage > 0 ? h->px_doscodepage : 1250;
    d->konverter = std::make_unique<Konverter>(m_kodlap);
    if (!d->konverter->c) {
        *hiba = QStringLiteral("ismeretlen kódlap a fejlécben: %1").arg(m_kodlap);
        return false;
    }
    int eltolas = 0;
    bool memo = false;
    for (int i = 0; i < h->px_numfields; ++i) {
        const pxfield_t& f = h->px_fields[i];
        Mezo m;
        const QByteArray nev(f.px_fname ? f.px_fname : "");
        if (!dekodol(d->konverter->c, nev.constData(), int(nev.size()), &m.nev)) m.nev = QString::fromLatin1(nev);
        m.tipus = uchar(f.px_ftype);
        m.hossz = f.px_flen;
        if (m.tipus == MemoBlob || m.tipus == FmtMemo || m.tipus == Blob) memo = true;
        m_mezok.push_back(m);
        m_eltolas.push_back(eltolas);
        eltolas += f.px_flen;
    }
    if (eltolas != h->px_recordsize) {
        *hiba = QStringLiteral("sérült tábla: a mezők hossza (%1) nem egyezik a rekordhosszal (%2)")
                    .arg(eltolas)
                    .arg(h->px_recordsize);
        return false;
    }
    if (memo) {
        // The memo file beside the table, in any letter case (video.DB, VIDEO.MB).
        const QFileInfo fi(fajl);
        const QString alap = fi.completeBaseName();
        QString mb;
        for (const QFileInfo& e : QDir(fi.absolutePath()).entryInfoList(QDir::Files))
            if (e.completeBaseName().compare(alap, Qt::CaseInsensitive) == 0
                && e.suffix().compare(QLatin1String("mb"), Qt::CaseInsensitive) == 0)
                mb = e.absoluteFilePath();
        // Debian's pxlib 0.6.8 overruns its stack while reading the header
        // of a memo file (PX_set_blob_file): the whole program would end.
        // What a record holds of a memo is read; a memo kept only in the
        // memo file is refused with its field's name (ertek()).
        m_memoFajl = mb.isEmpty() ? QString() : QFileInfo(mb).fileName();
    }
    d->rekord.resize(h->px_recordsize);
    // The rows are read from the start again: what the opening left
    // in the process goes, and the giving back starts over.
    madvise(d->terkep, size_t(d->meret), MADV_DONTNEED);
    d->elengedve = 0;
    return true;
}

bool Tabla::kovetkezo()
{
    if (!d->px || m_sor + 1 >= sorSzam()) {
        // Read to its end: none of it need stay in the process while the
        // table is open.
        if (d->terkep) madvise(d->terkep, size_t(d->meret), MADV_DONTNEED);
        return false;
    }
    ++m_sor;
    const int meret = d->px->px_head->px_recordsize;
    if (d->blokkMaradek > 0) {
        std::memcpy(d->rekord.data(), d->blokkKovetkezo, size_t(meret));
        d->blokkKovetkezo += meret;
        --d->blokkMaradek;
    } else {
        int torolt = 0;
        pxdatablockinfo_t b{};
        d->pxHiba.clear();
        if (!PX_get_record2(d->px, m_sor, d->rekord.data(), &torolt, &b)) {
            m_hiba = QStringLiteral("sérült tábla: a(z) %1. sor nem olvasható (a fejléc szerint %2 sora van)")
                         .arg(m_sor + 1)
                         .arg(sorSzam());
            return false;
        }
        const qint64 vege = b.recordpos + qint64(b.numrecords - b.recno) * meret;
        if (b.recno < 0 || b.recno >= b.numrecords || b.recordpos < 0 || vege > d->meret) {
            m_hiba = QStringLiteral("sérült tábla: a(z) %1. sor adatblokkja a fájlon kívülre mutat").arg(m_sor + 1);
            return false;
        }
        d->blokkMaradek = b.numrecords - b.recno - 1;
        d->blokkKovetkezo = reinterpret_cast<const char*>(d->terkep) + b.recordpos + meret;
        // Blocks follow one another in the file as a rule; a table whose
        // blocks were relinked merely reads a given-back page again.
        d->elenged(b.blockpos);
    }
    m_rekord = d->rekord.constData();
    return true;
}

bool Tabla::ertek(int i, QVariant* v, QString* hiba)
{
    const Mezo& m = m_mezok[size_t(i)];
    char* p = d->rekord.data() + m_eltolas[size_t(i)];
    // An empty field is all zero bytes; some of pxlib's readers give it back
    // as a value (the smallest integer, the day before year 1).
    if (nullaE(p, m.hossz)) {
        *v = QVariant();
        return true;
    }
    pxdoc_t* px = d->px;
    switch (m.tipus) {
    case Alpha: {
        char* s = nullptr;
        const int r = PX_get_data_alpha(px, p, m.hossz, &s);
        if (r <= 0) {
            *v = QVariant();
            return r == 0 || (*hiba = QStringLiteral("a(z) %1 mező nem olvasható").arg(m.nev), false);
        }
        QString t;
        const bool jo = dekodol(d->konverter->c, s, int(std::strlen(s)), &t) && !vezerloE(t);
        px->free(px, s);
        if (!jo) {
            *hiba = QStringLiteral("a(z) %1 mező szövege nem alakítható át a(z) %2 kódlapról")
                        .arg(m.nev, konverterNev(m_kodlap));
            return false;
        }
        *v = t;
        return true;
    }
    case MemoBlob:
    case FmtMemo: {
        char* s = nullptr;
        int mod = 0, meret = 0;
        const int r = PX_get_data_blob(px, p, m.hossz, &mod, &meret, &s);
        if (r < 0) {
            *hiba = QStringLiteral("a(z) %1 memómező szövege hosszabb, mint ami a táblában elfér, a többi a memófájlban (%2) "
                                   "van, amelyet ez a program nem tud olvasni; Paradoxban rövidítse a szöveget %3 karakterre")
                        .arg(m.nev, m_memoFajl.isEmpty() ? QStringLiteral("hiányzik") : m_memoFajl)
                        .arg(m.hossz - 10);
            return false;
        }
        if (r == 0 || !s) {
            *v = QVariant();
            return true;
        }
        int n = meret;
        while (n > 0 && s[n - 1] == 0) --n;   // a memo may end in its terminator
        QString t;
        const bool jo = dekodol(d->konverter->c, s, n, &t) && !vezerloE(QString(t).remove(u'\r').replace(u'\n', u' ').replace(u'\t', u' '));
        px->free(px, s);
        if (!jo) {
            *hiba = QStringLiteral("a(z) %1 mező szövege nem alakítható át a(z) %2 kódlapról")
                        .arg(m.nev, konverterNev(m_kodlap));
            return false;
        }
        *v = t;
        return true;
    }
    case Short: {
        short int s = 0;
        const int r = PX_get_data_short(px, p, m.hossz, &s);
        *v = r > 0 ? QVariant(int(s)) : QVariant();
        return true;
    }
    case Long:
    case AutoInc:
    case Date:
    case Time: {
        long l = 0;
        const int r = PX_get_data_long(px, p, m.hossz, &l);
        if (r <= 0) {
            *v = QVariant();
            return true;
        }
        if (m.tipus == Date) {
            const QDate dt = datumbol(l);
            if (!dt.isValid() || dt.year() < 1 || dt.year() > 9999) {
                *hiba = QStringLiteral("a(z) %1 mező dátuma érvénytelen (%2. nap)").arg(m.nev).arg(l);
                return false;
            }
            *v = dt;
        } else if (m.tipus == Time) {
            if (l < 0 || l >= 86400000) {
                *hiba = QStringLiteral("a(z) %1 mező időpontja érvénytelen (%2 ezredmásodperc)").arg(m.nev).arg(l);
                return false;
            }
            *v = QTime::fromMSecsSinceStartOfDay(int(l));
        } else {
            *v = int(l);
        }
        return true;
    }
    case Number:
    case Currency: {
        double x = 0;
        const int r = PX_get_data_double(px, p, m.hossz, &x);
        *v = r > 0 ? QVariant(x) : QVariant();
        return true;
    }
    case Timestamp: {
        double x = 0;
        if (PX_get_data_double(px, p, m.hossz, &x) <= 0) {
            *v = QVariant();
            return true;
        }
        const qint64 ms = qint64(x);
        const QDate dt = datumbol(ms / 86400000);
        if (!dt.isValid() || dt.year() < 1 || dt.year() > 9999) {
            *hiba = QStringLiteral("a(z) %1 mező időbélyege érvénytelen").arg(m.nev);
            return false;
        }
        *v = QDateTime(dt, QTime::fromMSecsSinceStartOfDay(int(ms % 86400000)));
        return true;
    }
    case Logical: {
        char b = 0;
        const int r = PX_get_data_byte(px, p, m.hossz, &b);
        *v = r > 0 ? QVariant(b != 0) : QVariant();
        return true;
    }
    default:
        *hiba = QStringLiteral("a(z) %1 mező típusa (%2) nem olvasható").arg(m.nev, tipusNev(m.tipus));
        return false;
    }
}

} // namespace Paradox
