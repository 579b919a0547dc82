#pragma once
// Fixture files of the tests.
#include <QByteArray>
#include <QProcess>
#include <QString>

// Writes `tartalom` as the whole file `fajl`, its folder made when missing;
// stops the test program when it cannot (a fixture that is not there).
// Returns `fajl`, for a call that names the file it passes on.
QString FajlIr(const QString& fajl, const QByteArray& tartalom);

// The number of a process that has ended (a leftover's owner that is gone).
QString HalottFolyamat();

// A process that runs while this lives (a leftover's owner still at work).
class EloFolyamat {
public:
    EloFolyamat();
    ~EloFolyamat();
    QString szam() const { return m_szam; }
private:
    QProcess m_p;
    QString m_szam;
};
