#include "formaccess.h"

#include <QFrame>
#include <QMetaMethod>

class tst_Form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fields_data();
    void fields();
    void freshWindow();
    void rules_data();
    void rules();
    void typing_data();
    void typing();
    void tabOrder();
    void squaresEdgeToEdge();
    void editingAloneChangesNoResult_data();
    void editingAloneChangesNoResult();
    void ownSlotsInOrder();
};

void tst_Form::initTestCase()
{
    // A brewer's desktop in English: the stock validator would take "1,000" here.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

static QString shownText(QWidget *widget)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    return QStringLiteral("<not a field>");
}

void tst_Form::fields_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("value");

    QTest::newRow("dilution") << 0 << "Dilution 1:X"
                              << "10";
    QTest::newRow("slurry volume") << 1 << "Slurry Volume (ml)"
                                   << "";
    QTest::newRow("gravity") << 2 << "Degree Plato:"
                             << "";
    QTest::newRow("cells per ml") << 4 << "Cells Per ml:"
                                  << "0";
    QTest::newRow("cells total") << 5 << "Cells Total:"
                                 << "0";
    QTest::newRow("ml needed") << 6 << "ml Needed / Gallon Wort:"
                               << "0";
}

void tst_Form::fields()
{
    QFETCH(int, row);
    QFETCH(QString, caption);
    QFETCH(QString, value);

    MainWindow window;
    Form form(window);
    QCOMPARE(form.caption(row), caption);
    QCOMPARE(shownText(form.at(row, 1)), value);
}

void tst_Form::freshWindow()
{
    MainWindow window;
    Form form(window);

    QStringList dilutions;
    for (int i = 0; i < form.dilution()->count(); ++i)
        dilutions << form.dilution()->itemText(i);
    QCOMPARE(dilutions, QStringList({"10", "100", "1000", "10000", "100000", "1000000"}));
    QVERIFY(!form.dilution()->isEditable());

    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.square(i)->text(), QStringLiteral("0"));
        QVERIFY(form.square(i)->validator());
        QCOMPARE(form.square(i)->validator()->parent(), &window);
    }
    QCOMPARE(form.slurry()->validator()->parent(), &window);
    QVERIFY(!form.gravity()->validator());
    QCOMPARE(form.grid->rowCount(), 11);
}

void tst_Form::rules_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("under the inputs") << 3;
    QTest::newRow("under the results") << 7;
    QTest::newRow("under the squares") << 9;
}

void tst_Form::rules()
{
    QFETCH(int, row);

    MainWindow window;
    Form form(window);
    auto *rule = qobject_cast<QFrame *>(form.at(row, 0));
    QVERIFY(rule);
    QCOMPARE(rule->frameShape(), QFrame::HLine);

    int r, c, rowSpan, columnSpan;
    form.grid->getItemPosition(form.grid->indexOf(rule), &r, &c, &rowSpan, &columnSpan);
    QCOMPARE(columnSpan, 4);
}

void tst_Form::typing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");

    // row 8 is the first count square
    QTest::newRow("square: 500") << 8 << false << "500"
                                 << "500";
    QTest::newRow("square: 0") << 8 << false << "0"
                               << "0";
    QTest::newRow("square: 501 stops at 50") << 8 << false << "501"
                                             << "50";
    QTest::newRow("square: 999 stops at 99") << 8 << false << "999"
                                             << "99";
    QTest::newRow("square: letters") << 8 << false << "abc"
                                     << "";
    QTest::newRow("square: minus sign") << 8 << false << "-5"
                                        << "5";
    QTest::newRow("square: plus sign") << 8 << false << "+5"
                                       << "5";
    QTest::newRow("square: decimal point") << 8 << false << "1.5"
                                           << "15";
    QTest::newRow("square: emptied") << 8 << false << ""
                                     << "";
    QTest::newRow("square: pasted 1,000") << 8 << true << "1,000"
                                          << "";
    QTest::newRow("square: pasted 1000") << 8 << true << "1000"
                                         << "";
    QTest::newRow("slurry: 10000") << 1 << false << "10000"
                                   << "10000";
    QTest::newRow("slurry: 10001 stops at 1000") << 1 << false << "10001"
                                                 << "1000";
    QTest::newRow("slurry: 99999 stops at 9999") << 1 << false << "99999"
                                                 << "9999";
    QTest::newRow("slurry: digit grouping") << 1 << false << "1,000"
                                            << "1000";
    QTest::newRow("slurry: pasted 1,000") << 1 << true << "1,000"
                                          << "";
    QTest::newRow("slurry: pasted 2500") << 1 << true << "2500"
                                         << "2500";
    QTest::newRow("slurry: space") << 1 << false << "1 5"
                                   << "15";
    QTest::newRow("gravity: anything goes") << 2 << false << "12.5 P"
                                            << "12.5 P";
    QTest::newRow("gravity: minus sign") << 2 << false << "-3"
                                         << "-3";
}

