// The full item list printed to PDF by the report engine: a million items
// (and the first 100,000 of them) grouped by item type, shaped like the
// shop's item list report. Measures the wall time, the number of pages and
// the peak memory, and reads the first and the last page back.
//
//   bench_jelentes [--rebuild] [--mappa DIR] [--tetelek N] [--marad] [--csak-adat]
//
// The data folder (default /tmp/kazettora-bench-1m, shared with
// bench_tetellista) is built on the first run in a child process, so that
// its memory does not count, and reused later. The PDFs are written beside
// it and deleted afterwards unless --marad; --csak-adat only builds the
// data folder. Exit code 0: the peak memory
// stayed under its target; 2: it did not; 1: a check failed.
#include "app/alkalmazas.h"
#include "bench/bench_adat.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "reports/jelentes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSqlQuery>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

using BenchAdat::Stopper;

namespace {

constexpr double MemoriaCel = 150;   // MB
constexpr double IdoCel = 30;        // s, for the million

int hibak = 0;

void ellenoriz(bool ok, const QString& mit)
{
    if (ok) return;
    ++hibak;
    std::fprintf(stderr, "HIBA: %s\n", qPrintable(mit));
}

// VmHWM: the most resident memory this process has had, in MB.
double csucsMemoria()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return BenchAdat::csucsMemoriaMB();
    for (const QByteArray& sor : f.readAll().split('\n'))
        if (sor.startsWith("VmHWM:")) return sor.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return BenchAdat::csucsMemoriaMB();
}

// /tmp/kazettora-bench-1m for a million items, -250k for 250,000, and so on
// (the folders bench_tetellista builds).
QString alapMappa(int tetelek)
{
    const QString meret = tetelek % 1000000 == 0 ? QStringLiteral("%1m").arg(tetelek / 1000000)
                          : tetelek % 1000 == 0  ? QStringLiteral("%1k").arg(tetelek / 1000)
                                                 : QString::number(tetelek);
    return QStringLiteral("/tmp/kazettora-bench-") + meret;
}

bool adatElokeszit(const QString& mappa, const BenchAdat::Meret& m, bool ujra)
{
    // In a child process: building the folder takes far more memory than
    // printing does, and the peak memory below must be the report's own.
    std::fflush(nullptr);
    const pid_t gyerek = fork();
    if (gyerek < 0) return false;
    if (gyerek == 0) {
        int argc = 1;
        char nev[] = "bench_jelentes-adat";
        char* argv[] = {nev, nullptr};
        QCoreApplication app(argc, argv);
        QString hiba;
        const bool ok = BenchAdat::elokeszit(mappa, m, ujra, &hiba);
        if (!ok) std::fprintf(stderr, "%s\n", qPrintable(hiba));
        std::fflush(nullptr);
        _exit(ok ? 0 : 1);
    }
    int allapot = 0;
    waitpid(gyerek, &allapot, 0);
    return WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0;
}

// The item list's statement: every item with the names of its reference
// rows, by type and code.
const char* const ListaSql =
    "SELECT video.video, video.azon, video.tipus, tipus.tipus_nev, video.arkat, arkat.arkat_nev,\n"
    "  video.video_nev, video.szoveg, video.ugyfel, ugyfel.ugyfel_nev, video.fiztip, fiztip.fiztip_nev,\n"
    "  video.dat_kiadva, video.ido_kiadva, video.dat_visszakell, video.ido_visszakell, video.dat_vissza,\n"
    "  video.ido_vissza, video.ar, video.kint, video.torolve, video.dat_besz, video.dat_selejt,\n"
    "  video.kolcsid, video.kolcsonozve, video.mufaj, mufaj.mufaj_nev\n"
    "FROM video\n"
    "  LEFT OUTER JOIN tipus ON (video.tipus = tipus.tipus)\n"
    "  LEFT OUTER JOIN arkat ON (video.arkat = arkat.arkat)\n"
    "  LEFT OUTER JOIN ugyfel ON (video.ugyfel = ugyfel.ugyfel)\n"
    "  LEFT OUTER JOIN fiztip ON (video.fiztip = fiztip.fiztip)\n"
    "  LEFT OUTER JOIN mufaj ON (video.mufaj = mufaj.mufaj)\n"
    "%1"
    "ORDER BY video.tipus, video.azon;";

