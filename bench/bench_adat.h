#pragma once
// Big data folders for the benchmarks: a program folder whose database holds
// the delivered reference data plus as many generated items, customers,
// history rows and cash rows as asked for. A folder once built is reused by
// later runs that ask for the same sizes.
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace BenchAdat {

struct Meret {
    int tetelek = 1'000'000;     // video rows, codes 1..tetelek
    int ugyfelek = 20'000;       // ugyfel rows, codes 1..ugyfelek
    qint64 tortenet = 0;         // older ugyfel_video rows, besides one per item out
    qint64 cassa = 0;           // cassa rows, running balance kept
    double kintArany = 0.02;     // share of items out on rental
    double lejartArany = 0.3;    // share of the items out that are overdue
    quint32 mag = 20260314;      // seed: the same sizes give the same data

    // One line naming every figure; a folder is reused only when it matches.
    QString leiras() const;
};

// Makes `programMappa` a program folder (Data/kazettora.db, Archiv) with the
// data of `m`. A folder built earlier with the same sizes is kept unless
// `ujra`; it is built beside the target and renamed into place, so an
// interrupted run never leaves a half-made folder to be reused. Refuses to
// replace a folder it did not build. Progress goes to stderr.
bool elokeszit(const QString& programMappa, const Meret& m, bool ujra, QString* hiba);

// Makes `munkaMappa` a program folder holding a copy of the database of
// `programMappa` (built by elokeszit), flushed to the disk before it returns.
// A benchmark that writes works on the copy: the built folder stays as it
// was, every run starts from the same data, and the copy's write-back does
// not fall into the commits it times. Replaces a copy made earlier; refuses
// to replace a folder it did not make.
bool munkapeldany(const QString& programMappa, const QString& munkaMappa, QString* hiba);

// Writes Kazettora.ini of the program folder: a window of the given size at
// 0,0, not full screen, the data folder inside the program folder.
bool beallitasIr(const QString& programMappa, int szeles, int magas, QString* hiba);

// Title of the generated item with code `azon` for the sizes of `m` (the
// same text the folder holds), so that a benchmark can type a prefix that
// exists.
QString cim(const Meret& m, int azon);

// Peak resident memory of this process so far, in megabytes.
double csucsMemoriaMB();

// Timing: wall-clock time and the processor time this program spent. On a
// busy machine the wall time also holds the waits behind other programs and
// for the disk; the processor time does not.
double ms(qint64 ns);
qint64 processzorIdo();
struct Ido {
    double fal = 0, cpu = 0;
};
// The median of the figures (the mean of the middle two for an even count).
double median(QList<double> v);
// The load average of the machine ("1 5 15 minutes"), printed beside the figures.
QString terheles();

// One whole program run to its end.
struct Futas {
    double mp = 0;       // wall seconds
    double cpu = 0;      // user + system seconds
    double memMB = 0;    // peak resident memory of the process
    bool ok = false;     // exited with 0
};
// Runs `parancs` (the program found on PATH as a shell would) to its end:
// its standard output into the file `ki` when given, else thrown away; in
// the folder `hol` when given. The clock runs from the fork to the wait.
Futas futtat(const QStringList& parancs, const QString& ki = QString(), const QString& hol = QString());

// Runs `munka` in a child process of its own, with a QCoreApplication named
// `nev`, and says whether it succeeded; its error goes to stderr. Building a
// data folder takes far more memory than what a benchmark measures, and it
// opens a database session that the measuring process must not hold.
bool gyerekben(const char* nev, const std::function<bool(QString* hiba)>& munka);

// The options of the benchmarks that time the program itself on a built
// data folder: [--rebuild] [--mappa DIR] [--tetelek N] [--kazettora PATH].
struct ProgramOpciok {
    bool ujra = false;
    QString mappa = QStringLiteral("/tmp/kazettora-bench-1m");
    QString program;     // empty: the one built beside the benchmarks
    Meret meret;
};
// Reads them; false, with the usage on stderr, for anything else.
bool programOpciok(int argc, char** argv, ProgramOpciok* o);

// The program to time: `megadott`, or else the one built beside the
// benchmarks. Empty, with the reason on stderr, where it cannot be run.
// Wants the QCoreApplication.
QString kazettoraProgram(const QString& megadott);

class Stopper {
public:
    Stopper() { indit(); }
    void indit();
    Ido most() const;
private:
    QElapsedTimer m_fal;
    qint64 m_cpu = 0;
};

} // namespace BenchAdat
