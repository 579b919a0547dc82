#pragma once
// Null-tolerant reading of field values: an empty field reads as empty text or 0.
#include <QString>
#include <QVariant>

QString VarSzoveg(const QVariant& v);
int VarEgesz(const QVariant& v);
double VarValos(const QVariant& v);

// Money as every window and report shows it: whole forints grouped by three
// with spaces ("### ### ##0": 1234567 -> "1 234 567"); a value that is not a
// finite number shows as 0.
QString FtMaszk(double osszeg);
