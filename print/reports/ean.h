#pragma once
// EAN symbols for the labels, encoded by libzint and drawn as vector
// rectangles, so they stay sharp at any printer's resolution: EAN-8 for the
// items, EAN-13 for the customer cards.
#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace Ean8 {

// The eight digits a code is encoded as: padded with zeros on the left to
// seven, then the check digit ("00001" -> "00000017"). Empty when the code
// is not one to seven digits.
QString Tartalom(const QString& kod);

// Draws the bars of the code's symbol filling `hely` (device units): the
// first bar at its left edge, the last at its right, each as high as it.
// Draws nothing and returns false when the code has no EAN-8 symbol
// (empty, not digits, more than seven digits).
bool Rajzol(QPainter& p, const QRectF& hely, const QString& kod, const QColor& szin);

} // namespace Ean8

namespace Ean13 {

// The thirteen digits the symbol carries, as zint read them. Empty unless
// `jegyek` is thirteen digits whose last is the check digit of the first
// twelve: a card's number is made whole by the core, and a wrong one must
// not get bars a scanner would accept.
QString Tartalom(const QString& jegyek);

// As Ean8::Rajzol, for the thirteen digits of an EAN-13 symbol.
bool Rajzol(QPainter& p, const QRectF& hely, const QString& jegyek, const QColor& szin);

} // namespace Ean13
