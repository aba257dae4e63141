// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isPlainDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar ch) { return ch >= QLatin1Char('0') && ch <= QLatin1Char('9'); });
}

// Plain digits up to the top while typing: Qt's own validator lets 999 stand
// under a top of 500 and takes the locale's grouping ("1,000"), which the
// calculation would then read as 0. Above the top stands only the count the
// last step wrote.
class PlainIntValidator : public QValidator
{
public:
    PlainIntValidator(int top, QObject *owner)
        : QValidator(owner),
          top(top)
    {
    }

    void setStepped(const QString &count) { stepped = count; }

    State validate(QString &input, int & /* pos */) const override
    {
        if (!isPlainDigits(input))
            return Invalid;
        if (input.isEmpty())
            return Intermediate;
        bool ok = false;
        const int value = input.toInt(&ok);
        if (ok && value <= top)
            return Acceptable;
        return input == stepped ? Intermediate : Invalid;
    }

private:
    const int top;
    QString stepped;
};

// Qt takes Redo and an input method's replacement ranges without holding them
// to the text: a selection can reach outside it, and spaces can be padded in.
// The next key would then land where no cursor is shown, or do nothing. So after
// every change of text, cursor or selection a field is put back inside its text,
// and a text its validator refuses gives way to the last one it took. Moving the
// cursor keeps the undo history; setText, which drops it, is left for what
// nothing else mends.
class FieldGuard : public QObject
{
public:
    explicit FieldGuard(QLineEdit *field)
        : QObject(field),
          field(field),
          allowed(field->text())
    {
        connect(field, &QLineEdit::textChanged, this, &FieldGuard::hold);
        connect(field, &QLineEdit::cursorPositionChanged, this, &FieldGuard::hold);
        connect(field, &QLineEdit::selectionChanged, this, &FieldGuard::hold);
        field->installEventFilter(this);
    }

    // An input method's event can move the selection, or pad the text, with no
    // signal at all; so it is handed on from here and the field held after it.
    bool eventFilter(QObject * /* watched */, QEvent *event) override
    {
        if (event->type() != QEvent::InputMethod || delivering)
            return false;
        delivering = true;
        QCoreApplication::sendEvent(field, event);
        delivering = false;
        hold();
        return true;
    }

private:
    void hold()
    {
        // The repairs below report changes of their own, and an input method's
        // event is held once it is through, not half-way while Qt still checks it.
        if (holding || delivering)
            return;
        holding = true;
        QString text = field->text();
        int pos = field->cursorPosition();
        if (field->validator() && field->validator()->validate(text, pos) == QValidator::Invalid)
            field->setText(allowed);
        else
            allowed = field->text();
        if (!isInside()) {
            moveInside();
            if (!isInside())
                field->setText(field->text());
        }
        holding = false;
    }

    bool isInside() const
    {
        const int cursor = field->cursorPosition();
        if (cursor < 0 || cursor > field->text().size())
            return false;
        if (!field->hasSelectedText())
            return true;
        return field->selectionStart() >= 0 && field->selectionEnd() <= field->text().size();
    }

    void moveInside()
    {
        const int size = int(field->text().size());
        const int cursor = qBound(0, field->cursorPosition(), size);
        int start = cursor;
        int end = cursor;
        if (field->hasSelectedText()) {
            start = qBound(0, field->selectionStart(), size);
            end = qBound(0, field->selectionEnd(), size);
        }
        field->deselect();
        if (start == end)
            field->setCursorPosition(cursor);
        else if (cursor <= start)
            field->setSelection(end, start - end);
        else
            field->setSelection(start, end - start);
    }

    QLineEdit *const field;
    QString allowed;
    bool holding = false;
    bool delivering = false;
};

// A square stepped to about 922 million at 1:1,000,000 pushes the per-ml figure
// past 2^63, where the conversion would be undefined, so it stops at the
// largest double below. The value is never negative: counts and dilutions are positive.
qint64 truncatedToInt64(double value)
{
    constexpr double limit = 0x1p63;
    return value < limit ? qint64(value) : qint64(std::nextafter(limit, 0.0));
}

