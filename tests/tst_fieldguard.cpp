// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldguard.h"
#include "plainintvalidator.h"

#include <QtTest>
#include <QtWidgets>

// Each test starts from a field like a count square: "0", taking whole numbers
// up to 500, shown and focused, with the cursor after the 0.
class tst_FieldGuard : public QObject
{
    Q_OBJECT

    PlainIntValidator upTo500{500, nullptr};
    std::unique_ptr<QLineEdit> field;

    // Keys by the names QKeySequence reads, split by spaces: "Backspace 1 2 Ctrl+Z"; and
    // what an input method sends: "commit:TEXT:FROM:LENGTH" commits TEXT over LENGTH
    // characters from the cursor + FROM, "preedit:TEXT" shows TEXT as being composed.
    // Returns the first step it does not know.
    QString type(const QString &steps)
    {
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QStringList im = step.split(':');
            const QKeySequence key = QKeySequence::fromString(step);
            if (im.size() == 4 && im[0] == "commit") {
                QInputMethodEvent event;
                event.setCommitString(im[1], im[2].toInt(), im[3].toInt());
                QApplication::sendEvent(field.get(), &event);
            } else if (im.size() == 2 && im[0] == "preedit") {
                QInputMethodEvent event(im[1], {});
                QApplication::sendEvent(field.get(), &event);
            } else if (key.toString() == step) {
                QTest::keySequence(field.get(), key);
            } else {
                return step;
            }
        }
        return QString();
    }

private slots:
    void init()
    {
        field = std::make_unique<QLineEdit>("0");
        new FieldGuard(field.get());
        field->setValidator(&upTo500);
        field->show();
        QVERIFY(QTest::qWaitForWindowActive(field.get()));
    }

    void edits_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("text");
        QTest::newRow("a digit typed after Undo, Undo and Redo lands at the cursor and undoes")
                << "End 1 Left Right 2 Ctrl+Z Ctrl+Z Ctrl+Shift+Z 3 Ctrl+Z" << 2 << "01";
        QTest::newRow("digits typed after a Redo that emptied the square are kept and undo")
                << "Shift+Left Backspace Ctrl+Z Ctrl+Shift+Z 5 6 Ctrl+Z" << 0 << "0";
        QTest::newRow("Shift+Left and 2 after a Redo of 1 typed over 0 keep the 1")
                << "Shift+Home 1 Ctrl+Z Ctrl+Shift+Z Shift+Left 2" << 1 << "21";
        QTest::newRow("digits typed after a range on an emptied square are kept")
                << "Backspace commit::0:3 1 2" << 2 << "12";
        QTest::newRow("a commit over a range before the text leaves nothing selected")
                << "End 1 Left commit:2:-5:3 Backspace" << 0 << "01";
        QTest::newRow("a commit after a selected digit counts from the selection's start")
                << "Backspace 1 2 3 Home Shift+Right commit:9:2:0" << 3 << "239";
        QTest::newRow("a commit past the end of a selection lands at the end")
                << "Backspace 1 2 3 Shift+Left commit:9:1:0" << 3 << "129";
        // Right moves by the layout that still shows the preedit Qt then drops.
        QTest::newRow("a digit typed after Right past a preedit is kept")
                << "Backspace 1 preedit:0 Right 5" << 2 << "15";
    }
    void edits()
    {
        QFETCH(QString, steps);
        QCOMPARE(type(steps), QString());
        QTEST(field->cursorPosition(), "cursor");
        QTEST(field->text(), "text");
    }

    void refusedTextSetByACall_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("text");
        QTest::newRow("a count above the top gives way to the last one taken") << 500 << "125";
        QTest::newRow("a validator that refuses both keeps the text set, as Qt does")
                << 5 << "6005";
    }
    // The next key, even one queued before the event loop runs again, finds it repaired.
    void refusedTextSetByACall()
    {
        QFETCH(int, top);
        PlainIntValidator validator(top, nullptr);
        QCOMPARE(type("Backspace 1 2"), QString());
        field->setValidator(&validator);
        field->setText("600");
        QCOMPARE(type("5"), QString());
        QTEST(field->text(), "text");
    }

    // What the field holds while a slot runs the event loop, as a dialog does,
    // is a text it took.
    void refusedTextAfterANestedEventLoop()
    {
        QMetaObject::Connection nested;
        nested = connect(field.get(), &QLineEdit::textChanged, this, [&] {
            disconnect(nested);
            QCoreApplication::processEvents();
            field->setText("x");
        });
        QCOMPARE(type("2"), QString());
        QCOMPARE(field->text(), "02");
    }

    // Qt empties a password field at the first input, then takes the range from there.
    void passwordFieldsFirstCommit()
    {
        field->setEchoMode(QLineEdit::PasswordEchoOnEdit);
        field->setCursorPosition(0);
        QCOMPARE(type("commit:5:3:0"), QString());
        QCOMPARE(field->text(), "5");
    }

    // Qt blocks the field's signals there, so only the sanitizers see a repair of
    // a field whose ~QLineEdit has run.
    void focusedFieldDeletedWithARepairWaiting()
    {
        field->setText("600");
        field.reset();
    }
};

QTEST_MAIN(tst_FieldGuard)
#include "tst_fieldguard.moc"
