#include "formaccess.h"

class tst_Stepping : public QObject
{
    Q_OBJECT

private slots:
    void nothingSelectedNothingSteps_data();
    void nothingSelectedNothingSteps();
    void steps_data();
    void steps();
    void keys_data();
    void keys();
    void pressesSelect_data();
    void pressesSelect();
    void tabThenArrowStepsThePressedSquare();
    void squareBeyondTheGridStillRecalculates();

private:
    static void showActive(MainWindow &window)
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

static QStringList squareTexts(const Form &form)
{
    QStringList texts;
    for (int i = 0; i < 9; ++i)
        texts << form.square(i)->text();
    return texts;
}

void tst_Stepping::nothingSelectedNothingSteps_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("Add 1") << "add" << QStringList();
    QTest::newRow("Remove 1") << "remove" << QStringList();
    QTest::newRow("Up on a square reached by Tab") << "up" << QStringList{"lineEdit -> Qt::Key_Up"};
    QTest::newRow("Down on a square reached by Tab")
            << "down" << QStringList{"lineEdit -> Qt::Key_Down"};
}

void tst_Stepping::nothingSelectedNothingSteps()
{
    QFETCH(QString, action);
    QFETCH(QStringList, messages);

    MainWindow window;
    Form form(window);
    form.square(3)->setText(QStringLiteral("7"));
    const QStringList squares = squareTexts(form);

    MessageLog log;
    if (action == QLatin1String("add"))
        QTest::mouseClick(form.addButton(), Qt::LeftButton);
    else if (action == QLatin1String("remove"))
        QTest::mouseClick(form.removeButton(), Qt::LeftButton);
    else
        QTest::keyClick(form.square(3), action == QLatin1String("up") ? Qt::Key_Up : Qt::Key_Down);

    QCOMPARE(log.take(), messages);
    QCOMPARE(squareTexts(form), squares);
    QCOMPARE(form.results(), QStringList({"0", "0", "0"}));
}

void tst_Stepping::steps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("results");

    // + and - are the buttons, u and d the arrow keys
    QTest::newRow("Add 1 on a fresh square") << "0"
                                             << "+"
                                             << "1" << QStringList{"100,000", "0", "0"};
    QTest::newRow("Up on a fresh square") << "0"
                                          << "u"
                                          << "1" << QStringList{"100,000", "0", "0"};
    QTest::newRow("Remove 1 at 0 stays 0") << "0"
                                           << "-"
                                           << "0" << QStringList{"0", "0", "0"};
    QTest::newRow("Down at 0 stays 0") << "0"
                                       << "d"
                                       << "0" << QStringList{"0", "0", "0"};
    QTest::newRow("an emptied square reads as 0") << ""
                                                  << "+"
                                                  << "1" << QStringList{"100,000", "0", "0"};
    QTest::newRow("Remove 1 on an emptied square") << ""
                                                   << "-"
                                                   << "" << QStringList{"0", "0", "0"};
    QTest::newRow("500 steps past the typing limit")
            << "500"
            << "+"
            << "501" << QStringList{"50,100,000", "0", "0"};
    QTest::newRow("buttons and keys mixed") << "10"
                                            << "++u-dd+"
                                            << "11" << QStringList{"1,100,000", "0", "0"};
    QTest::newRow("the largest count steps down")
            << "2147483647"
            << "-"
            << "2147483646" << QStringList{"214,748,364,600,000", "0", "0"};
    QTest::newRow("the largest count stays put going up")
            << "2147483647"
            << "+"
            << "2147483647" << QStringList{"214,748,364,700,000", "0", "0"};
}

void tst_Stepping::steps()
{
    QFETCH(QString, start);
    QFETCH(QString, steps);
    QFETCH(QString, shown);
    QFETCH(QStringList, results);

    MainWindow window;
    Form form(window);
    form.square(4)->setText(start);
    MessageLog log;
    form.press(4);
    for (const QChar step : steps) {
        if (step == QLatin1Char('+'))
            QTest::mouseClick(form.addButton(), Qt::LeftButton);
        else if (step == QLatin1Char('-'))
            QTest::mouseClick(form.removeButton(), Qt::LeftButton);
        else
            QTest::keyClick(form.square(4), step == QLatin1Char('u') ? Qt::Key_Up : Qt::Key_Down);
    }

    QStringList expected = nineOf(QStringLiteral("0"));
    expected[4] = shown;
    QCOMPARE(squareTexts(form), expected);
    QCOMPARE(form.results(), results);
}

