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

    // Keys by the names QKeySequence reads, split by spaces: "Backspace 1 2 Ctrl+Z".
    void type(const QString &keys)
    {
        for (const QString &key : keys.split(' ', Qt::SkipEmptyParts)) {
            const QKeySequence sequence = QKeySequence::fromString(key);
            QVERIFY2(sequence.toString() == key, qPrintable("no key " + key));
            QTest::keySequence(field.get(), sequence);
        }
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
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("preedit");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        // An input method commits text over length characters from the cursor + from,
        // and shows preedit; one that sends "" from 0 over 0 changes nothing.
        // clang-format off
        QTest::newRow("a digit typed after Undo, Undo and Redo lands at the cursor") << "End 1 Left Right 2 Ctrl+Z Ctrl+Z Ctrl+Shift+Z 3" << "" << 0 << 0 << "" << "" << "013" << 3;
        QTest::newRow("digits typed after a Redo that emptied the square are kept") << "Backspace 1 2 Backspace Shift+Left Backspace Ctrl+Z Ctrl+Shift+Z Backspace 5 6" << "" << 0 << 0 << "" << "" << "56" << 2;
        QTest::newRow("digits typed after a range on an emptied square are kept") << "Backspace" << "" << 0 << 3 << "" << "1 2" << "12" << 2;
        QTest::newRow("a commit after a selected digit counts from the selection's start") << "Backspace 1 2 3 Home Shift+Right" << "9" << 2 << 0 << "" << "" << "239" << 3;
        QTest::newRow("a commit past the end of a selection lands at the end") << "Backspace 1 2 3 Shift+Left" << "9" << 1 << 0 << "" << "" << "129" << 3;
        // Right moves by the layout that still shows the preedit Qt then drops.
        QTest::newRow("a digit typed after Right past a preedit is kept") << "Backspace 1" << "" << 0 << 0 << "0" << "Right 5" << "15" << 2;
        // clang-format on
    }
    void edits()
    {
        QFETCH(QString, before);
        QFETCH(QString, commit);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QString, preedit);
        QFETCH(QString, after);
        type(before);
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit, from, length);
        QApplication::sendEvent(field.get(), &event);
        type(after);
        QTEST(field->text(), "text");
        QTEST(field->cursorPosition(), "cursor");
    }

    // Once the call is through: a refused text gives way to the last one taken.
    void refusedTextSetByACall()
    {
        type("Backspace 1 2");
        field->setText("600");
        QCoreApplication::processEvents();
        QCOMPARE(field->text(), "12");
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
        type("2");
        QCOMPARE(field->text(), "02");
    }
};

QTEST_MAIN(tst_FieldGuard)
#include "tst_fieldguard.moc"
