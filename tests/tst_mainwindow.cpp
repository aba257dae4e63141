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

    // What a cell of the form shows: a rule, the dilutions offered, a text, or the squares' counts.
    static QString read(QLayoutItem *cell)
    {
        QStringList parts;
        for (int i = 0; cell->layout() && i < cell->layout()->count(); ++i)
            parts << read(cell->layout()->itemAt(i));
        const QWidget *widget = cell->widget();
        if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                parts << combo->itemText(i);
        } else if (widget) {
            const bool rule = widget->property("frameShape").toInt() == QFrame::HLine;
            return rule ? "rule" : widget->property("text").toString();
        }
        return parts.join(' ');
    }
    QString read(int row, int column) const { return read(form->itemAtPosition(row, column)); }

    // Steps split by ", ": "press" a named widget with the mouse, "type" text or
    // "key" a key sequence into the widget with focus. Returns the first step it does not know.
    QString act(const QString &steps)
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
                return step;
        }
        return QString();
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
        const auto *squares = qobject_cast<QGridLayout *>(cell(8, 0)->layout());
        for (int i = 0; i < 9; ++i)
            named["square " + QString::number(i)] = squares->itemAtPosition(i / 3, i % 3)->widget();
        messages.clear();
    }

    void formRowByRow()
    {
        QStringList rows;
        for (int row = 0; row < 11; ++row)
            rows << read(row, 0) + " | " + read(row, 1);
        QCOMPARE(rows,
                 QStringList({"Dilution 1:X | 10 100 1000 10000 100000 1000000",
                              "Slurry Volume (ml) | ", "Degree Plato: | ", "rule | rule",
                              "Cells Per ml: | 0", "Cells Total: | 0",
                              "ml Needed / Gallon Wort: | 0", "rule | rule",
                              "0 0 0 0 0 0 0 0 0 | 0 0 0 0 0 0 0 0 0", "rule | rule",
                              "Add 1 | Remove 1"}));
    }

    // An arrow before any square is pressed, a press, a step, and a step that leaves nothing
    // counted.
    void debugMessages()
    {
        QCOMPARE(act("press gravity, type -0,050, key Tab, key Up, press square 7, key Up, key "
                     "Down"),
                 QString());
        QCOMPARE(messages,
                 QStringList({"lineEdit -> Qt::Key_Up", "currentSquare =  7",
                              "lineEdit -> Qt::Key_Up", "1", "100000",
                              "-0.05  *  1000000  *  3800  /  100000  =  -1900",
                              "lineEdit -> Qt::Key_Down", "0"}));
    }

    void session_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Tab then Down steps the square pressed")
                << "press square 4, key Up, key Up, key Up, key Tab, key Down"
                << "0 0 0 0 2 0 0 0 0 | 200,000 0 0";
        QTest::newRow("a count, slurry and dilution changed wait for the next step")
                << "press square 0, press Add 1, press slurry, type 100, key Shift+Tab, key Down, "
                   "press square 1, key Backspace, type 5"
                << "1 5 0 0 0 0 0 0 0 | 100,000 0 0";
        QTest::newRow("Remove 1 on a 0 keeps it, and shows the dilution picked since")
                << "press square 0, press Add 1, press slurry, key Shift+Tab, key Down, press "
                   "square 1, press Remove 1"
                << "1 0 0 0 0 0 0 0 0 | 1,000,000 0 0";
        QTest::newRow("a slurry typed as 1.000 is 1000 ml")
                << "press slurry, type 1.000, press square 0, press Add 1"
                << "1 0 0 0 0 0 0 0 0 | 100,000 100,000,000 0";
        QTest::newRow("typing stops at 500")
                << "press square 0, key Backspace, type 501, press Add 1"
                << "51 0 0 0 0 0 0 0 0 | 5,100,000 0 0";
        QTest::newRow("a count stepped past 500 stands, a digit typed onto it does not")
                << "press square 0, key Backspace, type 500, press Add 1, press square 0, key End, "
                   "type 9"
                << "501 0 0 0 0 0 0 0 0 | 50,100,000 0 0";
        QTest::newRow("a gravity typed again after Undo and Redo emptied it reads in full")
                << "press gravity, type 5, key Shift+Home, key Backspace, key Ctrl+Z, key "
                   "Ctrl+Shift+Z, type 12.5, press square 0, press Add 1"
                << "1 0 0 0 0 0 0 0 0 | 100,000 0 475,000";
    }
    void session()
    {
        QFETCH(QString, steps);
        QCOMPARE(act(steps), QString());
        QTEST(read(8, 0) + " | " + read(4, 1) + ' ' + read(5, 1) + ' ' + read(6, 1), "shown");
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
