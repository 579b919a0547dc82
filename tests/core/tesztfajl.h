#pragma once
// Fixture files of the tests.
#include <QByteArray>
#include <QString>

// Writes `tartalom` as the whole file `fajl`, its folder made when missing;
// stops the test program when it cannot (a fixture that is not there).
void FajlIr(const QString& fajl, const QByteArray& tartalom);
