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
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Futas {
    double mp = 0;
    bool ok = false;
};

// Runs a program to its end in folder `hol`, its output thrown away.
Futas futtat(const QStringList& parancs, const QString& hol = QString())
{
    QList<QByteArray> args;
    for (const QString& a : parancs) args << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray holUt = hol.toLocal8Bit();
    std::fflush(nullptr);
    QElapsedTimer t;
    t.start();
    const pid_t p = fork();
    if (p < 0) return {};
    if (p == 0) {
        if (!holUt.isEmpty() && chdir(holUt.constData()) != 0) _exit(126);
        const int fd = open("/dev/null", O_WRONLY);
        if (fd >= 0) dup2(fd, 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int allapot = 0;
    waitpid(p, &allapot, 0);
    return {t.nsecsElapsed() / 1e9, WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0};
}

// The data folder, built once and then copied, in a child process: the
// builder opens the session, which this process must not hold.
bool adatElokeszit(const QString& mappa, const QString& munka, const BenchAdat::Meret& m, bool ujra)
{
    std::fflush(nullptr);
    const pid_t gyerek = fork();
    if (gyerek < 0) return false;
    if (gyerek == 0) {
        int argc = 1;
        char nev[] = "bench_archiv-adat";
        char* argv[] = {nev, nullptr};
        QCoreApplication app(argc, argv);
        QString hiba;
        bool ok = BenchAdat::elokeszit(mappa, m, ujra, &hiba) && BenchAdat::munkapeldany(mappa, munka, &hiba);
        if (!ok) std::fprintf(stderr, "%s\n", qPrintable(hiba));
        std::fflush(nullptr);
        _exit(ok ? 0 : 1);
    }
    int allapot = 0;
    waitpid(gyerek, &allapot, 0);
    return WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool ujra = false;
    QString mappa = QStringLiteral("/tmp/kazettora-bench-1m");
    QString program;
    BenchAdat::Meret meret;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--rebuild")) ujra = true;
        else if (!std::strcmp(a, "--mappa") && i + 1 < argc) mappa = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(a, "--tetelek") && i + 1 < argc) meret.tetelek = std::atoi(argv[++i]);
        else if (!std::strcmp(a, "--kazettora") && i + 1 < argc) program = QString::fromLocal8Bit(argv[++i]);
        else {
            std::fprintf(stderr, "használat: %s [--rebuild] [--mappa DIR] [--tetelek N] [--kazettora PATH]\n", argv[0]);
            return 64;
        }
    }
    const QString munka = mappa + QStringLiteral("-archiv");
    if (!adatElokeszit(mappa, munka, meret, ujra)) {
        std::fprintf(stderr, "az adatmappa nem készült el\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/../kazettora");
    if (!QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "a program nem található: %s (--kazettora)\n", qPrintable(program));
        return 1;
    }
    const QString adat = munka + QStringLiteral("/Data");
    const QString sajat = QDir::temp().filePath(QStringLiteral("bench_archiv-kazettora.zip"));
    const QString tars = QDir::temp().filePath(QStringLiteral("bench_archiv-zip.zip"));
    const QStringList sajatParancs = {program, "--program-dir", munka, "--archive", sajat};
    // zip adds to an existing archive: each run starts without one.
    const QStringList tarsParancs = {"zip", "-1", "-r", "-q", tars, "."};

    std::printf("terhelés: %s\n", qPrintable(BenchAdat::terheles()));
    QFile::remove(tars);
    // Once each, untimed: the folder in the page cache for both.
    if (!futtat(tarsParancs, adat).ok || !futtat(sajatParancs).ok) {
        std::fprintf(stderr, "egy futás nem sikerült\n");
        return 1;
    }
    QList<double> sajatIdo, tarsIdo;
    for (int i = 0; i < 3; ++i) {
        QFile::remove(tars);
        const Futas s = futtat(sajatParancs);
        const Futas t = futtat(tarsParancs, adat);
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
    std::printf("\nAz adatmappa archívuma, %d tétel, %.1f MB adatmappa (medián, egész folyamatok):\n", meret.tetelek,
                QFileInfo(adat + "/kazettora.db").size() / 1e6);
    std::printf("  kazettora --archive   %.2f s  %6.1f MB zip\n", s, QFileInfo(sajat).size() / 1e6);
    std::printf("  zip -1 -r             %.2f s  %6.1f MB zip\n", t, QFileInfo(tars).size() / 1e6);
    std::printf("  arány: %.2f  (cél: ≤ 1,00)\n", s / t);
    QFile::remove(sajat);
    QFile::remove(tars);
    if (!ep) return 1;
    return s <= t ? 0 : 2;
}