// The item list: A4, heading and the owner on the page header with the
// column headings under them, a group per item type with its count, one
// 8-point line per item, the common footer.
void ListaFelepit(Jelentes& r, const QString& felteteles)
{
    r.lap(QPageSize::A4, QPageLayout::Portrait, {10, 10, 10, 10});
    const double w = r.szelesseg();   // 190 mm
    using B = Jelentes::Betu;
    const B fej("Arial", 8, Jelentes::Dolt), tetel("Arial", 8), csoport("Arial", 10, Jelentes::Felkover);

    Jelentes::Sav& f = r.lapFej;
    f.magassag = 30;
    f.vonal({0, 0, 95, 0}, 0.3);
    f.szoveg({0, 2, 95, 8}, QStringLiteral("Teljes lista"), B("Arial", 16, Jelentes::Felkover));
    f.vonal({0, 11, 95, 11}, 0.3);
    f.vonal({100, 0, w, 0}, 0.3);
    f.forrasMezo({100, 1, 90, 4.5}, "tulajdonos", "tulajdonos", B("Arial", 10, Jelentes::Felkover), Jelentes::Jobb);
    f.forrasMezo({100, 5.5, 90, 4.5}, "tulajdonos", "varos", B("Arial", 10), Jelentes::Jobb);
    f.forrasMezo({100, 10, 90, 4.5}, "tulajdonos", "cim", B("Arial", 10), Jelentes::Jobb);
    f.forrasMezo({100, 14.5, 90, 4.5}, "tulajdonos", "telefon", B("Arial", 10), Jelentes::Jobb);
    f.vonal({100, 19.5, w, 19.5}, 0.3);
    const double o = 25;
    f.szoveg({0, o, 14, 4}, QStringLiteral("kód"), fej);
    f.szoveg({15, o, 68, 4}, QStringLiteral("megnevezés"), fej);
    f.szoveg({84, o, 20, 4}, QStringLiteral("árkat"), fej);
    f.szoveg({105, o, 22, 4}, QStringLiteral("műfaj"), fej);
    f.szoveg({128, o, 10, 4}, QStringLiteral("kiadva"), fej, Jelentes::Kozep);
    f.szoveg({140, o, 50, 4}, QStringLiteral("szöveg"), fej);
    f.vonal({0, 29.5, w, 29.5}, 0.2);

    Jelentes::Csoport& cs = r.csoport("tipus");
    cs.fej.magassag = 7;
    cs.fej.mezo({0, 1.5, 100, 5}, "tipus_nev", csoport);
    cs.lab.magassag = 7;
    cs.lab.szoveg({15, 1, 20, 5}, QStringLiteral("Összesen"), B("Arial", 10));
    cs.lab.darab({35, 1, 18, 5}, B("Arial", 10), Jelentes::Jobb);
    cs.lab.szoveg({55, 1, 20, 5}, QStringLiteral("tétel"), B("Arial", 10));

    Jelentes::Sav& d = r.reszlet;
    d.magassag = 4;
    d.mezo({0, 0.3, 14, 3.6}, "azon", tetel);
    d.mezo({15, 0.3, 68, 3.6}, "video_nev", tetel);
    d.mezo({84, 0.3, 20, 3.6}, "arkat_nev", tetel);
    d.mezo({105, 0.3, 22, 3.6}, "mufaj_nev", tetel);
    d.mezo({128, 0.3, 10, 3.6}, "kint", tetel, Jelentes::Kozep);
    d.mezo({140, 0.3, 50, 3.6}, "szoveg", tetel);

    r.lapLab.magassag = 12;
    r.lapLab.vonal({0, 0.5, w, 0.5}, 0.2);
    r.kozosLablec(r.lapLab, 1.5, B("Arial", 8), 3.5);

    r.adatSql(QString::fromLatin1(ListaSql).arg(felteteles));
    r.forras("tulajdonos", Jelentes::elsoSor("SELECT tulajdonos, varos, cim, telefon FROM tulajdonos ORDER BY rowid LIMIT 1"));
}

QString pdfSzoveg(const QString& fajl, int oldal)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(oldal),
                                          QStringLiteral("-l"), QString::number(oldal), fajl, QStringLiteral("-")});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

struct Eredmeny {
    int tetelek = 0;
    double masodperc = 0, processzor = 0;
    int oldalak = 0;
    double memoria = 0;
    qint64 meret = 0;
};

