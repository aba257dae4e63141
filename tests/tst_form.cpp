#include "formaccess.h"

#include <QMetaMethod>

class tst_Form : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void freshWindow();
    void typing_data();
    void typing();
    void tabOrder();
    void squaresEdgeToEdge();
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
    return qobject_cast<QComboBox *>(widget)->currentText();
}

void tst_Form::freshWindow()
{
    MainWindow window;
    Form form(window);

    QStringList lines;
    for (int row : {0, 1, 2, 4, 5, 6})
        lines << qobject_cast<QLabel *>(form.at(row, 0))->text() + '|' + shownText(form.at(row, 1));
    QCOMPARE(lines,
             QStringList({"Dilution 1:X|10", "Slurry Volume (ml)|", "Degree Plato:|",
                          "Cells Per ml:|0", "Cells Total:|0", "ml Needed / Gallon Wort:|0"}));

    QStringList dilutions;
    for (int i = 0; i < form.dilution()->count(); ++i)
        dilutions << form.dilution()->itemText(i);
    QCOMPARE(dilutions, QStringList({"10", "100", "1000", "10000", "100000", "1000000"}));
    QVERIFY(!form.dilution()->isEditable());

    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.square(i)->text(), QStringLiteral("0"));
        QCOMPARE(form.square(i)->validator()->parent(), &window);
    }
    QCOMPARE(form.slurry()->validator()->parent(), &window);
    QVERIFY(!form.gravity()->validator());
}

// row 8 stands for the first count square
static void typed(const char *name, int row, const char *keys, const char *shown,
                  bool pasted = false)
{
    QTest::newRow(name) << row << pasted << QString(keys) << QString(shown);
}

void tst_Form::typing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");

    typed("square: 500", 8, "500", "500");
    typed("square: 0", 8, "0", "0");
    typed("square: 501 stops at 50", 8, "501", "50");
    typed("square: 999 stops at 99", 8, "999", "99");
    typed("square: letters", 8, "abc", "");
    typed("square: minus sign", 8, "-5", "5");
    typed("square: plus sign", 8, "+5", "5");
    typed("square: decimal point", 8, "1.5", "15");
    typed("square: emptied", 8, "", "");
    typed("square: pasted 1,000", 8, "1,000", "", true);
    typed("square: pasted 1000", 8, "1000", "", true);
    typed("slurry: 10000", 1, "10000", "10000");
    typed("slurry: 10001 stops at 1000", 1, "10001", "1000");
    typed("slurry: 99999 stops at 9999", 1, "99999", "9999");
    typed("slurry: digit grouping", 1, "1,000", "1000");
    typed("slurry: pasted 1,000", 1, "1,000", "", true);
    typed("slurry: pasted 2500", 1, "2500", "2500", true);
    typed("slurry: space", 1, "1 5", "15");
    typed("gravity: anything goes", 2, "12.5 P", "12.5 P");
    typed("gravity: minus sign", 2, "-3", "-3");
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