// slurry x cells per ml leaves 64 bits once a square is stepped to ~92,000 at
// full slurry and dilution, so the product is worked in base-10^9 limbs and
// shown exactly rather than wrapped.
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

// Thousandths of a degree, so that 16.4 reads exactly. White space at either
// end, one sign (U+2212 counts as a minus), ASCII digits and one point or comma;
// digits past the third decimal are dropped. Anything else reads as 0 on every
// Qt: Qt 6's toLongLong stops at a NUL and still reports success.
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

// The gravity as read, written plainly: "+012" shows as 12 and "-.50" as -0.5.
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

// The window made each square's validator and owns it; the line edit hands it back const.
PlainIntValidator *squareValidator(const QLineEdit *square)
{
    return const_cast<PlainIntValidator *>(
            static_cast<const PlainIntValidator *>(square->validator()));
}

QFrame *createRule()
{
    QFrame *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    return rule;
}

} // namespace

MainWindow::MainWindow(QWidget * /* parent */)
    : QMainWindow(nullptr)
{
    QGridLayout *mainGrid = new QGridLayout;
    QGridLayout *countGrid = new QGridLayout;

    for (QLineEdit *&square : squareEdits)
        square = new QLineEdit(QStringLiteral("0"));

    QPushButton *addButton = new QPushButton(tr("Add 1"));
    QPushButton *removeButton = new QPushButton(tr("Remove 1"));

    dilutionCombo = new QComboBox;

    cellsPerMlLabel = new QLabel(QStringLiteral("0"));
    QLabel *cellsPerMlCaption = new QLabel(tr("Cells Per ml:"));
    cellsTotalLabel = new QLabel(QStringLiteral("0"));
    QLabel *cellsTotalCaption = new QLabel(tr("Cells Total:"));
    mlNeededLabel = new QLabel(QStringLiteral("0"));
    mlNeededCaption = new QLabel(tr("ml Needed / Gallon Wort:"));
    slurryEdit = new QLineEdit;
    platoEdit = new QLineEdit;
    platoCaption = new QLabel(tr("Degree Plato:"));

    currentSquare = -1;

    QLabel *dilutionCaption = new QLabel(tr("Dilution 1:X"));

    for (const char *dilution : {"10", "100", "1000", "10000", "100000", "1000000"})
        dilutionCombo->addItem(QLatin1String(dilution));

    mainGrid->addWidget(dilutionCaption, 0, 0);
    mainGrid->addWidget(dilutionCombo, 0, 1);
    QLabel *slurryCaption = new QLabel(tr("Slurry Volume (ml)"));
    slurryEdit->setValidator(new PlainIntValidator(10000, this));
    mainGrid->addWidget(slurryCaption, 1, 0);
    mainGrid->addWidget(slurryEdit, 1, 1);
    mainGrid->addWidget(platoCaption, 2, 0);
    mainGrid->addWidget(platoEdit, 2, 1);
    mainGrid->addWidget(createRule(), 3, 0, 1, 4);
    mainGrid->addWidget(cellsPerMlCaption, 4, 0);
    mainGrid->addWidget(cellsPerMlLabel, 4, 1);
    mainGrid->addWidget(cellsTotalCaption, 5, 0);
    mainGrid->addWidget(cellsTotalLabel, 5, 1);
    mainGrid->addWidget(mlNeededCaption, 6, 0);
    mainGrid->addWidget(mlNeededLabel, 6, 1);
    mainGrid->addWidget(createRule(), 7, 0, 1, 4);

    for (int i = 0; i < 9; ++i)
        countGrid->addWidget(squareEdits[i], i / 3, i % 3);
    for (QLineEdit *square : squareEdits)
        square->installEventFilter(this);
    for (QLineEdit *square : squareEdits)
        square->setValidator(new PlainIntValidator(500, this));
    for (QLineEdit *field : squareEdits)
        new FieldGuard(field);
    new FieldGuard(slurryEdit);
    new FieldGuard(platoEdit);

    // A plain item, not a child layout: with no parent to take a spacing
    // from, the squares sit edge to edge like the chamber's grid.
    mainGrid->addItem(countGrid, 8, 0, 1, 2);
    mainGrid->addWidget(createRule(), 9, 0, 1, 4);
    mainGrid->addWidget(addButton, 10, 0);
    mainGrid->addWidget(removeButton, 10, 1);

    connect(addButton, SIGNAL(clicked()), this, SLOT(addOne()));
    connect(removeButton, SIGNAL(clicked()), this, SLOT(subOne()));

    QWidget *centralWidget = new QWidget;
    centralWidget->setLayout(mainGrid);
    setCentralWidget(centralWidget);
}