Eredmeny futtat(const QString& mappa, int tetelek, int osszes, bool marad)
{
    Eredmeny e;
    e.tetelek = tetelek;
    const QString feltetel = tetelek < osszes ? QStringLiteral("WHERE video.azon <= %1\n").arg(tetelek) : QString();
    const QString fajl = QStringLiteral("%1-jelentes-%2.pdf").arg(mappa).arg(tetelek);
    QFile::remove(fajl);
    Stopper s;
    {
        Jelentes r(QStringLiteral("Lista nyomtatás"), QStringLiteral("qrLista"));
        ListaFelepit(r, feltetel);
        QString hiba;
        ellenoriz(r.pdfbe(fajl, &hiba), hiba);
        e.oldalak = r.oldalak();
    }
    const BenchAdat::Ido ido = s.most();
    e.masodperc = ido.fal / 1000;
    e.processzor = ido.cpu / 1000;
    e.memoria = csucsMemoria();
    e.meret = QFileInfo(fajl).size();

    // What a reader sees: the first page's header and first group, the
    // last page's last group footer with the count the database gives.
    const QString elso = pdfSzoveg(fajl, 1);
    for (const char* t : {"Teljes lista", "kód megnevezés árkat műfaj kiadva szöveg", "oldal: 1", "qrLista",
                          "Lista nyomtatás", "Kazettora"})
        ellenoriz(elso.contains(QString::fromUtf8(t)), QStringLiteral("az első oldalon nincs: %1").arg(t));
    QSqlQuery q = Adatbazis::vegrehajt(QStringLiteral("SELECT count(*), min(azon) FROM video %1 GROUP BY tipus ORDER BY tipus DESC LIMIT 1").arg(feltetel));
    const qint64 utolsoCsoport = q.next() ? q.value(0).toLongLong() : -1;
    const QString utolso = pdfSzoveg(fajl, e.oldalak);
    ellenoriz(utolso.contains(QStringLiteral("Összesen %1 tétel").arg(utolsoCsoport)),
              QStringLiteral("az utolsó oldalon nincs \"Összesen %1 tétel\": %2").arg(utolsoCsoport).arg(utolso.left(300)));
    ellenoriz(utolso.contains(QStringLiteral("oldal: %1").arg(e.oldalak)), QStringLiteral("az utolsó oldal száma"));
    if (!marad) QFile::remove(fajl);
    else std::printf("PDF: %s\n", qPrintable(fajl));
    return e;
}

} // namespace

int main(int argc, char** argv)
{
    bool ujra = false, marad = false, csakAdat = false;
    QString mappa;
    BenchAdat::Meret meret;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--rebuild")) ujra = true;
        else if (!std::strcmp(a, "--marad")) marad = true;
        else if (!std::strcmp(a, "--csak-adat")) csakAdat = true;
        else if (!std::strcmp(a, "--mappa") && i + 1 < argc) mappa = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(a, "--tetelek") && i + 1 < argc) meret.tetelek = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "használat: %s [--rebuild] [--mappa DIR] [--tetelek N] [--marad] [--csak-adat]\n",
                         argv[0]);
            return 64;
        }
    }
    if (meret.tetelek < 1000) {
        std::fprintf(stderr, "legalább 1000 tétel kell\n");
        return 64;
    }
    if (mappa.isEmpty()) mappa = alapMappa(meret.tetelek);
    if (!adatElokeszit(mappa, meret, ujra)) {
        std::fprintf(stderr, "az adatmappa nem készült el\n");
        return 1;
    }
    if (csakAdat) return 0;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    AlkalmazasBeallit(app);
    ProgramUtvonalBeallit(mappa);
    QString hiba;
    if (!Adatbazis::nyit(mappa + QStringLiteral("/Data"), &hiba)) {
        std::fprintf(stderr, "%s\n", qPrintable(hiba));
        return 1;
    }
    const double alap = csucsMemoria();

    QList<Eredmeny> eredmenyek;
    const int kicsi = std::min(100000, meret.tetelek / 10);
    for (int n : {kicsi, meret.tetelek}) {
        std::fprintf(stderr, "%d tétel nyomtatása PDF-be...\n", n);
        eredmenyek << futtat(mappa, n, meret.tetelek, marad);
    }

    std::printf("\nTeljes tétellista PDF-be (jelentésmotor), adatmappa: %s; csúcsmemória a nyomtatás előtt: %.1f MB\n\n",
                qPrintable(mappa), alap);
    std::printf("| tételek | oldalak | PDF, MB | falióra, s | processzor, s | oldal/s | csúcsmemória (VmHWM), MB |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Eredmeny& e : eredmenyek)
        std::printf("| %d | %d | %.1f | %.1f | %.1f | %.0f | %.1f |\n", e.tetelek, e.oldalak, e.meret / 1048576.0,
                    e.masodperc, e.processzor, e.oldalak / std::max(0.001, e.masodperc), e.memoria);
    const Eredmeny& nagy = eredmenyek.last();
    const bool memOk = nagy.memoria < MemoriaCel;
    const bool idoOk = nagy.masodperc < IdoCel;
    std::printf("\ncsúcsmemória %d tételnél: %.1f MB (cél < %.0f MB): %s\n", nagy.tetelek, nagy.memoria, MemoriaCel,
                memOk ? "teljesült" : "NEM teljesült");
    std::printf("idő %d tételnél: %.1f s (cél < %.0f s): %s\n", nagy.tetelek, nagy.masodperc, IdoCel,
                idoOk ? "teljesült" : "NEM teljesült");
    std::printf("Terhelés a mérés végén (loadavg): %s\n", qPrintable(BenchAdat::terheles()));
    Adatbazis::zar();
    if (hibak) return 1;
    return memOk ? 0 : 2;
}
