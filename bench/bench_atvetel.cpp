// Taking over an earlier data folder at shop size: 1,000,000 items, 100,000
// customers, 3,000,000 history rows, 2,000,000 cash rows and the small
// tables, as Paradox tables in Windows-1250 written through pxlib's own
// writer, with the earlier Kazettora.ini beside them.
//
//  - The floor: the same tables read with pxlib alone in this process, the
//    way the reader walks them (pxlib, reading a mapping of the file through
//    a stream of our own, finds each data block; the block's further records
//    are taken from the mapping), every field decoded with PX_get_data_*;
//    nothing converted, nothing stored.
//  - For the record: pxlib's own per-record lookup (PX_get_record) over the
//    first 200,000 history rows, which is linear in the blocks before it.
//  - The whole take-over (Atvetel::atvesz) into a fresh program folder, in a
//    child process of its own (this program again), so that its wall time
//    and peak memory are its own; per-table times from its progress calls.
//    Its check figures must agree with each other and with the figures the
//    folder was written with.
//
//   bench_atvetel [--rebuild] [--mappa DIR] [--kicsi]
//
// The earlier folder (default /tmp/kazettora-bench-atvetel-regi) is built on
// the first run (minutes) and reused while its marker file names the same
// sizes. --kicsi: a tenth of the sizes, in DIR-kicsi, for a quick try.
// Exit code 0: every check right and every target met; 2: a target missed;
// 1: a check failed.
#include "bench/bench_adat.h"
#include "core/admin/atvetel.h"
#include "core/data/paradox.h"
#include "tests/core/paradoxiro.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTime>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <paradox.h>
}

