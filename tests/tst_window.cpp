// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldguard.h"
#include "mainwindow.h"
#include "plainintvalidator.h"

#include <QtTest>
#include <QtWidgets>
#include <private/qinputmethod_p.h>
#include <qpa/qplatforminputcontext.h>

// The window's own debug messages; every other message goes on to QtTest's output.
static QStringList messages;
static QtMessageHandler passOn;

// Commits its composition when Qt asks, as IBus does.
class InputMethod : public QPlatformInputContext
{
public:
    QString composing;
    bool isValid() const override { return true; }
    void reset() override { composing.clear(); }
    void commit() override
    {
        QInputMethodEvent event;
        event.setCommitString(std::exchange(composing, QString()));
        if (!event.commitString().isEmpty() && QGuiApplication::focusObject())
            QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
    }
};

class tst_Window : public QObject
{
    Q_OBJECT

    InputMethod inputMethod;
    std::unique_ptr<MainWindow> window;
    // By the names a script uses: the squares "0" to "8", the buttons "+" and "-", and
    // the dilution, slurry and gravity fields.
    QHash<QString, QWidget *> named;

    QLayout *form() const { return window->centralWidget()->layout(); }
    // What fills a cell of a grid; an empty item where the layout has nothing there.
    static QLayoutItem *at(QLayout *layout, int row, int column)
    {
        static QSpacerItem nothing(0, 0);
        const auto *grid = qobject_cast<QGridLayout *>(layout);
        return grid && grid->itemAtPosition(row, column) ? grid->itemAtPosition(row, column)
                                                         : &nothing;
    }
    // What a cell shows: a text, the dilution chosen, a rule, the counts of the squares
    // in it ("_" for an empty one), or nothing.
    static QString read(QLayoutItem *cell)
    {
        QStringList counts;
        for (int i = 0; cell->layout() && i < cell->layout()->count(); ++i)
            counts << read(cell->layout()->itemAt(i)).leftJustified(1, '_');
        const QWidget *widget = cell->widget();
        if (!widget || widget->property("frameShape").toInt() == QFrame::HLine)
            return widget ? "rule" : cell->layout() ? counts.join(' ') : "nothing";
        return widget->property(widget->inherits("QComboBox") ? "currentText" : "text").toString();
    }
    QString read(int row, int column) const { return read(at(form(), row, column)); }

    // Words split by spaces. A word names a widget: alone, the mouse presses it; with ">"
    // and keys after it, they are typed into it, or into the widget with focus where no
    // name comes first. Keys: ⌫ Backspace, ⌦ Ctrl+Delete, ← → ↑ ↓ arrows (in the dilution they step
    // its items), ⇠ Shift+Left, ↖ Home, ↘ End, ⇥ Tab, ↶ Undo, ↷ Redo. Calls: "doMath(N)", the slot
    // behind the buttons, as N clicks on Add 1 would; "paste(TEXT)" into the widget with focus;
    // "im(TEXT,FROM,LENGTH[,PREEDIT])", an input method committing TEXT over LENGTH characters from
    // FROM after the cursor, and showing PREEDIT, which it commits when Qt asks. ␀ stands for
    // U+0000.
    void act(const QString &script)
    {
        // clang-format off
        const QHash<QChar, QKeySequence> keys{{u'⌫', Qt::Key_Backspace}, {u'⇥', Qt::Key_Tab}, {u'⌦', QKeySequence::DeleteEndOfWord},
                {u'←', Qt::Key_Left}, {u'→', Qt::Key_Right}, {u'↑', Qt::Key_Up}, {u'↓', Qt::Key_Down},
                {u'⇠', Qt::SHIFT | Qt::Key_Left}, {u'↖', Qt::Key_Home}, {u'↘', Qt::Key_End},
                {u'↶', QKeySequence::Undo}, {u'↷', QKeySequence::Redo}};
        // clang-format on
        messages.clear();
        for (const QString &word : script.split(' ')) {
            QWidget *focus = QApplication::focusWidget();
            if (word.endsWith(')')) {
                const QString call = word.section('(', 0, 0);
                const QStringList args =
                        word.section('(', 1).chopped(1).replace(u'␀', QChar()).split(',');
                if (call == "doMath") {
                    window->doMath(args[0].toInt());
                } else if (call == "paste") {
                    QApplication::clipboard()->setText(args[0]);
                    QTest::keySequence(focus, QKeySequence::Paste);
                } else if (call == "im" && args.size() >= 3) {
                    inputMethod.composing = args.value(3);
                    QInputMethodEvent event(inputMethod.composing, {});
                    event.setCommitString(args[0], args[1].toInt(), args[2].toInt());
                    QApplication::sendEvent(focus, &event);
                } else {
                    QFAIL(qPrintable("no such call: " + word));
                }
                continue;
            }
            const QString name = word.section('>', 0, 0);
            QWidget *widget = name.isEmpty() ? focus : named.value(name);
            QVERIFY2(widget, qPrintable("no widget: " + word));
            if (!word.contains('>'))
                QTest::mouseClick(widget, Qt::LeftButton);
            else
                for (const QChar key : word.section('>', 1))
                    keys.contains(key) ? QTest::keySequence(widget, keys[key])
                                       : QTest::keyClick(widget, key.toLatin1());
        }
    }

private slots:
    void initTestCase()
    {
        // A desktop that groups digits with points: the figures still group with commas,
        // and Qt's own validator would take "1.000".
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QInputMethodPrivate::get(QGuiApplication::inputMethod())->testContext = &inputMethod;
        passOn = qInstallMessageHandler(
                [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                    type == QtDebugMsg && !qstrcmp(context.category, "default")
                            ? messages.append(text)
                            : passOn(type, context, text);
                });
    }
    void cleanupTestCase()
    {
        window.reset();
        QInputMethodPrivate::get(QGuiApplication::inputMethod())->testContext = nullptr;
    }
    void init()
    {
        window = std::make_unique<MainWindow>();
        // Shown and active, so that a press gives focus and Tab moves it on.
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support propagateSizeHints()");
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto cell = [this](int row, int column) { return at(form(), row, column)->widget(); };
        named = {{"dilution", cell(0, 1)}, {"slurry", cell(1, 1)}, {"gravity", cell(2, 1)}};
        named.insert({{"+", cell(10, 0)}, {"-", cell(10, 1)}});
        for (int i = 0; i < 9; ++i)
            named[QString::number(i)] = at(at(form(), 8, 0)->layout(), i / 3, i % 3)->widget();
    }

