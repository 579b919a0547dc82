// The command line's item export at a million items beside the engine's own
// CSV writer, as whole processes, side by side, alternating, median of three:
//
//   kazettora --program-dir DIR --export video FILE
//   sqlite3 -csv DIR/Data/kazettora.db "select * from video order by azon" > FILE
//
// and the peak memory of ours. The first rows of our file are checked
// against what the export window writes for the same list.
//
//   bench_export [--rebuild] [--mappa DIR] [--tetelek N] [--kazettora PATH]
//
// Exit code 0: ours at least as fast and its memory flat (< 100 MB);
// 2: a target missed; 1: a run failed or the bytes differ.
#include "bench/bench_adat.h"
#include "common/hatarolt.h"
#include "data/adatbazis.h"
#include "data/beallitas.h"
#include "reports/listaexport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Futas {
    double mp = 0;       // wall seconds
    double memMB = 0;    // peak resident memory of the process
    bool ok = false;
};

// Runs a program to its end, its standard output into `ki` when given.
Futas futtat(const QStringList& parancs, const QString& ki = QString())
{
    QList<QByteArray> args;
    for (const QString& a : parancs) args << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray kiUt = ki.toLocal8Bit();
    std::fflush(nullptr);
    QElapsedTimer t;
    t.start();
    const pid_t p = fork();
    if (p < 0) return {};
    if (p == 0) {
        const int fd = open(kiUt.isEmpty() ? "/dev/null" : kiUt.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) dup2(fd, 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int allapot = 0;
    rusage r{};
    wait4(p, &allapot, 0, &r);
    Futas f;
    f.mp = t.nsecsElapsed() / 1e9;
    f.memMB = r.ru_maxrss / 1024.0;
    f.ok = WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0;
    return f;
}

bool adatElokeszit(const QString& mappa, const BenchAdat::Meret& m, bool ujra)
{
    std::fflush(nullptr);
    const pid_t gyerek = fork();
    if (gyerek < 0) return false;
    if (gyerek == 0) {
        int argc = 1;
        char nev[] = "bench_export-adat";
        char* argv[] = {nev, nullptr};
        QCoreApplication app(argc, argv);
        QString hiba;
        bool ok = BenchAdat::elokeszit(mappa, m, ujra, &hiba);
        if (ok && !QFileInfo::exists(mappa + "/Kazettora.ini")) ok = BenchAdat::beallitasIr(mappa, 1280, 960, &hiba);
        if (!ok) std::fprintf(stderr, "%s\n", qPrintable(hiba));
        std::fflush(nullptr);
        _exit(ok ? 0 : 1);
    }
    int allapot = 0;
    waitpid(gyerek, &allapot, 0);
    return WIFEXITED(allapot) && WEXITSTATUS(allapot) == 0;
}

qint64 sorokSzama(const QString& fajl)
{
    QFile f(fajl);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    qint64 n = 0;
    QByteArray b;
    while (!(b = f.read(1 << 20)).isEmpty()) n += b.count('\n');
    return n;
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
    if (!adatElokeszit(mappa, meret, ujra)) {
        std::fprintf(stderr, "az adatmappa nem készült el\n");
        return 1;
    }

    // Both runs of the program (its own process and the check here) write
    // dates and numbers the Hungarian way.
    qputenv("LC_ALL", "hu_HU.UTF-8");
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    if (program.isEmpty()) program = QCoreApplication::applicationDirPath() + QStringLiteral("/../kazettora");
    if (!QFileInfo(program).isExecutable()) {
        std::fprintf(stderr, "a program nem található: %s (--kazettora)\n", qPrintable(program));
        return 1;
    }
    const QString db = mappa + QStringLiteral("/Data/kazettora.db");
    const QString sajat = QDir::temp().filePath(QStringLiteral("bench_export-kazettora.csv"));
    const QString tars = QDir::temp().filePath(QStringLiteral("bench_export-sqlite3.csv"));
    const QStringList sajatParancs = {program, "--program-dir", mappa, "--export", "video", sajat};
    const QStringList tarsParancs = {"sqlite3", "-csv", db, "select * from video order by azon"};

    std::printf("terhelés: %s\n", qPrintable(BenchAdat::terheles()));
    // Once each, untimed: the file in the page cache for both.
    if (!futtat(tarsParancs, tars).ok || !futtat(sajatParancs).ok) {
        std::fprintf(stderr, "egy futás nem sikerült\n");
        return 1;
    }
    QList<double> sajatIdo, tarsIdo;
    double csucs = 0;
    for (int i = 0; i < 3; ++i) {
        const Futas s = futtat(sajatParancs);
        const Futas t = futtat(tarsParancs, tars);
        if (!s.ok || !t.ok) {
            std::fprintf(stderr, "egy futás nem sikerült\n");
            return 1;
        }
        sajatIdo << s.mp;
        tarsIdo << t.mp;
        csucs = std::max(csucs, s.memMB);
        std::printf("  %d. kör: kazettora %.2f s (%.0f MB), sqlite3 -csv %.2f s\n", i + 1, s.mp, s.memMB, t.mp);
    }

    // The bytes: the first thousand rows as the export window writes them.
    int hibak = 0;
    {
        ProgramUtvonalBeallit(mappa);
        QString hiba;
        if (!Adatbazis::nyit(mappa + QStringLiteral("/Data"), &hiba, Adatbazis::Nyitas::Mellette)) {
            std::fprintf(stderr, "%s\n", qPrintable(hiba));
            return 1;
        }
        const QString minta = QDir::temp().filePath(QStringLiteral("bench_export-ablak.csv"));
        Hatarolt::Ir(ListaExport::TetelekKodSorrendben(), Hatarolt::Beallitas{}, minta,
                     [](qint64 kesz) { return kesz < 1000; });
        Adatbazis::zar();
        QFile a(minta), b(sajat);
        a.open(QIODevice::ReadOnly);
        b.open(QIODevice::ReadOnly);
        const QByteArray eleje = a.readAll();
        if (eleje.isEmpty() || b.read(eleje.size()) != eleje) {
            std::fprintf(stderr, "HIBA: a parancssori export eleje nem egyezik az ablakéval\n");
            ++hibak;
        }
        QFile::remove(minta);
    }
    const qint64 sorok = sorokSzama(sajat);
    if (sorok != meret.tetelek + 1) {
        std::fprintf(stderr, "HIBA: %lld sor a fájlban, %d tétel + fejléc várva\n", static_cast<long long>(sorok),
                     meret.tetelek);
        ++hibak;
    }

    const double s = BenchAdat::median(sajatIdo), t = BenchAdat::median(tarsIdo);
    std::printf("\nTételek exportja, %d tétel, minden mező (medián, egész folyamatok):\n", meret.tetelek);
    std::printf("  kazettora --export video   %.2f s  %6.1f MB fájl  csúcsmemória %.0f MB\n", s,
                QFileInfo(sajat).size() / 1e6, csucs);
    std::printf("  sqlite3 -csv               %.2f s  %6.1f MB fájl\n", t, QFileInfo(tars).size() / 1e6);
    std::printf("  arány: %.2f  (cél: ≤ 1,00; memória cél: < 100 MB)\n", s / t);
    QFile::remove(sajat);
    QFile::remove(tars);
    if (hibak) return 1;
    return (s <= t && csucs < 100) ? 0 : 2;
}
