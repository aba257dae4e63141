// SPDX-License-Identifier: GPL-3.0-or-later
#include "yeastmath.h"

#include <QByteArray>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace YeastMath {

bool isPlainDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); });
}

// A square stepped to about 922 million at 1:1,000,000 pushes the per-ml figure
// past 2^63, where the conversion would be undefined.
qint64 truncatedToInt64(double value)
{
    constexpr double limit = 0x1p63;
    return value < limit ? qint64(value) : qint64(std::nextafter(limit, 0.0));
}

// slurry x cells per ml leaves 64 bits once a square is stepped to ~92,000 at
// full slurry and dilution, so the product is worked in base-10^9 limbs.
QString groupedProduct(const QLocale &locale, quint64 x, quint64 y)
{
    constexpr quint64 limb = 1000000000;
    const quint64 low = x * (y % limb);
    const quint64 middle = x * (y / limb % limb) + low / limb;
    const quint64 high = x * (y / limb / limb) + middle / limb;
    const quint64 belowHigh = middle % limb * limb + low % limb;

    // 10^18 + belowHigh formats as "1,000,..." with all 18 digits; the 1 is dropped.
    return high == 0 ? locale.toString(belowHigh)
                     : locale.toString(high) + locale.toString(limb * limb + belowHigh).mid(1);
}

// Thousandths, so that 16.4 reads exactly. The rule is checked here rather than
// left to toLongLong: Qt 6's stops at a NUL and still reports success.
qint64 readGravityThousandths(const QString &text)
{
    QString number = text.trimmed();
    const bool negative = number.startsWith(QLatin1Char('-')) || number.startsWith(QChar(0x2212));
    if (negative || number.startsWith(QLatin1Char('+')))
        number.remove(0, 1);
    int point = int(number.indexOf(QLatin1Char('.')));
    if (point < 0)
        point = int(number.indexOf(QLatin1Char(',')));
    const QString whole = point < 0 ? number : number.left(point);
    const QString decimals = point < 0 ? QString() : number.mid(point + 1);
    if (!isPlainDigits(whole) || !isPlainDigits(decimals))
        return 0;
    bool ok = false;
    const qint64 thousandths =
            (whole + decimals.left(3).leftJustified(3, QLatin1Char('0'))).toLongLong(&ok);
    // The whole degrees stay within 32 bits, as a whole number typed alone would.
    const qint64 limit =
            1000 * (qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0)) + 999;
    if (!ok || thousandths > limit)
        return 0;
    return negative ? -thousandths : thousandths;
}

QByteArray gravityText(qint64 thousandths)
{
    const quint64 magnitude = thousandths < 0 ? 0 - quint64(thousandths) : quint64(thousandths);
    QByteArray text = (thousandths < 0 ? "-" : "") + QByteArray::number(magnitude / 1000);
    if (magnitude % 1000 != 0) {
        text += '.' + QByteArray::number(magnitude % 1000).rightJustified(3, '0');
        while (text.endsWith('0'))
            text.chop(1);
    }
    return text;
}

} // namespace YeastMath
