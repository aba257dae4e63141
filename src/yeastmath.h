// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef YEASTMATH_H
#define YEASTMATH_H

#include <QList>
#include <QString>
#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QLocale;
QT_END_NAMESPACE

// The arithmetic behind the window's three figures, as pure functions of values:
// the counted chamber, cells per ml, the cells in the slurry, the ml per gallon,
// and the gravity as the user typed it. For the values each comment allows, none
// overflows, divides by zero or converts a double out of range; where a figure
// would leave 64 bits, its comment says what it gives instead. Cells per ml is
// worked in doubles in a fixed order, which its figures depend on to the last
// digit (three squares of 1 give 99,999). The caller reads the fields and formats
// the figures; only the exact total comes as text, being too long for 64 bits.
namespace YeastMath {

// The squares counted: those above 0, each adding 0.1 to the volume.
struct Chamber
{
    double countSum = 0.0;
    double volume = 0.0;
};

Chamber countedChamber(const QList<int> &counts);

// Truncated toward zero, and capped at the largest double below 2^63; 0 for a
// chamber with nothing counted. chamber as countedChamber() gives it, dilution
// at least 1.
qint64 cellsPerMl(const Chamber &chamber, qint64 dilution);

// For 1,000,000 cells per ml of wort per degree, 3800 ml to the gallon, cut
// toward zero; 0 where there are no cells. gravityThousandths as
// readGravityThousandths() gives it, cellsPerMl not negative.
qint64 mlPerGallon(qint64 gravityThousandths, qint64 cellsPerMl);

// x * y, exact to all its digits, grouped as locale groups them.
QString groupedProduct(const QLocale &locale, quint64 x, quint64 y);

// True for an empty text, or one of ASCII digits only: no sign, no spaces, no
// other script's digits.
bool isPlainDigits(const QString &text);

// A gravity in thousandths of a degree: white space at either end, one sign
// (U+2212 counts as a minus), digits and one point or comma. Digits, point and
// comma may be ASCII or the full-width forms that Chinese and Japanese input
// methods write, and the ideographic full stop counts as a point. Digits past
// the third decimal are dropped. Anything else, other scripts' digits too, and
// whole degrees beyond 32 bits, read as 0.
qint64 readGravityThousandths(const QString &text);

// thousandths written as the gravity they stand for: 12000 as "12", -500 as "-0.5".
QByteArray gravityText(qint64 thousandths);

} // namespace YeastMath

#endif
