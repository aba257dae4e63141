// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QtTest>
#include <QtWidgets>

// The window's own debug messages; every other message goes on to QtTest's output.
static QStringList messages;
static QtMessageHandler passOn;

class tst_Window : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    // By the names a script uses: the squares "0" to "8", the buttons "+" and "-", and
    // the dilution, slurry and gravity fields.
    QHash<QString, QWidget *> named;

    // The widget in a cell of a grid, or none where the layout has none there.
    static QWidget *at(QLayout *layout, int row, int column)
    {
        auto *grid = qobject_cast<QGridLayout *>(layout);
        QLayoutItem *item = grid ? grid->itemAtPosition(row, column) : nullptr;
        return item ? item->widget() : nullptr;
    }
    // What the user sees in a cell of the form: a text, the dilution chosen, a rule.
    QString shows(int row, int column) const
    {
        const QWidget *widget = at(window->centralWidget()->layout(), row, column);
        const auto *rule = qobject_cast<const QFrame *>(widget);
        if (!widget || (rule && rule->frameShape() == QFrame::HLine))
            return widget ? "rule" : "nothing";
        return widget->property(widget->inherits("QComboBox") ? "currentText" : "text").toString();
    }
    // The nine squares ("_" for an empty one), then the three figures.
    QString shown() const
    {
        QString shown;
        for (int i = 0; i < 9; ++i)
            shown += named[QString::number(i)]->property("text").toString().leftJustified(1, '_')
                    + ' ';
        return shown + "| " + shows(4, 1) + ' ' + shows(5, 1) + ' ' + shows(6, 1);
    }

    // Words split by spaces. "slurry>200" types 200 into a field ("0" to "8" are the
    // squares), where \b is Backspace and ^ is Ctrl+Z; "dilution>100" picks that item.
    // Any other word is a run of steps: a digit presses that square, + and - click
    // Add 1 and Remove 1, u and d press Up and Down in square 8, wherever the selection is.
    void act(const QString &script)
    {
        messages.clear();
        for (const QString &word : script.split(' ')) {
            const int typing = int(word.indexOf('>'));
            QWidget *field = typing > 0 ? named.value(word.left(typing)) : nullptr;
            QVERIFY2(typing < 0 || field, qPrintable("no field in " + word));
            if (field && field->inherits("QComboBox"))
                field->setProperty("currentText", word.mid(typing + 1));
            for (const QChar key :
                 field && !field->inherits("QComboBox") ? word.mid(typing + 1) : QString()) {
                if (key == '^')
                    QTest::keySequence(field, QKeySequence::Undo);
                else
                    QTest::keyClick(field, key.toLatin1());
            }
            for (const QChar step : typing < 0 ? word : QString()) {
                if (step == 'u' || step == 'd')
                    QTest::keyClick(named["8"], step == 'u' ? Qt::Key_Up : Qt::Key_Down);
                else if (named.value(step))
                    QTest::mouseClick(named[step], Qt::LeftButton);
                else
                    QFAIL(qPrintable(QString("no step ") + step));
            }
        }
    }