namespace {

struct Meret {
    int tetelek = 1'000'000;
    int ugyfelek = 100'000;
    int tortenet = 3'000'000;
    int cassa = 2'000'000;
    QString leiras() const
    {
        return QStringLiteral("tetelek=%1 ugyfelek=%2 tortenet=%3 cassa=%4 kodlap=1250 v1")
            .arg(tetelek)
            .arg(ugyfelek)
            .arg(tortenet)
            .arg(cassa);
    }
};

// The check figures the folder was written with, as the report prints them.
struct Vart {
    double cassaOsszeg = 0;
    double utolsoPenzvan = 0;
    qint64 kint = 0;
    qint64 legnagyobbKolcsid = 0;
    qint64 tortenet = 0;
};

const QString Jelzo = QStringLiteral(".bench-atvetel");

const char* const Jelzok[] = {"A", "Az", "Egy", "", "", ""};
const char* const Melleknevek[] = {
    "kőszívű", "elveszett", "szőke", "fekete", "öreg", "titkos", "rettenthetetlen", "őszi", "végtelen", "bűvös",
    "csendes", "utolsó", "szerelmes", "hűséges", "különös", "ördögi", "üvegszemű", "árva", "hideg", "tüzes",
    "gyönyörű", "fáradt", "új", "régi", "elátkozott", "nyugtalan", "félelmetes", "büszke", "vörös", "zöld"};
const char* const Fonevek[] = {
    "ember fiai", "tigris", "őrnagy", "hajó", "kalóz", "völgy", "csillag", "tükörfúrógép", "űrhajós", "kém",
    "hercegnő", "farkas", "bakterház", "pecsét", "város", "nyár", "szív", "tanú", "fogoly", "örökség",
    "vándor", "lovag", "boszorkány", "ügynök", "sziget", "sólyom", "erőd", "kertész", "pilóta", "tolvaj",
    "üldözés", "éjszaka", "hídember", "kapitány", "zenész", "jóslat", "vihar", "halász", "tanító", "öböl"};
const char* const Alcimek[] = {"Rendezői változat", "Ősszel", "A visszatérés", "Új kezdet", "Az ütközet",
                               "Bűn és bűnhődés", "A végső leszámolás", "Különkiadás"};
const char* const Szovegek[] = {"Szinkronizált", "Feliratos", "Karcos a borító", "Két lemezes", "Gyerekeknek is",
                                "Díszdobozos kiadás", "Hiányzik a füzet"};
const char* const Vezeteknevek[] = {"Nagy", "Kovács", "Tóth", "Szabó", "Horváth", "Varga", "Kiss", "Molnár",
                                    "Németh", "Farkas", "Balogh", "Papp", "Takács", "Juhász", "Lakatos", "Mészáros",
                                    "Oláh", "Simon", "Rácz", "Fekete", "Szűcs", "Győri", "Őri", "Ürge", "Bíró"};
const char* const Keresztnevek[] = {"Ödön", "Éva", "Áron", "Zsófia", "Gergő", "Júlia", "László", "Erzsébet",
                                    "Ürsula", "Bence", "Kinga", "Tünde", "Dávid", "Ilona", "Péter", "Réka",
                                    "Győző", "Hajnalka", "Ákos", "Emőke"};
const char* const Varosok[][2] = {{"1011", "Budapest"}, {"6720", "Szeged"}, {"4024", "Debrecen"}, {"7621", "Pécs"},
                                  {"9021", "Győr"}, {"3525", "Miskolc"}, {"8000", "Székesfehérvár"},
                                  {"5000", "Szolnok"}, {"2400", "Dunaújváros"}, {"8200", "Veszprém"},
                                  {"6000", "Kecskemét"}, {"9400", "Sopron"}, {"2800", "Tatabánya"}, {"3300", "Eger"}};
const char* const Utcak[] = {"Fő utca", "Petőfi Sándor utca", "Kossuth Lajos út", "Széchenyi tér", "Dózsa György út",
                             "Árpád fejedelem útja", "Hunyadi János körút", "Bajcsy-Zsilinszky út", "Rákóczi út"};

template <typename T, size_t N> const T& egy(QRandomGenerator& r, const T (&t)[N]) { return t[r.bounded(int(N))]; }

QString s(const char* u) { return QString::fromUtf8(u); }

// The earlier folder's tables, written in two children at once (each table
// is built in memory, hundreds of megabytes, then written out).
bool nagyTablak(const QString& mappa, const Meret& m, int resz, Vart* v)
{
    const QVariant n;
    const QDate ma(2026, 12, 10);
    if (resz == 0) {
        QRandomGenerator r(20261211);
        {
            ParadoxIro::Tabla t(mappa + "/video.DB", ParadoxIro::mezok("video"), 1250, m.tetelek);
            qint64 kolcsid = 1000;
            for (int i = 1; i <= m.tetelek; ++i) {
                QString cim = s(egy(r, Jelzok));
                if (!cim.isEmpty()) cim += u' ';
                cim += s(egy(r, Melleknevek)) + u' ' + s(egy(r, Fonevek));
                cim[0] = cim[0].toUpper();
                const int x = int(r.bounded(100));
                if (x < 15) cim += QStringLiteral(" %1.").arg(2 + r.bounded(4));
                else if (x < 30) cim += QStringLiteral(": ") + s(egy(r, Alcimek));
                const bool kint = r.bounded(100) < 5;
                const bool volt = !kint && r.bounded(100) < 60;
                QVariant ugyfel = n, fiztip = n, datKi = n, idoKi = n, datVk = n, idoVk = n, datV = n, idoV = n,
                         kid = n;
                if (kint) {
                    const QDate ki = ma.addDays(-int(r.bounded(14)));
                    ugyfel = 1 + int(r.bounded(m.ugyfelek));
                    fiztip = 1 + int(r.bounded(3));
                    datKi = ki;
                    idoKi = QTime(10 + int(r.bounded(10)), int(r.bounded(60)), int(r.bounded(60)));
                    datVk = ki.addDays(fiztip.toInt() == 2 ? 7 : 1);
                    idoVk = QTime(23, 59, 59);
                    kolcsid += 1 + r.bounded(3);
                    kid = kolcsid;
                    ++v->kint;
                    v->legnagyobbKolcsid = kolcsid;
                } else if (volt) {
                    // Returned earlier: the date of the return kept, the rest emptied (or zero).
                    datV = ma.addDays(-int(r.bounded(3000)));
                    idoV = QTime(9 + int(r.bounded(12)), int(r.bounded(60)), 0);
                    ugyfel = 0;
                    kid = 0;
                }
                const int beszerezve = int(r.bounded(9000));
                t.sor({i, i, 1 + int(r.bounded(3)), 1 + int(r.bounded(4)), cim,
                       r.bounded(100) < 20 ? QVariant(s(egy(r, Szovegek))) : n, ugyfel, fiztip, datKi, idoKi, datVk,
                       idoVk, datV, idoV, double(300 + 100 * r.bounded(7)), kint ? "I" : "N",
                       r.bounded(100) < 2 ? "I" : "N", ma.addDays(-beszerezve),
                       r.bounded(100) < 1 ? QVariant(ma.addDays(-int(r.bounded(100)))) : n, kid,
                       volt || kint ? QVariant(1 + int(r.bounded(200))) : n, 1 + int(r.bounded(8)),
                       r.bounded(100) < 70 ? QVariant(990.0 + 500 * r.bounded(10) + (r.bounded(2) ? 0.5 : 0)) : n});
            }
        }
        {
            ParadoxIro::Tabla t(mappa + "/ugyfel.DB", ParadoxIro::mezok("ugyfel"), 1250, m.ugyfelek);
            for (int i = 1; i <= m.ugyfelek; ++i) {
                const auto& varos = Varosok[r.bounded(int(std::size(Varosok)))];
                const QString nev = s(egy(r, Vezeteknevek)) + u' ' + s(egy(r, Keresztnevek));
                const bool teljes = r.bounded(100) < 70;
                t.sor({i, i, nev, teljes ? QVariant(QStringLiteral("06-1-%1").arg(1000000 + r.bounded(8999999))) : n,
                       r.bounded(100) < 3 ? QVariant(QStringLiteral("06-1-555-%1").arg(r.bounded(10000), 4, 10, QLatin1Char('0'))) : n,
                       r.bounded(100) < 60 ? QVariant(QStringLiteral("06-30-%1").arg(1000000 + r.bounded(8999999))) : n,
                       r.bounded(100) < 30 ? QVariant(QStringLiteral("ugyfel%1@pelda.hu").arg(i)) : n,
                       teljes ? QVariant(s(varos[0])) : n, teljes ? QVariant(s(varos[1])) : n,
                       teljes ? QVariant(QStringLiteral("%1 %2.").arg(s(egy(r, Utcak))).arg(1 + r.bounded(120))) : n,
                       r.bounded(100) < 50 ? QVariant(ma.addDays(int(r.bounded(700)) - 350)) : n,
                       r.bounded(100) < 3 ? "I" : "N",
                       r.bounded(100) < 50 ? QVariant(QStringLiteral("%1AB").arg(100000 + r.bounded(899999))) : n});
            }
        }
        auto tabla = [&](const char* nev, const char* fajl, const QList<QVariantList>& sorok) {
            ParadoxIro::Tabla t(mappa + "/" + fajl, ParadoxIro::mezok(nev), 1250, sorok.size());
            for (const QVariantList& sor : sorok) t.sor(sor);
        };
        tabla("tipus", "tipus.DB", {{1, "VHS"}, {2, "DVD"}, {3, "Blu-ray"}});
        tabla("arkat", "arkat.DB", {{1, "Újdonság"}, {2, "Sláger"}, {3, "Régi"}, {4, "Gyerekfilm"}});
        tabla("mufaj", "mufaj.DB",
              {{1, "Vígjáték"}, {2, "Dráma"}, {3, "Akció"}, {4, "Horror"}, {5, "Mesefilm"}, {6, "Dokumentumfilm"},
               {7, "Romantikus"}, {8, "Sci-fi"}});
        tabla("fiztip", "fiztip.DB", {{1, "1 nap", 24}, {2, "1 hét", 168}, {3, "Hétvége", 72}});
        QList<QVariantList> arak;
        for (int f = 1; f <= 3; ++f)
            for (int a = 1; a <= 4; ++a) arak << QVariantList{f, a, double(f * 300 + a * 100) + 0.5};
        tabla("fiztip_arkat", "fiztip_arkat.DB", arak);
        tabla("cassatip", "cassatip.DB", {{"B", "Kölcsönzési díj", 1}, {"T", "Tagdíj", 1}, {"K", "Kiadás", -1}});
        tabla("beallit", "beallit.DB",
              {{1, "I", 1500.0, 2800.0, 5000.0, "N", "Köszönjük, hogy nálunk kölcsönzött! Jó szórakozást!", "N"}});
        tabla("tulajdonos", "tulajdonos.DB",
              {{"Öreg Mozi Bt.", "06-1-555-0000", "06-30-555-0000", n, "1011", "Budapest", "Fő utca 2.", "12345678141",
                "11700024-12345678-00000000"}});
        tabla("felhasznalo", "felhasznalo.DB",
              {{"pult", "Pult Éva", "Jelszó1", "N", "I"}, {"fonok", "Főnök Ödön", "Titok99", "I", "I"}});
        QList<QVariantList> irsz;
        for (int i = 0; i < 3000; ++i)
            irsz << QVariantList{i + 1, QString::number(1011 + i * 3),
                                 s(Varosok[i % int(std::size(Varosok))][1]) + (i < int(std::size(Varosok)) ? QString() : QStringLiteral(" %1").arg(i))};
        tabla("irsz", "irsz.DB", irsz);
        tabla("vkod", "vkod.DB", {{1, "00001"}, {2, "00002"}});
    } else {
        QRandomGenerator r(20261212);
        {
            ParadoxIro::Tabla t(mappa + "/ugyfel_video.DB", ParadoxIro::mezok("ugyfel_video"), 1250, m.tortenet);
            for (int i = 1; i <= m.tortenet; ++i)
                t.sor({i, 1 + int(r.bounded(m.ugyfelek)), 1 + int(r.bounded(m.tetelek)),
                       ma.addDays(-int(qint64(m.tortenet - i) * 5000 / m.tortenet))});
            v->tortenet = m.tortenet;
        }
        {
            ParadoxIro::Tabla t(mappa + "/cassa.DB", ParadoxIro::mezok("cassa"), 1250, m.cassa);
            // Whole forints and halves: the running balance stays exact.
            double penzvan = 0;
            for (int i = 1; i <= m.cassa; ++i) {
                const QDate d = ma.addDays(-int(qint64(m.cassa - i) * 5000 / m.cassa));
                const int x = int(r.bounded(100));
                const char* tip = x < 80 ? "B" : x < 92 ? "T" : "K";
                double osszeg = double(100 * (3 + r.bounded(30))) + (r.bounded(4) == 0 ? 0.5 : 0);
                if (*tip == 'K') osszeg = -double(50 * (1 + r.bounded(40)));
                penzvan += osszeg;
                v->cassaOsszeg += osszeg;
                t.sor({i, tip, d, *tip == 'K' ? QVariant() : QVariant(1 + int(r.bounded(m.ugyfelek))), osszeg, penzvan,
                       r.bounded(100) < 97 ? QVariant(d.toString("yyyyMM")) : QVariant()});
            }
            v->utolsoPenzvan = penzvan;
        }
    }
    return true;
}

QString vartSzoveg(const Vart& v)
{
    return QStringLiteral("%1;%2;%3;%4;%5")
        .arg(v.cassaOsszeg, 0, 'f', 2)
        .arg(v.utolsoPenzvan, 0, 'f', 2)
        .arg(v.kint)
        .arg(v.legnagyobbKolcsid)
        .arg(v.tortenet);
}

bool vartOlvas(const QString& sz, Vart* v)
{
    const QStringList l = sz.split(u';');
    if (l.size() != 5) return false;
    v->cassaOsszeg = l[0].toDouble();
    v->utolsoPenzvan = l[1].toDouble();
    v->kint = l[2].toLongLong();
    v->legnagyobbKolcsid = l[3].toLongLong();
    v->tortenet = l[4].toLongLong();
    return true;
}

// The folder with its marker: the sizes on the first line, the check figures on the second.
bool regiMappa(const QString& mappa, const Meret& m, bool ujra, Vart* v)
{
    QFile jelzo(mappa + "/" + Jelzo);
    if (!ujra && jelzo.open(QIODevice::ReadOnly)) {
        const QStringList l = QString::fromUtf8(jelzo.readAll()).split(u'\n');
        if (l.size() >= 2 && l[0] == m.leiras() && vartOlvas(l[1], v)) return true;
    }
    if (QFileInfo::exists(mappa) && !QFileInfo::exists(mappa + "/" + Jelzo) && !QDir(mappa).isEmpty()) {
        std::fprintf(stderr, "a(z) %s mappát nem ez a program készítette, nem írom felül\n", qPrintable(mappa));
        return false;
    }
    const QString uj = mappa + ".uj";
    QDir(uj).removeRecursively();
    QDir().mkpath(uj);
    std::fprintf(stderr, "a régi adatmappa készül: %s (percekig tart)\n", qPrintable(mappa));
    QElapsedTimer ido;
    ido.start();
    // Two children at once; each sends its check figures back through a pipe.
    Vart reszek[2];
    int csovek[2][2];
    pid_t gyerekek[2];
    for (int i = 0; i < 2; ++i) {
        if (pipe(csovek[i]) != 0) return false;
        std::fflush(nullptr);
        gyerekek[i] = fork();
        if (gyerekek[i] == 0) {
            close(csovek[i][0]);
            Vart sajat;
            nagyTablak(uj, m, i, &sajat);
            const QByteArray b = vartSzoveg(sajat).toUtf8();
            const bool ok = write(csovek[i][1], b.constData(), size_t(b.size())) == b.size();
            std::fflush(nullptr);
            _exit(ok ? 0 : 1);
        }
        close(csovek[i][1]);
    }
    bool rendben = true;
    for (int i = 0; i < 2; ++i) {
        char b[256] = {};
        const ssize_t k = read(csovek[i][0], b, sizeof b - 1);
        close(csovek[i][0]);
        int allapot = 0;
        waitpid(gyerekek[i], &allapot, 0);
        rendben = rendben && k > 0 && WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0
                  && vartOlvas(QString::fromUtf8(b, int(k)), &reszek[i]);
    }
    if (!rendben) {
        std::fprintf(stderr, "a régi adatmappa nem készült el\n");
        return false;
    }
    v->kint = reszek[0].kint;
    v->legnagyobbKolcsid = reszek[0].legnagyobbKolcsid;
    v->cassaOsszeg = reszek[1].cassaOsszeg;
    v->utolsoPenzvan = reszek[1].utolsoPenzvan;
    v->tortenet = reszek[1].tortenet;
    // The earlier settings file, as a Windows program wrote it.
    QFile ini(uj + "/Kazettora.ini");
    if (!ini.open(QIODevice::WriteOnly)) return false;
    ini.write("[Alapertek]\r\nTeljesKep=0\r\nBal=10\r\nFelul=20\r\nMagas=700\r\nSzeles=1000\r\nBetumeret=10\r\n"
              "[Adatbazis]\r\nUtvonal=C:\\Kazettora\\Data\r\n[Archiv]\r\nMentesUtvonal=C:\\Kazettora\\Archiv\r\n"
              "MentesDatum=2026.12.01\r\n[Vonalkod]\r\nVK_Kazettora=1\r\n");
    ini.close();
    QFile j(uj + "/" + Jelzo);
    if (!j.open(QIODevice::WriteOnly) || j.write((m.leiras() + "\n" + vartSzoveg(*v) + "\n").toUtf8()) < 0) return false;
    j.close();
    QDir(mappa).removeRecursively();
    if (!QDir().rename(uj, mappa)) return false;
    std::fprintf(stderr, "kész, %.0f s\n", ido.elapsed() / 1000.0);
    return true;
}

// --- The floor -------------------------------------------------------------

struct Padlo {
    double mp = 0;
    qint64 sorok = 0;
    qint64 ellenorzo = 0;   // a sum of what was decoded, so that nothing is left out
};

void pxHiba(pxdoc_t*, int, const char* uzenet, void*) { std::fprintf(stderr, "pxlib: %s\n", uzenet); }

struct PxFajl {
    int fd = -1;
    char* terkep = nullptr;
    qint64 meret = 0;
    FILE* folyam = nullptr;
    pxdoc_t* px = nullptr;
    qint64 hely = 0, elengedve = 0;
    char puffer[512];
    // As the reader does: the pages read given back every 16 MB.
    void elenged(qint64 eddig)
    {
        eddig &= ~qint64(4095);
        if (eddig - elengedve < (qint64(16) << 20)) return;
        madvise(terkep + elengedve, size_t(eddig - elengedve), MADV_DONTNEED);
        elengedve = eddig;
    }
    static ssize_t olvas(void* c, char* hova, size_t n)
    {
        auto* f = static_cast<PxFajl*>(c);
        const qint64 k = qBound(qint64(0), f->meret - f->hely, qint64(n));
        std::memcpy(hova, f->terkep + f->hely, size_t(k));
        f->hely += k;
        f->elenged(f->hely);
        return ssize_t(k);
    }
    static int keres(void* c, off64_t* h, int honnan)
    {
        auto* f = static_cast<PxFajl*>(c);
        const qint64 uj = *h + (honnan == SEEK_CUR ? f->hely : honnan == SEEK_END ? f->meret : 0);
        if (uj < 0) return -1;
        f->hely = *h = uj;
        return 0;
    }
    bool nyit(const QString& fajl)
    {
        fd = open(QFile::encodeName(fajl).constData(), O_RDONLY);
        struct stat st{};
        if (fd < 0 || fstat(fd, &st) != 0) return false;
        meret = st.st_size;
        void* t = mmap(nullptr, size_t(meret), PROT_READ, MAP_SHARED, fd, 0);
        if (t == MAP_FAILED) return false;
        terkep = static_cast<char*>(t);
        // As the reader does: pxlib reads the mapping through a stream of
        // our own with a small buffer (a seek only moves the position).
        folyam = fopencookie(this, "r", {olvas, nullptr, keres, nullptr});
        if (folyam) setvbuf(folyam, puffer, _IOFBF, sizeof puffer);
        px = PX_new2(pxHiba, nullptr, nullptr, nullptr);
        if (!folyam || !px || PX_open_fp(px, folyam) < 0) return false;
        madvise(terkep, size_t(meret), MADV_DONTNEED);
        elengedve = 0;
        return true;
    }
    ~PxFajl()
    {
        if (px) {
            PX_close(px);
            PX_delete(px);
        }
        if (folyam) std::fclose(folyam);
        if (terkep) munmap(terkep, size_t(meret));
        if (fd >= 0) close(fd);
    }
};

qint64 mezokDekodol(pxdoc_t* px, char* rekord)
{
    qint64 e = 0;
    const pxhead_t* h = px->px_head;
    char* p = rekord;
    for (int i = 0; i < h->px_numfields; ++i) {
        const pxfield_t& f = h->px_fields[i];
        switch (f.px_ftype) {
        case pxfAlpha: {
            char* sz = nullptr;
            if (PX_get_data_alpha(px, p, f.px_flen, &sz) > 0 && sz) {
                e += std::strlen(sz);
                px->free(px, sz);
            }
            break;
        }
        case pxfShort: {
            short x = 0;
            if (PX_get_data_short(px, p, f.px_flen, &x) > 0) e += x;
            break;
        }
        case pxfNumber:
        case pxfCurrency: {
            double x = 0;
            if (PX_get_data_double(px, p, f.px_flen, &x) > 0) e += qint64(x);
            break;
        }
        case pxfLogical: {
            char x = 0;
            if (PX_get_data_byte(px, p, f.px_flen, &x) > 0) e += x;
            break;
        }
        default: {
            long x = 0;
            if (PX_get_data_long(px, p, f.px_flen, &x) > 0) e += x;
            break;
        }
        }
        p += f.px_flen;
    }
    return e;
}

// One table read as Paradox::Tabla walks it: pxlib finds the block, the
// block's further records are read where pxlib says they lie.
bool padloTabla(const QString& fajl, Padlo* p, int hatar = std::numeric_limits<int>::max())
{
    PxFajl f;
    if (!f.nyit(fajl)) return false;
    const int n = std::min(hatar, f.px->px_head->px_numrecords);
    const int meret = f.px->px_head->px_recordsize;
    QByteArray rekord(meret, Qt::Uninitialized);
    const char* kovetkezo = nullptr;
    int maradek = 0;
    for (int i = 0; i < n; ++i) {
        if (maradek > 0) {
            std::memcpy(rekord.data(), kovetkezo, size_t(meret));
            kovetkezo += meret;
            --maradek;
        } else {
            int torolt = 0;
            pxdatablockinfo_t b{};
            if (!PX_get_record2(f.px, i, rekord.data(), &torolt, &b)) return false;
            maradek = b.numrecords - b.recno - 1;
            kovetkezo = f.terkep + b.recordpos + meret;
            f.elenged(b.blockpos);
        }
        p->ellenorzo += mezokDekodol(f.px, rekord.data());
        ++p->sorok;
    }
    madvise(f.terkep, size_t(f.meret), MADV_DONTNEED);
    return true;
}

// pxlib's own lookup, record by record, over the first `sorok` rows.
bool pxRekordonkent(const QString& fajl, int sorok, Padlo* p)
{
    PxFajl f;
    if (!f.nyit(fajl)) return false;
    const int n = std::min(sorok, f.px->px_head->px_numrecords);
    QByteArray rekord(f.px->px_head->px_recordsize, Qt::Uninitialized);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < n; ++i) {
        if (!PX_get_record(f.px, i, rekord.data())) return false;
        p->ellenorzo += mezokDekodol(f.px, rekord.data());
        ++p->sorok;
    }
    p->mp = t.nsecsElapsed() / 1e9;
    return true;
}

