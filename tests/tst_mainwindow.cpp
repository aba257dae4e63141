// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QtTest>
#include <QtWidgets>

// The window's own debug messages; every other message goes on to QtTest's output.
static QStringList messages;
static QtMessageHandler passOn;

class tst_MainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    QGridLayout *form = nullptr;
    QHash<QString, QWidget *> named;

    // What a cell of the form shows: a rule, the dilution chosen, a text, or the squares' counts.
    static QString read(QLayoutItem *cell)
    {
        QStringList counts;
        for (int i = 0; cell->layout() && i < cell->layout()->count(); ++i)
            counts << read(cell->layout()->itemAt(i));
        const QWidget *widget = cell->widget();
        if (!widget || widget->property("frameShape").toInt() == QFrame::HLine)
            return widget ? "rule" : counts.join(' ');
        return widget->property(widget->inherits("QComboBox") ? "currentText" : "text").toString();
    }
    QString read(int row, int column) const { return read(form->itemAtPosition(row, column)); }

    // Steps split by ", ": "press" a named widget with the mouse, "type" text or
    // "key" a key sequence into the widget with focus.
    void act(const QString &steps)
    {
        for (const QString &step : steps.split(", ")) {
            const QString what = step.section(' ', 1);
            if (step.startsWith("press ") && named.contains(what))
                QTest::mouseClick(named[what], Qt::LeftButton);
            else if (step.startsWith("type "))
                QTest::keyClicks(QApplication::focusWidget(), what);
            else if (step.startsWith("key "))
                QTest::keySequence(QApplication::focusWidget(), QKeySequence::fromString(what));
            else
                QFAIL(qPrintable("no such step: " + step));
        }
    }

private slots:
    void initTestCase()
    {
        // A desktop that groups digits with points: the figures still group with commas.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        passOn = qInstallMessageHandler(
                [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                    type == QtDebugMsg && !qstrcmp(context.category, "default")
                            ? messages.append(text)
                            : passOn(type, context, text);
                });
    }
    void init()
    {
        window = std::make_unique<MainWindow>();
        // Shown and active, so that a press gives focus and Tab moves it on.
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support propagateSizeHints()");
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        form = qobject_cast<QGridLayout *>(window->centralWidget()->layout());
        const auto cell = [this](int row, int column) { return form->itemAtPosition(row, column); };
        named = {{"slurry", cell(1, 1)->widget()},
                 {"gravity", cell(2, 1)->widget()},
                 {"Add 1", cell(10, 0)->widget()},
                 {"Remove 1", cell(10, 1)->widget()}};
        for (int i = 0; i < 9; ++i)
            named["square " + QString::number(i)] = cell(8, 0)->layout()->itemAt(i)->widget();
        messages.clear();
    }

    void formRowByRow()
    {
        QStringList rows;
        for (int row = 0; row < 11; ++row)
            rows << read(row, 0) + " | " + read(row, 1);
        // clang-format off
        QCOMPARE(rows.join(" / "), "Dilution 1:X | 10 / Slurry Volume (ml) |  / Degree Plato: |  / rule | rule / Cells Per ml: | 0 / Cells Total: | 0 / ml Needed / Gallon Wort: | 0 / rule | rule / 0 0 0 0 0 0 0 0 0 | 0 0 0 0 0 0 0 0 0 / rule | rule / Add 1 | Remove 1");
        // clang-format on
    }

    void session_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("debug");
        // clang-format off
        QTest::newRow("steps before any square is pressed change nothing") << "press slurry, key Tab, key Tab, key Up, key Down, press Add 1, press Remove 1" << "0 0 0 0 0 0 0 0 0 | 0 0 0" << "lineEdit -> Qt::Key_Up / lineEdit -> Qt::Key_Down";
        QTest::newRow("a gravity typed -0,050 shows as -0.05 in the message") << "press gravity, type -0,050, press square 7, press Add 1" << "0 0 0 0 0 0 0 1 0 | 100,000 0 -1,900" << "currentSquare =  7 / 1 / 100000 / -0.05  *  1000000  *  3800  /  100000  =  -1900";
        QTest::newRow("Tab then Up steps the square pressed") << "press square 4, key Tab, key Up" << "0 0 0 0 1 0 0 0 0 | 100,000 0 0" << "currentSquare =  4 / lineEdit -> Qt::Key_Up / 1 / 100000 / 0  *  1000000  *  3800  /  100000  =  0";
        QTest::newRow("Remove 1 at 0 stays 0 but recalculates") << "press square 0, press Add 1, press Remove 1, press Remove 1" << "0 0 0 0 0 0 0 0 0 | 0 0 0" << "currentSquare =  0 / 1 / 100000 / 0  *  1000000  *  3800  /  100000  =  0 / 0 / 0";
        QTest::newRow("edits wait for the next step") << "press square 0, press Add 1, press slurry, type 100, press square 1, key Backspace, type 5" << "1 5 0 0 0 0 0 0 0 | 100,000 0 0" << "currentSquare =  0 / 1 / 100000 / 0  *  1000000  *  3800  /  100000  =  0 / currentSquare =  1";
        QTest::newRow("a dilution picked shows at the next step") << "press slurry, key Shift+Tab, key Down, press square 0, press Add 1" << "1 0 0 0 0 0 0 0 0 | 1,000,000 0 0" << "currentSquare =  0 / 1 / 1000000 / 0  *  1000000  *  3800  /  1000000  =  0";
        QTest::newRow("typing stops at 500") << "press square 0, key Backspace, type 501, press Add 1" << "51 0 0 0 0 0 0 0 0 | 5,100,000 0 0" << "currentSquare =  0 / 51 / 5100000 / 0  *  1000000  *  3800  /  5100000  =  0";
        QTest::newRow("a count stepped past 500 stands, a digit typed onto it does not") << "press square 0, key Backspace, type 500, press Add 1, press square 0, key End, type 9" << "501 0 0 0 0 0 0 0 0 | 50,100,000 0 0" << "currentSquare =  0 / 501 / 50100000 / 0  *  1000000  *  3800  /  50100000  =  0 / currentSquare =  0";
        QTest::newRow("a sign pasted into a square is refused") << "press gravity, type +5, key Ctrl+A, key Ctrl+C, press square 0, key Ctrl+A, key Ctrl+V, press Add 1" << "1 0 0 0 0 0 0 0 0 | 100,000 0 190,000" << "currentSquare =  0 / 1 / 100000 / 5  *  1000000  *  3800  /  100000  =  190000";
        QTest::newRow("Add 1 three times counts the square pressed up to 3") << "press square 2, press Add 1, press Add 1, press Add 1" << "0 0 3 0 0 0 0 0 0 | 300,000 0 0" << "currentSquare =  2 / 1 / 100000 / 0  *  1000000  *  3800  /  100000  =  0 / 2 / 200000 / 0  *  1000000  *  3800  /  200000  =  0 / 3 / 300000 / 0  *  1000000  *  3800  /  300000  =  0";
        // clang-format on
    }
    void session()
    {
        QFETCH(QString, steps);
        act(steps);
        QTEST(read(8, 0) + " | " + read(4, 1) + ' ' + read(5, 1) + ' ' + read(6, 1), "shown");
        QTEST(messages.join(" / "), "debug");
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
