// SPDX-License-Identifier: GPL-3.0-or-later
#include "plainintvalidator.h"

#include "yeastmath.h"

PlainIntValidator::PlainIntValidator(int top, QObject *parent)
    : QValidator(parent),
      top(top)
{
}

void PlainIntValidator::setStepped(const QString &count)
{
    stepped = count;
}

QValidator::State PlainIntValidator::validate(QString &input, int & /* pos */) const
{
    if (!YeastMath::isPlainDigits(input))
        return Invalid;
    if (input.isEmpty())
        return Intermediate;
    bool ok = false;
    const int value = input.toInt(&ok);
    if (ok && value <= top)
        return Acceptable;
    return input == stepped ? Intermediate : Invalid;
}