// Every file into the page cache, so that neither side pays the first read.
void beolvas(const QString& mappa)
{
    QByteArray b(1 << 20, Qt::Uninitialized);
    for (const QFileInfo& fi : QDir(mappa).entryInfoList(QDir::Files)) {
        QFile f(fi.absoluteFilePath());
        if (f.open(QIODevice::ReadOnly))
            while (f.read(b.data(), b.size()) > 0) {
            }
    }
}

// --- The take-over, in the child -------------------------------------------

qint64 vmHwmKB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& sor : f.readAll().split('\n'))
        if (sor.startsWith("VmHWM:")) return sor.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Prints lines for the parent: IDO, HWM, TABLA, ELL, then the report.
int gyerek(const QString& regi, const QString& programMappa)
{
    struct Szakasz {
        qint64 kezd = -1, veg = -1;
        qint64 sorok = 0;
    };
    QMap<QString, Szakasz> szakaszok;
    QStringList sorrend;
    QElapsedTimer ora;
    ora.start();
    Atvetel::Eredmeny e;
    QString hiba;
    const bool ok = Atvetel::atvesz(programMappa, {regi, {}, false, false}, &e, &hiba,
                                    [&](const QString& tabla, qint64 kesz, qint64 osszes) {
                                        Szakasz& sz = szakaszok[tabla];
                                        if (sz.kezd < 0) {
                                            sz.kezd = ora.nsecsElapsed();
                                            sorrend << tabla;
                                        }
                                        if (kesz == osszes) sz.veg = ora.nsecsElapsed();
                                        sz.sorok = kesz;
                                    });
    const double mp = ora.nsecsElapsed() / 1e9;
    std::printf("IDO %.3f\nHWM %lld\n", mp, vmHwmKB());
    // A table's time runs to the next table's start (its last rows' store included).
    for (int i = 0; i < sorrend.size(); ++i) {
        const Szakasz& sz = szakaszok[sorrend[i]];
        const qint64 veg = i + 1 < sorrend.size() ? szakaszok[sorrend[i + 1]].kezd : (sz.veg >= 0 ? sz.veg : sz.kezd);
        std::printf("TABLA %s %lld %.3f\n", qPrintable(sorrend[i]), sz.sorok, (veg - sz.kezd) / 1e9);
    }
    if (!sorrend.isEmpty()) {
        const Szakasz& utolso = szakaszok[sorrend.last()];
        std::printf("TABLA ellenorzes+lezaras 0 %.3f\n", mp - (utolso.veg >= 0 ? utolso.veg : utolso.kezd) / 1e9);
    }
    for (const Atvetel::Ellenorzes& c : e.ellenorzesek)
        std::printf("ELL %s|%s|%s|%d\n", qPrintable(c.nev), qPrintable(c.regi), qPrintable(c.uj), int(c.egyezik));
    for (const Atvetel::TablaSzam& t : e.tablak)
        std::printf("SZAM %s %lld %lld\n", qPrintable(t.tabla), t.olvasott, t.irt);
    std::printf("JELENTES\n%s", qPrintable(Atvetel::jelentes(e)));
    if (!ok) std::printf("HIBA %s\n", qPrintable(hiba));
    return ok ? 0 : 1;
}

