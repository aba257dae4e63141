// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QtTest>

static QStringList messages;

class tst_Window : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window;

    // The widgets by their place in the form, as the user finds them; row 8 holds the squares.
    QWidget *widgetAt(int row, int column = 1) const
    {
        QLayoutItem *item = qobject_cast<QGridLayout *>(window->centralWidget()->layout())
                                    ->itemAtPosition(row, row == 8 ? 0 : column);
        auto *squares = qobject_cast<QGridLayout *>(item->layout());
        return squares ? squares->itemAtPosition(column / 3, column % 3)->widget() : item->widget();
    }
    QStringList texts(std::initializer_list<int> rows, int column = 1) const
    {
        QStringList list;
        for (int row : rows)
            list << widgetAt(row, column)->property("text").toString();
        return list;
    }
    // The nine squares ("_" for an empty one), then the three figures.
    QString shown() const
    {
        QString text;
        for (int i = 0; i < 9; ++i)
            text += widgetAt(8, i)->property("text").toString().leftJustified(1, '_') + ' ';
        return text + "| " + texts({4, 5, 6}).join(' ');
    }

    // Tokens: 3=25 puts 25 into square 3 (s the slurry, g the gravity, x the
    // dilution) as stepping would, 3>25 types 25 after its text. Other tokens are
    // steps: a digit presses that square, + and - click Add 1 and Remove 1, u and d
    // are Up and Down typed into square 8, wherever the selection is.
    void act(const QString &script) const
    {
        messages.clear();
        for (const QString &token : script.split(' ')) {
            const int split = int(token.indexOf(QRegularExpression(QStringLiteral("[=>]"))));
            const int row = int(QStringLiteral("xsg").indexOf(token.left(split)));
            QWidget *field = widgetAt(row < 0 ? 8 : row, row < 0 ? token.left(split).toInt() : 1);
            // The dilution, in row 0, is a combo box: its text is the item chosen.
            if (split > 0 && token.at(split) == '=')
                field->setProperty(row ? "text" : "currentText", token.mid(split + 1));
            else if (split > 0)
                QTest::keyClicks(field, token.mid(split + 1));
            for (const QChar c : split < 0 ? token : QString()) {
                if (c.isDigit())
                    QTest::mouseClick(widgetAt(8, c.digitValue()), Qt::LeftButton);
                else if (c == '+' || c == '-')
                    QTest::mouseClick(widgetAt(10, c == '-'), Qt::LeftButton);
                else
                    QTest::keyClick(widgetAt(8, 8), c == 'u' ? Qt::Key_Up : Qt::Key_Down);
            }
        }
    }

private slots:
    void initTestCase()
    {
        // A brewer's desktop in English, where Qt's own validator would take "1,000".
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            messages << text;
        });
    }
    void init() { window = std::make_unique<MainWindow>(); }

    void form()
    {
        QCOMPARE(texts({0, 1, 2, 3, 4, 5, 6, 7, 9, 10}, 0) + texts({1, 2, 4, 5, 6, 10}),
                 QStringList({"Dilution 1:X", "Slurry Volume (ml)", "Degree Plato:", "",
                              "Cells Per ml:", "Cells Total:", "ml Needed / Gallon Wort:", "", "",
                              "Add 1", "", "", "0", "0", "0", "Remove 1"}));
    }

    void session_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("result");
        // clang-format off
        QTest::newRow("worked count") << "x=100 s=200 g=12 0=25 1=30 2=28 3=31 4=26 4+" << "25 30 28 31 27 0 0 0 0 | 28,200,000 5,640,000,000 1,617";
        QTest::newRow("empty and 0 add nothing") << "s=100 g=12 0= 8=49 8+" << "_ 0 0 0 0 0 0 0 50 | 5,000,000 500,000,000 9,120";
        QTest::newRow("three squares of 1 round down") << "x=1000 0=1 1=1 2=1 2-+" << "1 1 1 0 0 0 0 0 0 | 9,999,999 0 0";
        QTest::newRow("buttons and keys") << "x=10000 5=10 5++u-dd" << "0 0 0 0 0 10 0 0 0 | 1,000,000,000 0 0";
        QTest::newRow("top count stays, capped") << "x=1000000 s=10000 0=2147483647 0+" << "2147483647 0 0 0 0 0 0 0 0 | 9,223,372,036,854,774,784 92,233,720,368,547,747,840,000 0";
        QTest::newRow("typing stops at the top") << "0= 0>501 s>1,000 s>1 0-+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 5,000,000,000 0";
        QTest::newRow("a stepped square keeps its top") << "0=500 0+ 0>9 0>\b" << "50 0 0 0 0 0 0 0 0 | 50,100,000 0 0";
        QTest::newRow("edits wait for the next step") << "0+ x=100000 s>100 g>12 1= 1>5" << "1 5 0 0 0 0 0 0 0 | 100,000 0 0";
        QTest::newRow("gravity in tenths") << "s=100 g>16.4 0=49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 12,464";
        QTest::newRow("past thousandths dropped") << "s=100 g>12.3449 0=49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,381";
        QTest::newRow("gravity not a number") << "s=100 g>12.5P 0=49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 0";
        QTest::newRow("lowest gravity") << "s=100 g>-2147483648.999 0=49 0+" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 -1,632,087,573,239";
        QTest::newRow("gravity out of range") << "x=100000 s=100 g>2147483648.5 0=49 0+" << "50 0 0 0 0 0 0 0 0 | 50,000,000,000 5,000,000,000,000 0";
        // clang-format on
    }
    void session()
    {
        QFETCH(QString, script);
        QFETCH(QString, result);
        act(script);
        QCOMPARE(shown(), result);
    }

    void messagesOfASession()
    {
        act(QStringLiteral("u d + - g>-0,50 7u d d"));
        QCOMPARE(messages,
                 QStringList({"lineEdit -> Qt::Key_Up", "lineEdit -> Qt::Key_Down",
                              "currentSquare =  7", "lineEdit -> Qt::Key_Up", "1", "100000",
                              "-0.5  *  1000000  *  3800  /  100000  =  -19000",
                              "lineEdit -> Qt::Key_Down", "0", "lineEdit -> Qt::Key_Down", "0"}));
        QCOMPARE(shown(), QStringLiteral("0 0 0 0 0 0 0 0 0 | 0 0 0"));
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
