#pragma once
// The batch commands: work that a scheduled job or a script asks for from the
// command line (export, reports to PDF, archive, import, labels). Each runs
// without a window and through the same code as its window.
//
//     kazettora --program-dir DIR --export video FILE
//
// A command is one option that asks for the work, the options only it reads,
// and the function that does it once the data folder is open.
#include <QCommandLineOption>
#include <QList>
#include <functional>

class QCommandLineParser;

struct KotegeltMunka {
    QCommandLineOption kapcsolo;          // the option that asks for the work: "export"
    QList<QCommandLineOption> opciok;     // its further options ("pdf"); one shared by two works is added once
    // Runs with the settings read and the data folder open (beside a program
    // that may be open at the counter). Returns the exit code: 0 done; else
    // the reason has gone to standard error in Hungarian. Results (a path,
    // a count) go to standard output. AdatbazisHiba thrown is reported and
    // ends the run with 1.
    std::function<int(const QCommandLineParser& p)> futtat;
};

// Every batch command, in the order --help lists them.
const QList<KotegeltMunka>& KotegeltMunkak();

// The work asked for on the command line, or nullptr. Looks at the raw
// arguments, so the caller can decide before any application object exists
// that no display will be needed.
const KotegeltMunka* KotegeltKeres(int argc, char** argv);

// Runs the work: settings file, data folder, the work itself. Messages on
// standard error; returns the exit code.
int KotegeltFuttat(const KotegeltMunka& m, const QCommandLineParser& p);

// A batch command's message on standard error, in the locale's encoding.
void KotegeltHiba(const QString& uzenet);