private slots:
    void initTestCase()
    {
        // A brewer's desktop in English, where Qt's own validator would take "1,000".
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        passOn = qInstallMessageHandler(
                [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                    if (type == QtDebugMsg && qstrcmp(context.category, "default") == 0)
                        messages << text;
                    else
                        passOn(type, context, text);
                });
    }
    void init()
    {
        window = std::make_unique<MainWindow>();
        QLayout *form = window->centralWidget()->layout();
        named = {{"dilution", at(form, 0, 1)},
                 {"slurry", at(form, 1, 1)},
                 {"gravity", at(form, 2, 1)},
                 {"+", at(form, 10, 0)},
                 {"-", at(form, 10, 1)}};
        auto *chamber = qobject_cast<QGridLayout *>(form);
        for (int i = 0; i < 9; ++i)
            named[QString::number(i)] = at(chamber && chamber->itemAtPosition(8, 0)
                                                   ? chamber->itemAtPosition(8, 0)->layout()
                                                   : nullptr,
                                           i / 3, i % 3);
        for (auto place = named.begin(); place != named.end(); ++place)
            QVERIFY2(place.value(), qPrintable("the form has no " + place.key()));
    }

    // The form row by row, as the user reads it from left to right.
    void form()
    {
        QStringList rows;
        for (int row = 0; row < 11; ++row)
            rows << shows(row, 0) + " | " + shows(row, 1);
        QCOMPARE(rows,
                 QStringList({"Dilution 1:X | 10", "Slurry Volume (ml) | ", "Degree Plato: | ",
                              "rule | rule", "Cells Per ml: | 0", "Cells Total: | 0",
                              "ml Needed / Gallon Wort: | 0", "rule | rule", "nothing | nothing",
                              "rule | rule", "Add 1 | Remove 1"}));
    }

    void session_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("result");
        // clang-format off
        QTest::newRow("worked count") << "dilution>100 slurry>200 gravity>12 0>\b25 1>\b30 2>\b28 3>\b31 4>\b26 4+" << "25 30 28 31 27 0 0 0 0 | 28,200,000 5,640,000,000 1,617";
        QTest::newRow("empty and 0 add nothing") << "slurry>100 gravity>12 0>\b 8>\b49 8+" << "_ 0 0 0 0 0 0 0 50 | 5,000,000 500,000,000 9,120";
        QTest::newRow("three squares of 1 round down") << "dilution>1000 0>\b1 1>\b1 2>\b1 2-+" << "1 1 1 0 0 0 0 0 0 | 9,999,999 0 0";
        QTest::newRow("six squares of 1 add up their volume") << "0>\b1 1>\b1 2>\b1 3>\b1 4>\b1 5>\b1 5-+" << "1 1 1 1 1 1 0 0 0 | 100,000 0 0";
        QTest::newRow("buttons and keys") << "dilution>10000 5>\b10 5++u-dd" << "0 0 0 0 0 10 0 0 0 | 1,000,000,000 0 0";
        QTest::newRow("typing stops at the top") << "0>\b501 slurry>1,0001 0-+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 5,000,000,000 0";
        QTest::newRow("undo keeps a stepped square guarded") << "0>\b500 0+ 0>\b^9x,- +" << "502 0 0 0 0 0 0 0 0 | 50,200,000 0 0";
        QTest::newRow("edits wait for the next step") << "0+ dilution>100000 slurry>100 gravity>12 1>\b5" << "1 5 0 0 0 0 0 0 0 | 100,000 0 0";
        QTest::newRow("gravity in tenths") << "slurry>100 gravity>16.4 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 12,464";
        QTest::newRow("past thousandths dropped") << "slurry>100 gravity>12.3449 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,381";
        QTest::newRow("a point at the end, a no-break space after") << "slurry>100 gravity>12.\u00a0 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,120";
        QTest::newRow("a point at the start, a sign before") << "slurry>100 gravity>-.5 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 -380";
        QTest::newRow("gravity not a number") << "slurry>100 gravity>12.5P 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 0";
        QTest::newRow("lowest gravity") << "slurry>100 gravity>-2147483648.999 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 -1,632,087,573,239";
        QTest::newRow("gravity out of range") << "dilution>100000 slurry>100 gravity>2147483648.5 0>\b49 0+" << "50 0 0 0 0 0 0 0 0 | 50,000,000,000 5,000,000,000,000 0";
        // clang-format on
    }
    void session()
    {
        QFETCH(QString, script);
        QFETCH(QString, result);
        act(script);
        QCOMPARE(shown(), result);
    }

    void largestCountStays()
    {
        act("dilution>1000000 slurry>10000 0>\b500 0");
        window->doMath(2147483147); // as that many clicks on Add 1 would
        act("+");
        QCOMPARE(shown(),
                 "2147483647 0 0 0 0 0 0 0 0 | 9,223,372,036,854,774,784 "
                 "92,233,720,368,547,747,840,000 0");
    }

    void messagesOfASession()
    {
        act("u d + - gravity>-0,050 7u d d");
        QCOMPARE(messages.join(" / "),
                 "lineEdit -> Qt::Key_Up / lineEdit -> Qt::Key_Down / currentSquare =  7 / "
                 "lineEdit -> Qt::Key_Up / 1 / 100000 / -0.05  *  1000000  *  3800  /  100000  =  "
                 "-1900 / lineEdit -> Qt::Key_Down / 0 / lineEdit -> Qt::Key_Down / 0");
        QCOMPARE(shown(), "0 0 0 0 0 0 0 0 0 | 0 0 0");
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
