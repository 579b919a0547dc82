#pragma once
// Null-tolerant reading of field values: an empty field reads as empty text or 0.
#include <QString>
#include <QVariant>

class QDate;
class QTime;

QString VarSzoveg(const QVariant& v);
int VarEgesz(const QVariant& v);
// A value that is no finite number (inf, nan) reads as 0 as well.
double VarValos(const QVariant& v);

// Money as every window and report shows it: whole forints grouped by three
// with spaces ("### ### ##0": 1234567 -> "1 234 567"); a value that is not a
// finite number shows as 0.
QString FtMaszk(double osszeg);

// The largest sum of money (either sign) a price, a payment, a total or a
// running balance may reach: beyond it a number is a slip of the finger or
// an overflow, never a real amount in a video shop.
inline constexpr double PenzHatar = 1e12;
// A finite amount within ±PenzHatar.
bool PenzErvenyes(double v);
// The refusal of a number that is not one, or that is out of its field's range.
inline constexpr const char* NemMegfeleloErtek = "Nem megfelelő érték.";

// Text length as the tables count it: characters (code points), so that a
// character outside the Basic Multilingual Plane (an emoji) counts as one.
qsizetype KarakterSzam(const QString& s);
// The first n characters, never splitting a surrogate pair.
QString KarakterEleje(const QString& s, qsizetype n);

// The system short date format, as the settings file and the grids use it.
QString RovidDatum(const QDate& d);
QDate RovidDatumbol(const QString& s);
// The system long time format without a time zone.
QString HosszuIdo(const QTime& t);
