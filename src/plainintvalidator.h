// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef PLAININTVALIDATOR_H
#define PLAININTVALIDATOR_H

#include <QValidator>

// Takes plain ASCII digits up to a top, and an empty text as a step on the way.
// Stricter than QIntValidator, which lets 999 stand as Intermediate under a top
// of 500 and takes the locale's grouping ("1,000"), which QString::toInt then
// reads as 0. Above the top it takes only the text last given to setStepped(),
// so that a count stepped past the top by a button still stands. It changes
// nothing: no fixup, no locale.
class PlainIntValidator : public QValidator
{
    Q_OBJECT

public:
    PlainIntValidator(int top, QObject *parent);

    void setStepped(const QString &count);

    State validate(QString &input, int &pos) const override;

private:
    const int top;
    QString stepped;
};

#endif
