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
};

// + and - click the buttons, u and d press the arrow keys on the given square.
static void act(const Form &form, int square, const QString &steps)
{
    for (const QChar step : steps) {
        if (step == QLatin1Char('+') || step == QLatin1Char('-'))
            QTest::mouseClick(step == QLatin1Char('+') ? form.addButton() : form.removeButton(),
                              Qt::LeftButton);
        else
            QTest::keyClick(form.square(square),
                            step == QLatin1Char('u') ? Qt::Key_Up : Qt::Key_Down);
    }
}

static void showActive(MainWindow &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

void tst_Stepping::nothingSelectedNothingSteps_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("Add 1") << "+" << QStringList();
    QTest::newRow("Remove 1") << "-" << QStringList();
    QTest::newRow("Up on a square reached by Tab") << "u" << QStringList{"lineEdit -> Qt::Key_Up"};
    QTest::newRow("Down on a square reached by Tab")
            << "d" << QStringList{"lineEdit -> Qt::Key_Down"};
}

void tst_Stepping::nothingSelectedNothingSteps()
{
    QFETCH(QString, step);
    QFETCH(QStringList, messages);

    MainWindow window;
    Form form(window);
    form.square(3)->setText(QStringLiteral("7"));
    MessageLog log;
    act(form, 3, step);

    QStringList squares = nineOf(QStringLiteral("0"));
    squares[3] = QStringLiteral("7");
    QCOMPARE(log.take(), messages);
    QCOMPARE(form.squares(), squares);
    QCOMPARE(form.results(), QStringList({"0", "0", "0"}));
}

static void stepRow(const char *name, const char *start, const char *steps, const char *shown,
                    const char *results)
{
    QTest::newRow(name) << QString(start) << QString(steps) << QString(shown)
                        << QString(results).split(QLatin1Char(' '));
}

void tst_Stepping::steps_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("results");

    stepRow("Add 1 on a fresh square", "0", "+", "1", "100,000 0 0");
    stepRow("Up on a fresh square", "0", "u", "1", "100,000 0 0");
    stepRow("Remove 1 at 0 stays 0", "0", "-", "0", "0 0 0");
    stepRow("Down at 0 stays 0", "0", "d", "0", "0 0 0");
    stepRow("an emptied square reads as 0", "", "+", "1", "100,000 0 0");
    stepRow("Remove 1 on an emptied square", "", "-", "", "0 0 0");
    stepRow("500 steps past the typing limit", "500", "+", "501", "50,100,000 0 0");
    stepRow("buttons and keys mixed", "10", "++u-dd+", "11", "1,100,000 0 0");
    stepRow("the largest count steps down", "2147483647", "-", "2147483646",
            "214,748,364,600,000 0 0");
    stepRow("the largest count stays put going up", "2147483647", "+", "2147483647",
            "214,748,364,700,000 0 0");
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
    act(form, 4, steps);

    QStringList expected = nineOf(QStringLiteral("0"));
    expected[4] = shown;
    QCOMPARE(form.squares(), expected);
    QCOMPARE(form.results(), results);
}

static void keyRow(const char *name, Qt::Key key, Qt::KeyboardModifiers modifiers, bool autoRepeat,
                   const char *shown, const char *message = "")
{
    QTest::newRow(name) << int(key) << int(modifiers) << autoRepeat << QString(shown)
                        << QString(message);
}

void tst_Stepping::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("message");

    const char *up = "lineEdit -> Qt::Key_Up";
    const char *down = "lineEdit -> Qt::Key_Down";
    keyRow("Up", Qt::Key_Up, Qt::NoModifier, false, "6", up);
    keyRow("Down", Qt::Key_Down, Qt::NoModifier, false, "4", down);
    keyRow("Shift+Up", Qt::Key_Up, Qt::ShiftModifier, false, "6", up);
    keyRow("Ctrl+Down", Qt::Key_Down, Qt::ControlModifier, false, "4", down);
    keyRow("Alt+Up", Qt::Key_Up, Qt::AltModifier, false, "6", up);
    keyRow("keypad Up", Qt::Key_Up, Qt::KeypadModifier, false, "6", up);
    keyRow("held Down repeating", Qt::Key_Down, Qt::NoModifier, true, "4", down);
    keyRow("Left does nothing", Qt::Key_Left, Qt::NoModifier, false, "5");
    keyRow("Page Up does nothing", Qt::Key_PageUp, Qt::NoModifier, false, "5");
    keyRow("Plus does nothing", Qt::Key_Plus, Qt::NoModifier, false, "5");
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
    QCOMPARE(messages.size(), message.isEmpty() ? 0 : 4);
    QCOMPARE(messages.value(0), message);
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
    QCOMPARE(form.squares(), nineOf(QStringLiteral("0")));

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
    act(form, 5, QStringLiteral("uu"));

    QStringList expected = nineOf(QStringLiteral("0"));
    expected[4] = QStringLiteral("2");
    QCOMPARE(form.squares(), expected);
}

void tst_Stepping::squareBeyondTheGridStillRecalculates()
{
    MainWindow window;
    Form form(window);
    form.square(0)->setText(QStringLiteral("50"));
    MessageLog log;
    QVERIFY(QMetaObject::invokeMethod(&window, "setcurrentSquare", Q_ARG(int, 12)));
    act(form, 0, QStringLiteral("+"));

    QCOMPARE(form.square(0)->text(), QStringLiteral("50"));
    QCOMPARE(form.results(), QStringList({"5,000,000", "0", "0"}));
    QCOMPARE(log.take(),
             QStringList({"currentSquare =  12", "50", "5000000",
                          "0  *  1000000  *  3800  /  5000000  =  0"}));
}

QTEST_MAIN(tst_Stepping)
#include "tst_stepping.moc"
