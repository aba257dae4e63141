#include "formaccess.h"

class tst_Calculation : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures();
    void messagesOfOneStep_data();
    void messagesOfOneStep();
    void dilutionShowsAtNextStep();
    void removingTheLastCountClearsResults();
};

void tst_Calculation::figures_data()
{
    QTest::addColumn<QString>("dilution");
    QTest::addColumn<QString>("slurry");
    QTest::addColumn<QString>("gravity");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QStringList>("results");

    const QString maxCount = QString::number(std::numeric_limits<int>::max());

    QTest::newRow("one square of 1") << "10"
                                     << ""
                                     << "" << QStringList{"1"} << QStringList{"100,000", "0", "0"};
    QTest::newRow("one square of 50, 100 ml at 12 P")
            << "10"
            << "100"
            << "12" << QStringList{"50"} << QStringList{"5,000,000", "500,000,000", "9,120"};
    QTest::newRow("three squares of 1 round down")
            << "10"
            << ""
            << "" << QStringList{"1", "1", "1"} << QStringList{"99,999", "0", "0"};
    QTest::newRow("five squares at 1:100") << "100"
                                           << "200"
                                           << "12" << QStringList{"25", "30", "28", "31", "27"}
                                           << QStringList{"28,200,000", "5,640,000,000", "1,617"};
    QTest::newRow("all nine squares, 1500 ml at 14 P")
            << "10"
            << "1500"
            << "14" << QStringList{"40", "38", "42", "45", "39", "41", "37", "44", "43"}
            << QStringList{"4,100,000", "6,150,000,000", "12,975"};
    QTest::newRow("negative gravity")
            << "10"
            << ""
            << "-3" << QStringList{"7"} << QStringList{"700,000", "0", "-16,285"};

    QTest::newRow("the last square counts like the first")
            << "10"
            << "100"
            << "12" << QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "50"}
            << QStringList{"5,000,000", "500,000,000", "9,120"};
    QTest::newRow("empty and zero squares add nothing")
            << "10"
            << "100"
            << "12" << QStringList{"", "0", "50", ""}
            << QStringList{"5,000,000", "500,000,000", "9,120"};
    QTest::newRow("one square of 20")
            << "10"
            << ""
            << "" << QStringList{"20"} << QStringList{"2,000,000", "0", "0"};
    QTest::newRow("two squares of 20")
            << "10"
            << ""
            << "" << QStringList{"20", "20"} << QStringList{"2,000,000", "0", "0"};
    QTest::newRow("three squares of 20 round down")
            << "10"
            << ""
            << "" << QStringList{"20", "20", "20"} << QStringList{"1,999,999", "0", "0"};
    QTest::newRow("three squares of 1 at 1:100")
            << "100"
            << ""
            << "12" << QStringList{"1", "1", "1"} << QStringList{"999,999", "0", "45,600"};
    QTest::newRow("gravity with a decimal point reads as 0")
            << "10"
            << "100"
            << "12.5" << QStringList{"50"} << QStringList{"5,000,000", "500,000,000", "0"};

    QTest::newRow("highest gravity")
            << "10"
            << "10000"
            << "2147483647" << QStringList{"1"}
            << QStringList{"100,000", "1,000,000,000", "81,604,378,586,000"};
    QTest::newRow("lowest gravity")
            << "1000000"
            << "10000"
            << "-2147483648" << QStringList{"1"}
            << QStringList{"10,000,000,000", "100,000,000,000,000", "-816,043,786"};
    QTest::newRow("total just inside 64 bits")
            << "1000000"
            << "9999"
            << "12" << QStringList{"92234"}
            << QStringList{"922,340,000,000,000", "9,222,477,660,000,000,000", "0"};
    QTest::newRow("total past 64 bits shows exactly")
            << "1000000"
            << "10000"
            << "12" << QStringList{"92234"}
            << QStringList{"922,340,000,000,000", "9,223,400,000,000,000,000", "0"};
    // the largest double below 2^63, and ten thousand times it
    QTest::newRow("cells per ml past 64 bits stop at the top")
            << "1000000"
            << "10000"
            << "12" << nineOf(maxCount)
            << QStringList{"9,223,372,036,854,774,784", "92,233,720,368,547,747,840,000", "0"};
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

void tst_Calculation::dilutionShowsAtNextStep()
{
    MainWindow window;
    Form form(window);
    MessageLog log;
    form.recalculateWith(QStringLiteral("10"), QString(), QStringLiteral("12"),
                         {QStringLiteral("50")});
    QCOMPARE(form.results(), QStringList({"5,000,000", "0", "9,120"}));

    form.dilution()->setCurrentIndex(form.dilution()->findText(QStringLiteral("100")));
    QCOMPARE(form.results(), QStringList({"5,000,000", "0", "9,120"}));

    QTest::mouseClick(form.addButton(), Qt::LeftButton);
    QTest::mouseClick(form.removeButton(), Qt::LeftButton);
    QCOMPARE(form.results(), QStringList({"50,000,000", "0", "912"}));
}

void tst_Calculation::removingTheLastCountClearsResults()
{
    MainWindow window;
    Form form(window);
    MessageLog log;
    form.recalculateWith(QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("12"),
                         {QStringLiteral("1")});
    QCOMPARE(form.results(), QStringList({"100,000", "10,000,000", "456,000"}));
    log.take();

    QTest::mouseClick(form.removeButton(), Qt::LeftButton);
    QCOMPARE(form.square(0)->text(), QStringLiteral("0"));
    QCOMPARE(form.results(), QStringList({"0", "0", "0"}));
    QCOMPARE(log.take(), QStringList{"0"});
}

QTEST_MAIN(tst_Calculation)
#include "tst_calculation.moc"
