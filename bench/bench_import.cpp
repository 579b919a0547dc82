// The command line's item import of a 100,000-line file beside the engine's
// own importer reading the same file into a bare table, as whole processes,
// side by side, alternating, median of three:
//
//   kazettora --program-dir DIR --import FILE          (a fresh set-up each round)
//   sqlite3 DB ".separator ;" ".import --skip 1 FILE t"  (a fresh bare table each round)
//
// The file is UTF-8 with accented titles, prices with a space between the
// thousands and a decimal comma, lines ending in ";" as the sample does.
//
//   bench_import [--sorok N] [--kazettora PATH] [--1250]
//
// Exit code 0: ours at least half as fast as the peer (time ≤ 2 × its time);
// 2: the target missed; 1: a run failed or the rows stored differ.
#include "bench/bench_adat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <cstdio>
#include <cstring>

namespace {

using BenchAdat::Futas;
using BenchAdat::futtat;

const char* const Cimek[] = {"Hófehérke", "Árvíztűrő tükörfúrógép", "A kőszívű ember fiai", "Üvegtigris",
                             "Macskafogó", "Egri csillagok", "Szerelmes földrajz", "Keresztapa"};

bool fajlKeszit(const QString& fajl, int sorok, bool cp1250)
{
    QFile f(fajl);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QRandomGenerator rnd(20261210);
    QByteArray b;
    b.reserve(sorok * 64);
    b += "kód;tipus;arkat;cím;szöveg;mufaj;beszar;\r\n";
    for (int i = 1; i <= sorok; ++i) {
        const int ar = 500 + int(rnd.bounded(9500));
        b += QStringLiteral("%1;%2;%3;%4 %5;%6. példány;%7;%8 %9,5;\r\n")
                 .arg(100000 + i)
                 .arg(1 + rnd.bounded(3))
                 .arg(1 + rnd.bounded(4))
                 .arg(QString::fromUtf8(Cimek[rnd.bounded(int(std::size(Cimek)))]))
                 .arg(i)
                 .arg(1 + rnd.bounded(5))
                 .arg(1 + rnd.bounded(12))
                 .arg(ar / 1000)
                 .arg(ar % 1000, 3, 10, QLatin1Char('0'))
                 .toUtf8();
    }
    if (cp1250) {
        // Through iconv, as a file from an old program would come.
        QProcess p;
        p.start("iconv", {"-f", "UTF-8", "-t", "WINDOWS-1250"});
        p.write(b);
        p.closeWriteChannel();
        if (!p.waitForFinished(60000) || p.exitCode() != 0) return false;
        b = p.readAllStandardOutput();
    }
    return f.write(b) == b.size();
}

QString olvas(const QString& fajl)
{
    QFile f(fajl);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

} // namespace

int main(int argc, char** argv)
{
    int sorok = 100'000;
    bool cp1250 = false;
    QString program;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (!std::strcmp(a, "--sorok") && i + 1 < argc) sorok = std::atoi(argv[++i]);
        else if (!std::strcmp(a, "--kazettora") && i + 1 < argc) program = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(a, "--1250")) cp1250 = true;
        else {
            std::fprintf(stderr, "használat: %s [--sorok N] [--kazettora PATH] [--1250]\n", argv[0]);
            return 64;
        }
    }
    qputenv("LC_ALL", "hu_HU.UTF-8");
    QCoreApplication app(argc, argv);
    program = BenchAdat::kazettoraProgram(program);
    if (program.isEmpty()) return 1;
    const QString munka = QDir::temp().filePath(QStringLiteral("bench_import"));
    QDir(munka).removeRecursively();
    QDir().mkpath(munka);
    const QString fajl = munka + QStringLiteral("/tetelek.csv");
    if (!fajlKeszit(fajl, sorok, cp1250)) {
        std::fprintf(stderr, "a bemeneti fájl nem készült el\n");
        return 1;
    }
    const QString mappa = munka + QStringLiteral("/kazettora");
    const QString db = munka + QStringLiteral("/tars.db");
    const QString ki = munka + QStringLiteral("/ki.txt");

    // Untimed before each run: an empty item table, an empty bare table.
    const auto sajatElo = [&] {
        QDir(mappa).removeRecursively();
        return futtat({program, "--program-dir", mappa, "--setup"}).ok;
    };
    const auto tarsElo = [&] {
        QFile::remove(db);
        return futtat({"sqlite3", db, "CREATE TABLE t(kod, tipus, arkat, cim, szoveg, mufaj, beszar, ures)"}).ok;
    };
    const QStringList sajatParancs = {program, "--program-dir", mappa, "--import", fajl};
    const QStringList tarsParancs = {"sqlite3", db, ".separator ;", ".import --skip 1 " + fajl + " t"};

    std::printf("terhelés: %s\n", qPrintable(BenchAdat::terheles()));
    // Once each, untimed: the file and both programs in the page cache.
    if (!sajatElo() || !futtat(sajatParancs).ok || !tarsElo() || !futtat(tarsParancs).ok) {
        std::fprintf(stderr, "egy futás nem sikerült\n");
        return 1;
    }
    QList<double> sajatIdo, tarsIdo;
    double csucs = 0;
    int hibak = 0;
    for (int i = 0; i < 3; ++i) {
        if (!sajatElo() || !tarsElo()) {
            std::fprintf(stderr, "az előkészítés nem sikerült\n");
            return 1;
        }
        const Futas s = futtat(sajatParancs, ki);
        const Futas t = futtat(tarsParancs);
        if (!s.ok || !t.ok) {
            std::fprintf(stderr, "egy futás nem sikerült\n");
            return 1;
        }
        const QString vart = QStringLiteral("%1 tétel importálva (%2)").arg(sorok).arg(cp1250 ? "Windows-1250" : "UTF-8");
        if (olvas(ki) != vart) {
            std::fprintf(stderr, "HIBA: a program kimenete „%s”, várt: „%s”\n", qPrintable(olvas(ki)), qPrintable(vart));
            ++hibak;
        }
        futtat({"sqlite3", db, "SELECT COUNT(*) FROM t"}, ki);
        if (olvas(ki) != QString::number(sorok)) {
            std::fprintf(stderr, "HIBA: sqlite3 %s sort töltött be\n", qPrintable(olvas(ki)));
            ++hibak;
        }
        sajatIdo << s.mp;
        tarsIdo << t.mp;
        csucs = std::max(csucs, s.memMB);
        std::printf("  %d. kör: kazettora %.2f s (%.2f s CPU, %.0f MB), sqlite3 .import %.2f s (%.2f s CPU)\n", i + 1,
                    s.mp, s.cpu, s.memMB, t.mp, t.cpu);
    }
    // What ours stored: the last line as the window would store it.
    futtat({"sqlite3", mappa + "/Data/kazettora.db",
            "SELECT COUNT(*) || '|' || MAX(azon) || '|' || MIN(beszar) FROM video"},
           ki);
    std::printf("  tárolva: %s (darab|legnagyobb kód|legkisebb ár)\n", qPrintable(olvas(ki)));

    const double s = BenchAdat::median(sajatIdo), t = BenchAdat::median(tarsIdo);
    std::printf("\nTételek importja, %d sor, %s (medián, egész folyamatok):\n", sorok, cp1250 ? "Windows-1250" : "UTF-8");
    std::printf("  kazettora --import        %.2f s  csúcsmemória %.0f MB\n", s, csucs);
    std::printf("  sqlite3 .import           %.2f s  (csupasz tábla, index nélkül)\n", t);
    std::printf("  arány: %.2f  (cél: ≤ 2,00, azaz legalább fele olyan gyors)\n", s / t);
    QDir(munka).removeRecursively();
    if (hibak) return 1;
    return s <= 2 * t ? 0 : 2;
}
