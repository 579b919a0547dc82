#pragma once
// Null-tolerant reading of field values: an empty field reads as empty text or 0.
#include <QString>
#include <QVariant>

QString VarSzoveg(const QVariant& v);
int VarEgesz(const QVariant& v);
double VarValos(const QVariant& v);
