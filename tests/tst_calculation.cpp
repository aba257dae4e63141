#include "formaccess.h"

class tst_Calculation : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void messagesOfOneStep_data();
    void messagesOfOneStep();
    void editsShowOnlyAtTheNextStep();
    void removingTheLastCountClearsTheFigures();
};

static void figuresRow(const char *name, const char *dilution, const char *slurry,
                       const char *gravity, const QStringList &counts, const char *results)
{
    QTest::newRow(name) << QString(dilution) << QString(slurry) << QString(gravity) << counts
                        << QString(results).split(QLatin1Char(' '));
}

void tst_Calculation::figures_data()
{
    QTest::addColumn<QString>("dilution");
    QTest::addColumn<QString>("slurry");
    QTest::addColumn<QString>("gravity");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QStringList>("results");

    figuresRow("one square of 1", "10", "", "", {"1"}, "100,000 0 0");
    figuresRow("one square of 50, 100 ml at 12 P", "10", "100", "12", {"50"},
               "5,000,000 500,000,000 9,120");
    figuresRow("three squares of 1 round down", "10", "", "", {"1", "1", "1"}, "99,999 0 0");
    figuresRow("five squares at 1:100", "100", "200", "12", {"25", "30", "28", "31", "27"},
               "28,200,000 5,640,000,000 1,617");
    figuresRow("nine squares, 1500 ml at 14 P", "10", "1500", "14",
               {"40", "38", "42", "45", "39", "41", "37", "44", "43"},
               "4,100,000 6,150,000,000 12,975");
    figuresRow("negative gravity", "10", "", "-3", {"7"}, "700,000 0 -16,285");

    figuresRow("the last square counts like the first", "10", "100", "12",
               {"0", "0", "0", "0", "0", "0", "0", "0", "50"}, "5,000,000 500,000,000 9,120");
    figuresRow("empty and zero squares add nothing", "10", "100", "12", {"", "0", "50", ""},
               "5,000,000 500,000,000 9,120");
    figuresRow("one square of 20", "10", "", "", {"20"}, "2,000,000 0 0");
    figuresRow("two squares of 20", "10", "", "", {"20", "20"}, "2,000,000 0 0");
    figuresRow("three squares of 20 round down", "10", "", "", {"20", "20", "20"}, "1,999,999 0 0");
    figuresRow("three squares of 1 at 1:100", "100", "", "12", {"1", "1", "1"}, "999,999 0 45,600");
    figuresRow("gravity 12.5", "10", "100", "12.5", {"50"}, "5,000,000 500,000,000 9,500");

    figuresRow("highest gravity", "10", "10000", "2147483647", {"1"},
               "100,000 1,000,000,000 81,604,378,586,000");
    figuresRow("lowest gravity", "1000000", "10000", "-2147483648", {"1"},
               "10,000,000,000 100,000,000,000,000 -816,043,786");
    figuresRow("total just inside 64 bits", "1000000", "9999", "12", {"92234"},
               "922,340,000,000,000 9,222,477,660,000,000,000 0");
    figuresRow("total past 64 bits shows exactly", "1000000", "10000", "12", {"92234"},
               "922,340,000,000,000 9,223,400,000,000,000,000 0");
    // the largest double below 2^63, and ten thousand times it
    figuresRow("cells per ml past 64 bits stop at the top", "1000000", "10000", "12",
               nineOf(QString::number(std::numeric_limits<int>::max())),
               "9,223,372,036,854,774,784 92,233,720,368,547,747,840,000 0");
}

void tst_Calculation::figures()
{
    QFETCH(QString, dilution);
    QFETCH(QString, slurry);
    QFETCH(QString, gravity);
    QFETCH(QStringList, counts);
    QFETCH(QStringList, results);

    MainWindow window;
    Form form(window);
    MessageLog log;
    form.recalculateWith(dilution, slurry, gravity, counts);
    QCOMPARE(form.results(), results);
}

void tst_Calculation::messagesOfOneStep_data()
{
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("one square of 50")
            << QStringList{"49"}
            << QStringList{"currentSquare =  0", "50", "5000000",
                           "12  *  1000000  *  3800  /  5000000  =  9120"};
    QTest::newRow("three squares of 1")
            << QStringList{"0", "1", "1"}
            << QStringList{"currentSquare =  0", "3", "99999",
                           "12  *  1000000  *  3800  /  99999  =  456004"};
}

void tst_Calculation::messagesOfOneStep()
{
    QFETCH(QStringList, counts);
    QFETCH(QStringList, messages);

    MainWindow window;
    Form form(window);
    Form::type(form.slurry(), QStringLiteral("100"));
    Form::type(form.gravity(), QStringLiteral("12"));
    for (int i = 0; i < counts.size(); ++i)
        Form::type(form.square(i), counts.at(i));

    MessageLog log;
    form.press(0);
    QTest::mouseClick(form.addButton(), Qt::LeftButton);
    QCOMPARE(log.take(), messages);
}

void tst_Calculation::editsShowOnlyAtTheNextStep()
{
    MainWindow window;
    Form form(window);
    MessageLog log;
    form.recalculateWith(QStringLiteral("10"), QString(), QStringLiteral("12"),
                         {QStringLiteral("50")});
    const QStringList shown = {"5,000,000", "0", "9,120"};
    QCOMPARE(form.results(), shown);
    log.take();

    form.dilution()->setCurrentIndex(1);
    Form::type(form.slurry(), QStringLiteral("100"));
    Form::type(form.gravity(), QStringLiteral("24"));
    Form::type(form.square(1), QStringLiteral("50"));
    QCOMPARE(form.results(), shown);
    QCOMPARE(log.take(), QStringList());

    QTest::mouseClick(form.addButton(), Qt::LeftButton);
    QTest::mouseClick(form.removeButton(), Qt::LeftButton);
    QCOMPARE(form.results(), QStringList({"50,000,000", "5,000,000,000", "1,824"}));
}

void tst_Calculation::removingTheLastCountClearsTheFigures()
{
    MainWindow window;
    Form form(window);
    MessageLog log;
    form.recalculateWith(QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("12"), {"1"});
    QCOMPARE(form.results(), QStringList({"100,000", "10,000,000", "456,000"}));
    log.take();

    QTest::mouseClick(form.removeButton(), Qt::LeftButton);
    QCOMPARE(form.square(0)->text(), QStringLiteral("0"));
    QCOMPARE(form.results(), QStringList({"0", "0", "0"}));
    QCOMPARE(log.take(), QStringList{"0"});
}

QTEST_MAIN(tst_Calculation)
#include "tst_calculation.moc"
