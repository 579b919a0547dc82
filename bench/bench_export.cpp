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
#include "core/reports/hatarolt.h"
#include "core/data/adatbazis.h"
#include "core/data/beallitas.h"
#include "core/reports/listaexport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstdio>

namespace {

using BenchAdat::Futas;
using BenchAdat::futtat;

bool adatElokeszit(const QString& mappa, const BenchAdat::Meret& m, bool ujra)
{
    return BenchAdat::gyerekben("bench_export-adat", [&](QString* hiba) {
        bool ok = BenchAdat::elokeszit(mappa, m, ujra, hiba);
        if (ok && !QFileInfo::exists(mappa + "/Kazettora.ini")) ok = BenchAdat::beallitasIr(mappa, 1280, 960, hiba);
        return ok;
    });
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
    BenchAdat::ProgramOpciok o;
    if (!BenchAdat::programOpciok(argc, argv, &o)) return 64;
    if (!adatElokeszit(o.mappa, o.meret, o.ujra)) {
        std::fprintf(stderr, "az adatmappa nem készült el\n");
        return 1;
    }

    // Both runs of the program (its own process and the check here) write
    // dates and numbers the Hungarian way.
    qputenv("LC_ALL", "hu_HU.UTF-8");
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    const QString program = BenchAdat::kazettoraProgram(o.program);
    if (program.isEmpty()) return 1;
    const QString db = o.mappa + QStringLiteral("/Data/kazettora.db");
    const QString sajat = QDir::temp().filePath(QStringLiteral("bench_export-kazettora.csv"));
    const QString tars = QDir::temp().filePath(QStringLiteral("bench_export-sqlite3.csv"));
    const QStringList sajatParancs = {program, "--program-dir", o.mappa, "--export", "video", sajat};
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
        ProgramUtvonalBeallit(o.mappa);
        QString hiba;
        if (!Adatbazis::nyit(o.mappa + QStringLiteral("/Data"), &hiba, Adatbazis::Nyitas::Mellette)) {
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
    if (sorok != o.meret.tetelek + 1) {
        std::fprintf(stderr, "HIBA: %lld sor a fájlban, %d tétel + fejléc várva\n", static_cast<long long>(sorok),
                     o.meret.tetelek);
        ++hibak;
    }

    const double s = BenchAdat::median(sajatIdo), t = BenchAdat::median(tarsIdo);
    std::printf("\nTételek exportja, %d tétel, minden mező (medián, egész folyamatok):\n", o.meret.tetelek);
    std::printf("  kazettora --export video   %.2f s  %6.1f MB fájl  csúcsmemória %.0f MB\n", s,
                QFileInfo(sajat).size() / 1e6, csucs);
    std::printf("  sqlite3 -csv               %.2f s  %6.1f MB fájl\n", t, QFileInfo(tars).size() / 1e6);
    std::printf("  arány: %.2f  (cél: ≤ 1,00; memória cél: < 100 MB)\n", s / t);
    QFile::remove(sajat);
    QFile::remove(tars);
    if (hibak) return 1;
    return (s <= t && csucs < 100) ? 0 : 2;
}
