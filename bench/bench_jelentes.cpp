// The full item list report (TqrLista) printed to PDF: a million items (and
// the first 100,000 of them) grouped by item type. Measures the wall time,
// the number of pages and the peak memory, and reads the first and the last
// page back.
//
//   bench_jelentes [--rebuild] [--mappa DIR] [--tetelek N] [--marad] [--csak-adat]
//
// The data folder (default /tmp/kazettora-bench-1m, shared with
// bench_tetellista) is built on the first run in a child process, so that
// its memory does not count, and reused later. The PDFs are written beside
// it and deleted afterwards unless --marad; --csak-adat only builds the
// data folder. Exit code 0: the peak memory
// stayed under its target; 2: it did not; 1: a check failed.
#include "windows/app/alkalmazas.h"
#include "bench/bench_adat.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "print/reports/tqrlista.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QSqlQuery>
#include <cstdio>
#include <cstring>

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
    return BenchAdat::gyerekben("bench_jelentes-adat",
                                [&](QString* hiba) { return BenchAdat::elokeszit(mappa, m, ujra, hiba); });
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
        // The full list as the menu prints it; the first items through the
        // same report with a statement of its own, as a search hands it over.
        TqrLista r;
        if (!feltetel.isEmpty())
            r.keresesEredmenye(TqrListaAlap::Lekerdezes(feltetel.trimmed(), QStringLiteral("ORDER BY video.tipus, video.azon;")));
        r.megnyit();
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
    for (const char* t : {tetelek < osszes ? "Keresés eredménye" : "Teljes lista", "kód megnevezés árkat műfaj kiadva szöveg", "oldal: 1", "qrLista",
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
