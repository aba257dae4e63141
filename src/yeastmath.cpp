// SPDX-License-Identifier: GPL-3.0-or-later
#include "yeastmath.h"

#include <QByteArray>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// value truncated toward zero; from 2^63 on, the largest double below it.
// value must not be negative or NaN.
qint64 truncatedToInt64(double value)
{
    constexpr double limit = 0x1p63;
    return value < limit ? qint64(value) : qint64(std::nextafter(limit, 0.0));
}

// The digits and points that Chinese and Japanese input methods write in their
// full-width modes, as the ASCII they stand for; everything else as it is.
QString asAscii(QString text)
{
    for (QChar &ch : text) {
        const char16_t code = ch.unicode();
        if (code >= 0xFF10 && code <= 0xFF19)
            ch = QLatin1Char(char('0' + (code - 0xFF10)));
        else if (code == 0xFF0E || code == 0x3002)
            ch = QLatin1Char('.');
        else if (code == 0xFF0C)
            ch = QLatin1Char(',');
    }
    return text;
}

} // namespace

namespace YeastMath {

Chamber countedChamber(const QList<int> &counts)
{
    Chamber chamber;
    for (const int count : counts) {
        if (count > 0) {
            // Summed, not multiplied: six squares sum to 0.6 but 6 * 0.1 is
            // 0.6000000000000001, so six squares of 1 show 100,000, not 99,999.
            chamber.volume += 0.1;
            chamber.countSum += count;
        }
    }
    return chamber;
}

// The steps stay in this order, each rounded to double: three squares of 1 come
// to 3 / 0.30000000000000004 x 10 x 1000 = 99999.99999999999, shown as 99,999.
// A square stepped to about 922 million at 1:1,000,000 passes 2^63, hence the cap.
qint64 cellsPerMl(const Chamber &chamber, qint64 dilution)
{
    if (chamber.volume == 0.0)
        return 0;
    const double q = chamber.countSum / chamber.volume;
    const double p = double(dilution) * q;
    const double r = p * 1000.0;
    return truncatedToInt64(r);
}

// Worked in thousandths of a degree: gravity x 3.8e9 / cellsPerMl is exactly
// thousandths x 3.8e6 / cellsPerMl. At most 2,147,483,648,999 thousandths keep
// that product below 8.2e18, inside 64 bits. With a square counted at the
// lowest dilution cellsPerMl is at least 99,999.
qint64 mlPerGallon(qint64 gravityThousandths, qint64 cellsPerMl)
{
    return cellsPerMl == 0 ? 0 : gravityThousandths * 3800000 / cellsPerMl;
}

bool isPlainDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); });
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
    QString number = asAscii(text).trimmed();
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