MainWindow::~MainWindow() = default;

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < 9; ++i) {
            if (watched == squareEdits[i]) {
                setcurrentSquare(i);
                break;
            }
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Arrows step the square last pressed with the mouse, not the one with focus.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up) {
            qDebug() << "lineEdit -> Qt::Key_Up";
            doMath(1);
        } else if (key == Qt::Key_Down) {
            qDebug() << "lineEdit -> Qt::Key_Down";
            doMath(-1);
        }
    }
    return false;
}

void MainWindow::doMath(int delta)
{
    if (currentSquare < 0)
        return;

    if (currentSquare < 9) {
        QLineEdit *square = squareEdits[currentSquare];
        const qint64 count = qint64(square->text().toInt()) + delta;
        if (count >= 0 && count <= std::numeric_limits<int>::max()) {
            // Told first, so that the validator lets the step's own count stand.
            const QString text = QString::number(count);
            squareValidator(square)->setStepped(text);
            square->setText(text);
        }
    }
    recalculate();
}

void MainWindow::setcurrentSquare(int index)
{
    currentSquare = index;
    qDebug() << "currentSquare = " << currentSquare;
}

void MainWindow::addOne()
{
    doMath(1);
}

void MainWindow::subOne()
{
    doMath(-1);
}

void MainWindow::recalculate()
{
    double countSum = 0.0;
    double chamberVolume = 0.0;
    for (const QLineEdit *square : squareEdits) {
        const int count = square->text().toInt();
        if (count > 0) {
            // Summed, not multiplied: six squares sum to 0.6 but 6 * 0.1 is
            // 0.6000000000000001, so six squares of 1 show 100,000, not 99,999.
            chamberVolume += 0.1;
            countSum += count;
        }
    }
    qDebug() << countSum;

    // Nothing counted means no density at all: show what a fresh window shows.
    if (chamberVolume == 0.0) {
        for (QLabel *label : {cellsPerMlLabel, cellsTotalLabel, mlNeededLabel})
            label->setText(QStringLiteral("0"));
        return;
    }

    const QLocale english(QLocale::English, QLocale::AnyCountry);

    const qint64 dilution = dilutionCombo->currentText().toLongLong();
    const double q = countSum / chamberVolume;
    const double p = double(dilution) * q;
    const double r = p * 1000.0;
    const qint64 cellsPerMl = truncatedToInt64(r);
    qDebug() << cellsPerMl;
    cellsPerMlLabel->setText(english.toString(cellsPerMl));

    const int slurry = slurryEdit->text().toInt();
    cellsTotalLabel->setText(groupedProduct(english, quint64(slurry), quint64(cellsPerMl)));

    // Worked in thousandths of a degree: gravity x 3.8e9 / cellsPerMl is exactly
    // thousandths x 3.8e6 / cellsPerMl. At most 2,147,483,648,999 thousandths keep
    // that product below 8.2e18, inside 64 bits. With a square counted at the
    // lowest dilution cellsPerMl is still at least 99,999.
    const qint64 gravityThousandths = readGravityThousandths(platoEdit->text());
    const qint64 mlNeeded = gravityThousandths * 3800000 / cellsPerMl;
    qDebug() << gravityText(gravityThousandths).constData() << " * " << 1000000 << " * " << 3800
             << " / " << cellsPerMl << " = " << mlNeeded;
    mlNeededLabel->setText(english.toString(mlNeeded));
}
