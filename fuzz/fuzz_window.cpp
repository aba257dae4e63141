// Plays bytes as a brewer's actions on a real window and checks, after every
// action, what must always hold on screen. One action per opcode byte:
//   0 s    press square s%9 (left or right button by s/9)
//   1      click "Add 1"            2      click "Remove 1"
//   3 s    Up on square s%9         4 s    Down on square s%9 (modifiers by s/9)
//   5 d    choose dilution d%6
//   6 f n  type n%24 characters into field f%11 (0-8 squares, 9 slurry, 10 gravity)
//   7 f n  paste them instead
//   8 s n  a square that stepping has carried to an n%13-digit count
#include "formaccess.h"

#include <QRegularExpression>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Input
{
    const uint8_t *data;
    size_t size;
    size_t at = 0;

    bool atEnd() const { return at >= size; }
    uint8_t next() { return at < size ? data[at++] : 0; }
};

// Fields by number: 0-8 the squares, 9 the slurry, 10 the gravity.
QLineEdit *field(const Form &form, int f)
{
    return f < 9 ? form.square(f) : f == 9 ? form.slurry() : form.gravity();
}

void fail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "broken invariant: %s: %s\n", what, qPrintable(detail));
    std::abort();
}

QString textFrom(Input &input, int length)
{
    // digits, signs, separators, letters, and digits from other scripts
    static const QString alphabet = QStringLiteral("0123456789012345-+ ,.e\u0663\uff13x");
    QString text;
    for (int i = 0; i < length; ++i)
        text += alphabet.at(input.next() % alphabet.size());
    return text;
}

bool isPlainDigits(const QString &text)
{
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    }
    return true;
}

qint64 readGrouped(const QString &text, bool *ok)
{
    QString digits = text;
    return digits.remove(QLatin1Char(',')).toLongLong(ok);
}

void checkFigures(const Form &form)
{
    // cells per ml, cells total, ml needed
    const QStringList shown = form.results();
    static const QRegularExpression grouped(QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})*$"));
    for (const QString &figure : shown) {
        if (!grouped.match(figure).hasMatch())
            fail("figure not a grouped integer", figure);
    }
    for (int i : {0, 1}) {
        if (shown.at(i).startsWith(QLatin1Char('-')))
            fail("negative cell count", shown.at(i));
    }
    const qint64 gravity = form.gravity()->text().toInt();
    if (shown.at(2).startsWith(QLatin1Char('-')) && gravity >= 0)
        fail("negative ml without negative gravity", shown.at(2));

    bool counted = false;
    for (int i = 0; i < 9; ++i)
        counted = counted || form.square(i)->text().toInt() > 0;
    bool ok = false;
    const qint64 perMl = readGrouped(shown.at(0), &ok);
    if (!ok || (counted ? perMl <= 0 : perMl != 0))
        fail("cells per ml against the counts", shown.at(0));
    if (!counted) {
        if (shown.at(1) != QLatin1String("0") || shown.at(2) != QLatin1String("0"))
            fail("figures left over with nothing counted", shown.join(QLatin1Char(' ')));
        return;
    }

    const qint64 slurry = form.slurry()->text().toInt();
    qint64 total = 0;
    const bool fits = !__builtin_mul_overflow(slurry, perMl, &total);
    if (fits && readGrouped(shown.at(1), &ok) != total)
        fail("total is not slurry x cells per ml", shown.at(1));
    if (!fits && shown.at(1).size() < 25)
        fail("total past 64 bits shown too short", shown.at(1));

    if (readGrouped(shown.at(2), &ok) != gravity * 3800000000LL / perMl)
        fail("ml needed is not gravity x 3.8e9 / cells per ml", shown.at(2));
}

void checkInputs(const Form &form)
{
    for (int i = 0; i < 9; ++i) {
        if (!isPlainDigits(form.square(i)->text()))
            fail("square holds more than digits", form.square(i)->text());
    }
    const QString slurry = form.slurry()->text();
    if (!isPlainDigits(slurry) || slurry.toInt() > 10000)
        fail("slurry outside 0 to 10000", slurry);
}

void silence(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        fail("fatal message", message);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_window";
    static char *argv[] = {name, nullptr};
    // Kept to the end of the process: destroyed among the exit handlers, it
    // would outlive the Qt globals it needs.
    static QApplication *app = new QApplication(argc, argv);
    Q_UNUSED(app);
    qInstallMessageHandler(silence);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MainWindow window;
    Form form(window);
    Input input{data, size};
    int selected = -1;
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier, Qt::KeypadModifier};

    while (!input.atEnd()) {
        const int op = input.next() % 9;
        if (op >= 1 && op <= 4) {
            const int step = op % 2 ? 1 : -1;
            const int before = selected >= 0 ? form.square(selected)->text().toInt() : 0;
            if (op <= 2) {
                QTest::mouseClick(op == 1 ? form.addButton() : form.removeButton(), Qt::LeftButton);
            } else {
                const int b = input.next();
                QTest::keyClick(form.square(b % 9), step > 0 ? Qt::Key_Up : Qt::Key_Down,
                                modifiers[(b / 9) % 4]);
            }
            if (selected >= 0) {
                const qint64 wanted = qint64(before) + step;
                const int expected = wanted < 0 || wanted > std::numeric_limits<int>::max()
                        ? before
                        : int(wanted);
                if (form.square(selected)->text().toInt() != expected)
                    fail("a step changed the count wrongly", form.square(selected)->text());
                checkFigures(form);
            }
        } else if (op == 0) {
            const int b = input.next();
            selected = b % 9;
            QTest::mouseClick(form.square(selected),
                              (b / 9) % 2 ? Qt::RightButton : Qt::LeftButton);
        } else if (op == 5) {
            form.dilution()->setCurrentIndex(input.next() % 6);
        } else if (op == 6 || op == 7) {
            QLineEdit *edit = field(form, input.next() % 11);
            const QString text = textFrom(input, input.next() % 24);
            Form::type(edit, QString());
            if (op == 6) {
                // keyClicks() only knows ASCII; other digits come as key events with text.
                for (const QChar ch : text)
                    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch),
                                        Qt::NoModifier);
            } else {
                edit->insert(text);
            }
        } else {
            QLineEdit *square = form.square(input.next() % 9);
            const int length = input.next() % 13;
            QString digits;
            for (int i = 0; i < length; ++i)
                digits += QLatin1Char(char('0' + input.next() % 10));
            square->setText(digits);
        }
        checkInputs(form);
    }
    return 0;
}
