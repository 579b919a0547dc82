// The command line's archive of a million-item data folder beside Info-ZIP
// on the same folder, as whole processes, side by side, alternating, median
// of three:
//
//   kazettora --program-dir DIR --archive FILE
//   (in DIR/Data) zip -1 -r -q FILE .
//
// Both work on a copy of the built folder (BenchAdat::munkapeldany), so the
// day the archive records goes into the copy's settings file, not the
// shared one. Our archive is checked with unzip -t.
//
//   bench_archiv [--rebuild] [--mappa DIR] [--tetelek N] [--kazettora PATH]
//
// Exit code 0: ours at least as fast; 2: the target missed; 1: a run failed.
#include "bench/bench_adat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

using BenchAdat::Futas;
using BenchAdat::futtat;

// The data folder, built once and then copied, in a child process: the
// builder opens the session, which this process must not hold.
bool adatElokeszit(const QString& mappa, const QString& munka, const BenchAdat::Meret& m, bool ujra)
{
    return BenchAdat::gyerekben("bench_archiv-adat", [&](QString* hiba) {
        return BenchAdat::elokeszit(mappa, m, ujra, hiba) && BenchAdat::munkapeldany(mappa, munka, hiba);
    });
}

} // namespace

int main(int argc, char** argv)
{
    BenchAdat::ProgramOpciok o;
    if (!BenchAdat::programOpciok(argc, argv, &o)) return 64;
    const QString munka = o.mappa + QStringLiteral("-archiv");
    if (!adatElokeszit(o.mappa, munka, o.meret, o.ujra)) {
        std::fprintf(stderr, "az adatmappa nem készült el\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    const QString program = BenchAdat::kazettoraProgram(o.program);
    if (program.isEmpty()) return 1;
    const QString adat = munka + QStringLiteral("/Data");
    const QString sajat = QDir::temp().filePath(QStringLiteral("bench_archiv-kazettora.zip"));
    const QString tars = QDir::temp().filePath(QStringLiteral("bench_archiv-zip.zip"));
    const QStringList sajatParancs = {program, "--program-dir", munka, "--archive", sajat};
    // zip adds to an existing archive: each run starts without one.
    const QStringList tarsParancs = {"zip", "-1", "-r", "-q", tars, "."};

    std::printf("terhelés: %s\n", qPrintable(BenchAdat::terheles()));
    QFile::remove(tars);
    // Once each, untimed: the folder in the page cache for both.
    if (!futtat(tarsParancs, QString(), adat).ok || !futtat(sajatParancs).ok) {
        std::fprintf(stderr, "egy futás nem sikerült\n");
        return 1;
    }
    QList<double> sajatIdo, tarsIdo;
    for (int i = 0; i < 3; ++i) {
        QFile::remove(tars);
        const Futas s = futtat(sajatParancs);
        const Futas t = futtat(tarsParancs, QString(), adat);
        if (!s.ok || !t.ok) {
            std::fprintf(stderr, "egy futás nem sikerült\n");
            return 1;
        }
        sajatIdo << s.mp;
        tarsIdo << t.mp;
        std::printf("  %d. kör: kazettora --archive %.2f s, zip -1 -r %.2f s\n", i + 1, s.mp, t.mp);
    }
    const bool ep = futtat({"unzip", "-tq", sajat}).ok;
    if (!ep) std::fprintf(stderr, "HIBA: az unzip -t nem fogadja el az archívumot\n");

    const double s = BenchAdat::median(sajatIdo), t = BenchAdat::median(tarsIdo);
    std::printf("\nAz adatmappa archívuma, %d tétel, %.1f MB adatmappa (medián, egész folyamatok):\n", o.meret.tetelek,
                QFileInfo(adat + "/kazettora.db").size() / 1e6);
    std::printf("  kazettora --archive   %.2f s  %6.1f MB zip\n", s, QFileInfo(sajat).size() / 1e6);
    std::printf("  zip -1 -r             %.2f s  %6.1f MB zip\n", t, QFileInfo(tars).size() / 1e6);
    std::printf("  arány: %.2f  (cél: ≤ 1,00)\n", s / t);
    QFile::remove(sajat);
    QFile::remove(tars);
    if (!ep) return 1;
    return s <= t ? 0 : 2;
}