QString penz(double x) { return QLocale(QLocale::Hungarian, QLocale::Hungary).toString(x, 'f', 2); }

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && !std::strcmp(argv[1], "--gyerek")) {
        QCoreApplication app(argc, argv);
        return gyerek(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    bool ujra = false, kicsi = false;
    QString mappa = QStringLiteral("/tmp/kazettora-bench-atvetel-regi");
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--rebuild")) ujra = true;
        else if (!std::strcmp(a, "--kicsi")) kicsi = true;
        else if (!std::strcmp(a, "--mappa") && i + 1 < argc) mappa = QString::fromLocal8Bit(argv[++i]);
        else {
            std::fprintf(stderr, "használat: %s [--rebuild] [--mappa DIR] [--kicsi]\n", argv[0]);
            return 64;
        }
    }
    qputenv("LC_ALL", "hu_HU.UTF-8");
    QCoreApplication app(argc, argv);
    Meret m;
    if (kicsi) {
        m = {m.tetelek / 10, m.ugyfelek / 10, m.tortenet / 10, m.cassa / 10};
        mappa += QStringLiteral("-kicsi");
    }
    Vart vart;
    if (!regiMappa(mappa, m, ujra, &vart)) return 1;
    int hibak = 0;

    std::printf("terhelés: %s\n", qPrintable(BenchAdat::terheles()));
    beolvas(mappa);

    // The floor, table by table.
    std::printf("\nPadló: pxlib egyedül (blokkonként PX_get_record2, minden mező PX_get_data_*)\n");
    Padlo padlo;
    QMap<QString, double> padloTablak;
    for (const QFileInfo& fi : QDir(mappa).entryInfoList({"*.DB"}, QDir::Files, QDir::Name)) {
        if (fi.completeBaseName() == QLatin1String("vkod")) continue;   // the take-over skips it too
        Padlo p;
        QElapsedTimer t;
        t.start();
        if (!padloTabla(fi.absoluteFilePath(), &p)) {
            std::fprintf(stderr, "HIBA: a(z) %s nem olvasható végig\n", qPrintable(fi.fileName()));
            return 1;
        }
        p.mp = t.nsecsElapsed() / 1e9;
        padloTablak[fi.completeBaseName()] = p.mp;
        padlo.mp += p.mp;
        padlo.sorok += p.sorok;
        padlo.ellenorzo += p.ellenorzo;
        if (p.sorok >= 10000) std::printf("  %-16s %9lld sor  %7.3f s\n", qPrintable(fi.fileName()), p.sorok, p.mp);
    }
    std::printf("  %-16s %9lld sor  %7.3f s  (ellenőrző összeg %lld)\n", "összesen", padlo.sorok, padlo.mp,
                padlo.ellenorzo);

    Padlo rekordonkent;
    if (!pxRekordonkent(mappa + "/ugyfel_video.DB", 200'000, &rekordonkent)) return 1;
    // The same rows the block way, for comparison.
    Padlo blokkonkent;
    QElapsedTimer bt;
    bt.start();
    if (!padloTabla(mappa + "/ugyfel_video.DB", &blokkonkent, 200'000)) return 1;
    blokkonkent.mp = bt.nsecsElapsed() / 1e9;
    std::printf("  ugyfel_video első %lld sora: PX_get_record soronként %.3f s, blokkonként %.3f s\n", rekordonkent.sorok,
                rekordonkent.mp, blokkonkent.mp);

    // The take-over in a child of its own.
    QTemporaryDir program(QDir::temp().filePath(QStringLiteral("kazettora-bench-atvetel-XXXXXX")));
    const QString ki = program.path() + QStringLiteral("-ki.txt");
    const QString programMappa = program.path() + QStringLiteral("/program");
    const BenchAdat::Futas f =
        BenchAdat::futtat({QCoreApplication::applicationFilePath(), "--gyerek", mappa, programMappa}, ki);
    QFile kiFajl(ki);
    kiFajl.open(QIODevice::ReadOnly);
    const QString kimenet = QString::fromUtf8(kiFajl.readAll());
    kiFajl.close();
    QFile::remove(ki);
    const QStringList sorok = kimenet.split(u'\n');
    double mp = 0, hwmMB = 0;
    QStringList tablaSorok;
    QList<QStringList> ell;
    QMap<QString, QPair<qint64, qint64>> szamok;
    for (const QString& sor : sorok) {
        if (sor.startsWith("IDO ")) mp = sor.mid(4).toDouble();
        else if (sor.startsWith("HWM ")) hwmMB = sor.mid(4).toDouble() / 1024.0;
        else if (sor.startsWith("TABLA ")) tablaSorok << sor.mid(6);
        else if (sor.startsWith("ELL ")) ell << sor.mid(4).split(u'|');
        else if (sor.startsWith("SZAM ")) {
            const QStringList l = sor.mid(5).split(u' ');
            szamok[l.value(0)] = {l.value(1).toLongLong(), l.value(2).toLongLong()};
        } else if (sor.startsWith("HIBA ")) {
            std::fprintf(stderr, "HIBA: az átvétel nem sikerült: %s\n", qPrintable(sor.mid(5)));
            ++hibak;
        }
    }
    if (!f.ok) {
        std::fprintf(stderr, "HIBA: az átvétel gyerekfolyamata hibával ért véget\n%s\n", qPrintable(kimenet));
        return 1;
    }
    std::printf("\nÁtvétel (Atvetel::atvesz, saját gyerekfolyamatban), táblánként:\n");
    for (const QString& t : tablaSorok) {
        const QStringList l = t.split(u' ');
        const QString nev = l.value(0);
        const QString padloIdo =
            padloTablak.contains(nev) ? QStringLiteral("  (padló %1 s)").arg(padloTablak[nev], 0, 'f', 3) : QString();
        std::printf("  %-24s %9s sor  %7.3f s%s\n", qPrintable(nev), qPrintable(l.value(1)), l.value(2).toDouble(),
                    qPrintable(padloIdo));
    }

    // The check figures: the report's two sides agree, and both are what was written.
    const QMap<QString, QString> elvart = {
        {QStringLiteral("A pénztár összege (cassa.osszeg)"), penz(vart.cassaOsszeg)},
        {QStringLiteral("Az utolsó pénzkészlet (cassa.penzvan)"), penz(vart.utolsoPenzvan)},
        {QStringLiteral("Kint levő tételek (kint = I)"), QLocale(QLocale::Hungarian, QLocale::Hungary).toString(vart.kint)},
        {QStringLiteral("A legnagyobb kölcsönzésszám (kolcsid)"),
         QLocale(QLocale::Hungarian, QLocale::Hungary).toString(vart.legnagyobbKolcsid)},
        {QStringLiteral("Kölcsönzési előzmények sorai"), QLocale(QLocale::Hungarian, QLocale::Hungary).toString(vart.tortenet)}};
    std::printf("\nEllenőrző számok (régi / új / a mappa írásakor):\n");
    if (ell.size() != elvart.size()) {
        std::fprintf(stderr, "HIBA: %lld ellenőrző szám a jelentésben, %lld várt\n", qint64(ell.size()), qint64(elvart.size()));
        ++hibak;
    }
    for (const QStringList& c : ell) {
        const QString v = elvart.value(c.value(0), QStringLiteral("?"));
        const bool jo = c.value(3) == QLatin1String("1") && c.value(1) == c.value(2) && c.value(1) == v;
        std::printf("  %-40s %16s %16s %16s  %s\n", qPrintable(c.value(0)), qPrintable(c.value(1)), qPrintable(c.value(2)),
                    qPrintable(v), jo ? "egyezik" : "ELTÉR");
        if (!jo) ++hibak;
    }
    const QMap<QString, qint64> sorVart = {{"video", m.tetelek}, {"ugyfel", m.ugyfelek}, {"ugyfel_video", m.tortenet},
                                           {"cassa", m.cassa}, {"felhasznalo", 2}, {"irsz", 3000}};
    for (auto it = sorVart.cbegin(); it != sorVart.cend(); ++it) {
        const auto sz = szamok.value(it.key(), {-1, -1});
        if (sz.first != it.value() || sz.second != it.value()) {
            std::fprintf(stderr, "HIBA: %s: %lld olvasott, %lld írt, %lld várt\n", qPrintable(it.key()), sz.first,
                         sz.second, it.value());
            ++hibak;
        }
    }
    if (!QFileInfo::exists(programMappa + "/Data/kazettora.db")) {
        std::fprintf(stderr, "HIBA: nincs adatbázis az új programmappában\n");
        ++hibak;
    }

    const double arany = mp / padlo.mp;
    const double csucs = std::max(hwmMB, 0.0);
    std::printf("\nRégi adatmappa átvétele (%d tétel, %d ügyfél, %d előzménysor, %d pénztársor), terhelés: %s\n", m.tetelek,
                m.ugyfelek, m.tortenet, m.cassa, qPrintable(BenchAdat::terheles()));
    std::printf("  %-36s %10s %10s\n", "", "mért", "cél");
    std::printf("  %-36s %8.2f s %10s\n", "padló (pxlib egyedül)", padlo.mp, "–");
    std::printf("  %-36s %8.2f s %10s   (%.2f s CPU, a folyamat egésze %.2f s)\n", "átvétel", mp, "< 120 s", f.cpu, f.mp);
    std::printf("  %-36s %10.2f %10s\n", "arány", arany, "≤ 3,00");
    std::printf("  %-36s %7.0f MB %10s   (getrusage: %.0f MB)\n", "csúcsmemória (VmHWM)", csucs, "< 300 MB", f.memMB);
    std::printf("  ugyfel_video első %lld sora: PX_get_record soronként %.3f s, blokkonként %.3f s\n", rekordonkent.sorok,
                rekordonkent.mp, blokkonkent.mp);
    const bool celok = mp < 120 && arany <= 3 && csucs < 300;
    std::printf("  %s\n", hibak ? "HIBA: egy ellenőrzés nem sikerült" : celok ? "minden cél teljesült" : "egy cél nem teljesült");
    if (hibak) return 1;
    return celok ? 0 : 2;
}