void tst_Stepping::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    const int none = Qt::NoModifier;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << false << "6"
                        << "lineEdit -> Qt::Key_Up";
    QTest::newRow("Down") << int(Qt::Key_Down) << none << false << "4"
                          << "lineEdit -> Qt::Key_Down";
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << false << "6"
                              << "lineEdit -> Qt::Key_Up";
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << false << "4"
                               << "lineEdit -> Qt::Key_Down";
    QTest::newRow("Alt+Up") << int(Qt::Key_Up) << int(Qt::AltModifier) << false << "6"
                            << "lineEdit -> Qt::Key_Up";
    QTest::newRow("keypad Up") << int(Qt::Key_Up) << int(Qt::KeypadModifier) << false << "6"
                               << "lineEdit -> Qt::Key_Up";
    QTest::newRow("held Down repeating") << int(Qt::Key_Down) << none << true << "4"
                                         << "lineEdit -> Qt::Key_Down";
    QTest::newRow("Left does nothing") << int(Qt::Key_Left) << none << false << "5"
                                       << "";
    QTest::newRow("Page Up does nothing") << int(Qt::Key_PageUp) << none << false << "5"
                                          << "";
    QTest::newRow("Plus does nothing") << int(Qt::Key_Plus) << none << false << "5"
                                       << "";
}

void tst_Stepping::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(QString, shown);
    QFETCH(QString, message);

    MainWindow window;
    Form form(window);
    form.square(2)->setText(QStringLiteral("5"));
    form.square(2)->setCursorPosition(0);
    MessageLog log;
    form.press(2);
    log.take();

    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), autoRepeat);
    QApplication::sendEvent(form.square(2), &press);

    QCOMPARE(form.square(2)->text(), shown);
    const QStringList messages = log.take();
    if (message.isEmpty()) {
        QCOMPARE(messages, QStringList());
    } else {
        QCOMPARE(messages.size(), 4);
        QCOMPARE(messages.first(), message);
    }
}

void tst_Stepping::pressesSelect_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left button") << int(Qt::LeftButton);
    QTest::newRow("right button") << int(Qt::RightButton);
    QTest::newRow("middle button") << int(Qt::MiddleButton);
}

void tst_Stepping::pressesSelect()
{
    QFETCH(int, button);

    MainWindow window;
    Form form(window);
    showActive(window);
    MessageLog log;
    for (int i : {7, 1, 1})
        QTest::mousePress(form.square(i), Qt::MouseButton(button));
    QCOMPARE(log.take(),
             QStringList({"currentSquare =  7", "currentSquare =  1", "currentSquare =  1"}));
    QTest::mouseRelease(form.square(1), Qt::MouseButton(button));

    // The press still reaches the square, and selecting it recalculates nothing.
    QCOMPARE(QApplication::focusWidget(), form.square(1));
    QCOMPARE(squareTexts(form), nineOf(QStringLiteral("0")));

    QTest::mouseClick(form.addButton(), Qt::LeftButton);
    QCOMPARE(form.square(1)->text(), QStringLiteral("1"));
}

void tst_Stepping::tabThenArrowStepsThePressedSquare()
{
    MainWindow window;
    Form form(window);
    showActive(window);
    MessageLog log;
    form.press(4);
    QTest::keyClick(form.square(4), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.square(5));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);

    QStringList expected = nineOf(QStringLiteral("0"));
    expected[4] = QStringLiteral("2");
    QCOMPARE(squareTexts(form), expected);
}

void tst_Stepping::squareBeyondTheGridStillRecalculates()
{
    MainWindow window;
    Form form(window);
    form.square(0)->setText(QStringLiteral("50"));
    MessageLog log;
    QVERIFY(QMetaObject::invokeMethod(&window, "setcurrentSquare", Q_ARG(int, 12)));
    QTest::mouseClick(form.addButton(), Qt::LeftButton);

    QCOMPARE(form.square(0)->text(), QStringLiteral("50"));
    QCOMPARE(form.results(), QStringList({"5,000,000", "0", "0"}));
    QCOMPARE(log.take(),
             QStringList({"currentSquare =  12", "50", "5000000",
                          "0  *  1000000  *  3800  /  5000000  =  0"}));
}

QTEST_MAIN(tst_Stepping)
#include "tst_stepping.moc"
