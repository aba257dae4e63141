// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef YEASTMATH_H
#define YEASTMATH_H

#include <QString>
#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QLocale;
QT_END_NAMESPACE

// The arithmetic behind the window's three figures, as pure functions of values.
// None of them can overflow or divide by zero, whatever they are given; each
// states where it gives way to a bound instead.
namespace YeastMath {

// True for an empty text, or one of ASCII digits only: no sign, no spaces, no
// other script's digits.
bool isPlainDigits(const QString &text);

// value truncated toward zero; from 2^63 on, the largest double below it.
// value must not be negative or NaN.
qint64 truncatedToInt64(double value);

// x * y, exact to all its digits, grouped as locale groups them.
QString groupedProduct(const QLocale &locale, quint64 x, quint64 y);

// A gravity in thousandths of a degree: white space at either end, one sign
// (U+2212 counts as a minus), ASCII digits and one point or comma. Digits past
// the third decimal are dropped. Anything else, and whole degrees beyond 32
// bits, read as 0.
qint64 readGravityThousandths(const QString &text);

// thousandths written as the gravity they stand for: 12000 as "12", -500 as "-0.5".
QByteArray gravityText(qint64 thousandths);

} // namespace YeastMath

#endif
