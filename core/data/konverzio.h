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

// The Hungarian short date ("2026. 12. 10."), as the settings file and the
// grids use it, whoever started the program and in whatever locale.
QString RovidDatum(const QDate& d);
// Reads a date in the form RovidDatum writes and in the forms earlier
// versions wrote under other locales, tried in this fixed order:
//   1. Hungarian, four- or two-digit year: "2026. 12. 10.", "26. 12. 10."
//      (a two-digit year only with the spaces and the final dot)
//   2. ISO: "2026-12-10"
//   3. the C locale's: "10 Dec 2026" (English month abbreviation)
//   4. the US short date, always month first: "12/10/26", "12/10/2026"
// The forms do not overlap, so no text reads in two of them; a slash form
// is never read day first. A two-digit year is 2000-2099. Anything else,
// or a day the calendar does not have, reads as an invalid date.
QDate RovidDatumbol(const QString& s);
// The Hungarian long time format without a time zone ("9:05:07").
QString HosszuIdo(const QTime& t);