    void session_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("result");
        // clang-format off
        QTest::newRow("three squares of 1 round down, empty adds nothing, Tab then Up steps the square pressed") << "dilution>↓↓ 0>⌫1 1>⌫1 2>⌫ 8>⌫ 2 >⇥↑" << "1 1 1 0 0 0 0 0 _ | 9,999,999 0 0";
        QTest::newRow("six squares of 1 add up their volume") << "0>⌫1 1>⌫1 2>⌫1 3>⌫1 4>⌫1 5>⌫1 5 - +" << "1 1 1 1 1 1 0 0 0 | 100,000 0 0";
        QTest::newRow("nine squares, ml cut from 12,975.6") << "slurry>1500 gravity>14 0>⌫40 1>⌫38 2>⌫42 3>⌫45 4>⌫39 5>⌫41 6>⌫37 7>⌫44 8>⌫42 8 +" << "40 38 42 45 39 41 37 44 43 | 4,100,000 6,150,000,000 12,975";
        QTest::newRow("typing stops at the top, after a step too, and after undo") << "0>⌫501↖-↘0 slurry>1.0001 0 + 0>9x 0>⌫↶9x,- +" << "502 0 0 0 0 0 0 0 0 | 50,200,000 50,200,000,000 0";
        QTest::newRow("typing after a redo lands at the cursor and in the selection") << "0 0>↘1←→2↶↶↷3↶↖7000 1 1>↘1←→2↶↶↷3 2 2>↘5⇠6↶↷4↶↘600 +" << "00001 013 67 0 0 0 0 0 0 | 2,699,999 0 0";
        QTest::newRow("an edit over a leftward selection undoes after a redo") << "0 0>↘⇠7↶↷↶ slurry>250↘⇠9↶↷↶ 0 +" << "1 0 0 0 0 0 0 0 0 | 100,000 25,000,000 0";
        QTest::newRow("input method ranges past either end, a key after a preedit, Undo after a refused commit") << "0 im(1,3,0) 0>5 1 im(4,-1,5) 1>7 2 2>6 im(,1,3) 2>⌫ 2 + 3 im(,0,0,12) 3>→5 4 4>5 im(x,0,0) 4>↶" << "015 47 1 0152 0 0 0 0 0 | 2,099,999 0 0";
        QTest::newRow("the largest count stays, capped") << "dilution>↓↓↓↓↓ slurry>10000 0>⌫500 0 doMath(2147483147) +" << "2147483647 0 0 0 0 0 0 0 0 | 9,223,372,036,854,774,784 92,233,720,368,547,747,840,000 0";
        QTest::newRow("edits wait for the next step") << "0 + dilution>↓↓↓↓ slurry>100 gravity>12 1>⌫5" << "1 5 0 0 0 0 0 0 0 | 100,000 0 0";
        QTest::newRow("gravity in tenths") << "slurry>100 gravity>16.4 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 12,464";
        QTest::newRow("past thousandths dropped") << "slurry>100 gravity>12.3449 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,381";
        QTest::newRow("a point at the end, a no-break space after") << "slurry>100 gravity>12.\u00a0 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,120";
        QTest::newRow("a point at the start, a sign before, cut toward zero") << "slurry>100 gravity>-.5 0>⌫6 0 +" << "7 0 0 0 0 0 0 0 0 | 700,000 70,000,000 -2,714";
        QTest::newRow("gravity pasted with a NUL") << "slurry>100 gravity paste(16␀) 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 0";
        QTest::newRow("a digit typed after an input method's range on an empty field") << "slurry>100 gravity im(,0,3) gravity>12.5 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,500";
        QTest::newRow("digits typed after a redo that emptied a square") << "0 0>⌫12⌫⇠⌫↶↷⌫56 +" << "57 0 0 0 0 0 0 0 0 | 5,700,000 0 0";
        QTest::newRow("a composition cancelled after a range past the end commits nothing") << "slurry>100 gravity gravity>12 im(,1,1,1) im(,0,0) 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 9,120";
        QTest::newRow("Ctrl+Delete while composing a refused letter deletes nothing") << "0 0>⌫12 im(x,-1,0,7x) 0>⌦ +" << "13 0 0 0 0 0 0 0 0 | 1,300,000 0 0";
        QTest::newRow("gravity typed over an input method's range past the end") << "slurry>100 gravity gravity>12 im(4,-1,5) gravity>0 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 106,400";
        QTest::newRow("gravity with a minus sign") << "slurry>100 gravity paste(−.5) 0>⌫6 0 +" << "7 0 0 0 0 0 0 0 0 | 700,000 70,000,000 -2,714";
        QTest::newRow("gravity's decimals not all digits") << "slurry>100 gravity>12.345x 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 0";
        QTest::newRow("gravity below range") << "slurry>100 gravity>-2147483649 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 5,000,000 500,000,000 0";
        QTest::newRow("gravity out of range") << "dilution>↓↓↓↓ slurry>100 gravity>2147483648.5 0>⌫49 0 +" << "50 0 0 0 0 0 0 0 0 | 50,000,000,000 5,000,000,000,000 0";
        // clang-format on
    }
    void session()
    {
        QFETCH(QString, script);
        QFETCH(QString, result);
        act(script);
        // The nine squares, then the three figures.
        QCOMPARE(read(8, 0) + " | " + read(4, 1) + ' ' + read(5, 1) + ' ' + read(6, 1), result);
    }

    // A refused text gives way to the last one taken, unless the validator set since
    // refuses that one too.
    void guardWithValidatorReplaced()
    {
        PlainIntValidator upTo20(20, nullptr);
        PlainIntValidator upTo10(10, nullptr);
        QLineEdit field;
        new FieldGuard(&field);
        field.setValidator(&upTo20);
        QStringList shown;
        const auto set = [&](const char *text) {
            field.setText(text);
            QCoreApplication::processEvents();
            shown << field.text();
        };
        set("12");
        set("30");
        field.setValidator(&upTo10);
        set("40");
        QCOMPARE(shown.join(' '), "12 12 40");
    }

    // Before editing starts, the first input replaces the whole text: a range is held to
    // what is left, so no spaces are padded in.
    void guardInPasswordEchoOnEdit()
    {
        QLineEdit *field = new QLineEdit(window->centralWidget());
        new FieldGuard(field);
        field->setEchoMode(QLineEdit::PasswordEchoOnEdit);
        field->show();
        field->setText("secret");
        field->setFocus();
        field->setCursorPosition(2);
        act("im(x,3,0) >y");
        QCOMPARE(field->text(), "xy");
    }

    // Every debug message of a short session, in order: steps before any square is
    // pressed change nothing. Then the form, row by row, as the user reads it.
    void messagesOfASession()
    {
        act("8>↑↓ + - gravity>-0,050 7 8>↑↓↓");
        QCOMPARE(messages.join(" / "),
                 "lineEdit -> Qt::Key_Up / lineEdit -> Qt::Key_Down / currentSquare =  7 / "
                 "lineEdit -> Qt::Key_Up / 1 / 100000 / -0.05  *  1000000  *  3800  /  100000  =  "
                 "-1900 / lineEdit -> Qt::Key_Down / 0 / lineEdit -> Qt::Key_Down / 0");
        QStringList rows;
        for (int row = 0; row < 11; ++row)
            rows << read(row, 0) + " | " + read(row, 1);
        QCOMPARE(rows.join(" / "),
                 "Dilution 1:X | 10 / Slurry Volume (ml) |  / Degree Plato: | -0,050 / rule | rule "
                 "/ Cells Per ml: | 0 / Cells Total: | 0 / ml Needed / Gallon Wort: | 0 / rule | "
                 "rule / 0 0 0 0 0 0 0 0 0 | 0 0 0 0 0 0 0 0 0 / rule | rule / Add 1 | Remove 1");
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
