#pragma once
// A program run as a whole process for the command-line tests: the program
// built beside the tests (KAZETTORA_PROGRAM, defined for the tests that run
// it) as a scheduled job runs it, or a tool that reads back what it wrote.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct ParancsFutas {
    int kod = -1;        // exit code; -1 for a crash or a run past its limit
    QString ki, hiba;    // standard output and standard error
};

// Runs `program` to its end, at most `hatarMs` long.
inline ParancsFutas Futtat(const QString& program, const QStringList& args,
                           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
                           int hatarMs = 60000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(hatarMs)) return {};
    ParancsFutas f;
    f.kod = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    f.ki = QString::fromLocal8Bit(p.readAllStandardOutput());
    f.hiba = QString::fromLocal8Bit(p.readAllStandardError());
    return f;
}

// A scheduled job's surroundings: no display, no platform asked for, so the
// program must not need one. `futasiMappa`, when given, is where Qt keeps its
// run-time files; set, so that Qt's note about the missing variable does not
// mix with the program's own messages.
inline QProcessEnvironment FeladatKornyezet(const QString& futasiMappa = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!futasiMappa.isEmpty()) env.insert(QStringLiteral("XDG_RUNTIME_DIR"), futasiMappa);
    return env;
}

#ifdef KAZETTORA_PROGRAM
// The program itself, run as a scheduled job runs it.
inline ParancsFutas KazettoraFeladat(const QStringList& args, const QString& futasiMappa = QString(),
                                     int hatarMs = 60000)
{
    return Futtat(QStringLiteral(KAZETTORA_PROGRAM), args, FeladatKornyezet(futasiMappa), hatarMs);
}
#endif
