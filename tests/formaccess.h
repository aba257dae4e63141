#ifndef FORMACCESS_H
#define FORMACCESS_H

#include "mainwindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QtTest>

#include <utility>

// One text for each of the nine squares (Qt 5's QStringList has no fill constructor).
inline QStringList nineOf(const QString &text)
{
    QStringList texts;
    for (int i = 0; i < 9; ++i)
        texts << text;
    return texts;
}

// Reaches the widgets the way a user finds them: by their place in the form.
class Form
{
public:
    explicit Form(MainWindow &window)
        : grid(qobject_cast<QGridLayout *>(window.centralWidget()->layout()))
    {
    }

    QWidget *at(int row, int column) const { return grid->itemAtPosition(row, column)->widget(); }

    QComboBox *dilution() const { return qobject_cast<QComboBox *>(at(0, 1)); }
    QLineEdit *slurry() const { return qobject_cast<QLineEdit *>(at(1, 1)); }
    QLineEdit *gravity() const { return qobject_cast<QLineEdit *>(at(2, 1)); }
    QLineEdit *square(int index) const
    {
        auto *countGrid = qobject_cast<QGridLayout *>(grid->itemAtPosition(8, 0)->layout());
        return qobject_cast<QLineEdit *>(countGrid->itemAtPosition(index / 3, index % 3)->widget());
    }
    QPushButton *addButton() const { return qobject_cast<QPushButton *>(at(10, 0)); }
    QPushButton *removeButton() const { return qobject_cast<QPushButton *>(at(10, 1)); }

    QStringList squares() const
    {
        QStringList texts;
        for (int i = 0; i < 9; ++i)
            texts << square(i)->text();
        return texts;
    }
    // cells per ml, cells total, ml needed
    QStringList results() const
    {
        QStringList texts;
        for (int row : {4, 5, 6})
            texts << qobject_cast<QLabel *>(at(row, 1))->text();
        return texts;
    }

    // Replaces a field's text by typing, so the validator has its say.
    static void type(QLineEdit *edit, const QString &keys)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    }

    // A mouse press on a square, the way the user selects it.
    void press(int index, Qt::MouseButton button = Qt::LeftButton) const
    {
        QTest::mousePress(square(index), button);
        QTest::mouseRelease(square(index), button);
    }

    // Counts as typing or stepping leaves them, then one step down and back up
    // on a counted square so that the window recalculates with exactly these.
    void recalculateWith(const QString &dilutionText, const QString &slurryText,
                         const QString &gravityText, const QStringList &counts) const
    {
        dilution()->setCurrentIndex(dilution()->findText(dilutionText));
        type(slurry(), slurryText);
        type(gravity(), gravityText);
        int counted = -1;
        for (int i = 0; i < 9; ++i) {
            square(i)->setText(counts.value(i, QStringLiteral("0")));
            if (counted < 0 && square(i)->text().toInt() > 0)
                counted = i;
        }
        press(qMax(counted, 0));
        QTest::mouseClick(removeButton(), Qt::LeftButton);
        if (counted >= 0)
            QTest::mouseClick(addButton(), Qt::LeftButton);
    }

    QGridLayout *grid;
};

// Collects everything written to the debug channel while it lives.
class MessageLog
{
public:
    MessageLog()
    {
        collected.clear();
        previous = qInstallMessageHandler(&MessageLog::collect);
    }
    ~MessageLog() { qInstallMessageHandler(previous); }
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList take() { return std::exchange(collected, {}); }

private:
    static void collect(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        collected.append(message);
    }

    static inline QStringList collected;
    QtMessageHandler previous;
};

#endif