void tst_Form::typing()
{
    QFETCH(int, row);
    QFETCH(bool, pasted);
    QFETCH(QString, keys);
    QFETCH(QString, shown);

    MainWindow window;
    Form form(window);
    QLineEdit *edit = row == 8 ? form.square(0) : qobject_cast<QLineEdit *>(form.at(row, 1));
    if (pasted) {
        edit->clear();
        edit->insert(keys);
    } else {
        Form::type(edit, keys);
    }
    QCOMPARE(edit->text(), shown);
}

void tst_Form::tabOrder()
{
    MainWindow window;
    Form form(window);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QList<QWidget *> expected = {form.dilution(), form.slurry(), form.gravity()};
    for (int i = 0; i < 9; ++i)
        expected << form.square(i);
    expected << form.addButton() << form.removeButton();

    form.dilution()->setFocus();
    QList<QWidget *> visited;
    for (int i = 0; i < expected.size(); ++i) {
        visited << QApplication::focusWidget();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(QApplication::focusWidget(), form.dilution());
}

void tst_Form::squaresEdgeToEdge()
{
    MainWindow window;
    Form form(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (int i = 0; i < 9; ++i) {
        const QRect square = form.square(i)->geometry();
        QVERIFY(!square.isEmpty());
        if (i % 3 < 2)
            QCOMPARE(form.square(i + 1)->geometry().left(), square.right() + 1);
        if (i < 6)
            QCOMPARE(form.square(i + 3)->geometry().top(), square.bottom() + 1);
    }
}

void tst_Form::editingAloneChangesNoResult_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys");

    QTest::newRow("typing a count") << 8 << "50";
    QTest::newRow("typing a slurry volume") << 1 << "100";
    QTest::newRow("typing a gravity") << 2 << "12";
    QTest::newRow("choosing a dilution") << 0 << "";
}

void tst_Form::editingAloneChangesNoResult()
{
    QFETCH(int, row);
    QFETCH(QString, keys);

    MainWindow window;
    Form form(window);
    MessageLog log;
    if (row == 0)
        QTest::keyClick(form.dilution(), Qt::Key_Down);
    else
        Form::type(row == 8 ? form.square(4) : qobject_cast<QLineEdit *>(form.at(row, 1)), keys);
    QCOMPARE(form.results(), QStringList({"0", "0", "0"}));
    QCOMPARE(log.take(), QStringList());
    if (row == 0)
        QCOMPARE(form.dilution()->currentText(), QStringLiteral("100"));
}

void tst_Form::ownSlotsInOrder()
{
    MainWindow window;
    const QMetaObject *meta = window.metaObject();
    QCOMPARE(meta->className(), "MainWindow");

    QStringList own;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Public);
        own << QString::fromLatin1(method.methodSignature());
    }
    QCOMPARE(own, QStringList({"doMath(int)", "setcurrentSquare(int)", "addOne()", "subOne()"}));
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
    QCOMPARE(meta->enumeratorCount(), meta->enumeratorOffset());
}

QTEST_MAIN(tst_Form)
#include "tst_form.moc"
