#pragma once
// Helpers for delimited text and numbers typed by people.
#include <QString>
#include <QVariant>

QString MezoKiemel(QChar elvalaszto, const QString& sor, int n);
QString KarakterCsere(const QVariant& ertek, QChar regi, QChar uj);
QString SzokozNelkul(const QString& s);
double SzovegValos(const QString& s);
int SzovegEgesz(const QString& s);

// Reads a number the way the number dialog does: spaces removed, the
// system decimal separator. ok tells whether it read as a finite number
// (infinity, "nan" and overflows do not; they give 0).
double SzamOlvas(const QString& s, bool* ok);
// A number in general format, up to 15 significant digits, system separator.
QString SzamIr(double v);
