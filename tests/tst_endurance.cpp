#include "formaccess.h"

#include <QFile>

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER
#endif
#endif

class tst_Endurance : public QObject
{
    Q_OBJECT

private slots:
    void hundredThousandSteps();
    void thousandWindows();
};

static int messageCount = 0;

static void countMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
    ++messageCount;
}

// Resident memory as the kernel reports it, or -1 if it cannot be read.
static qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    // procfs reports a size of 0, so read it whole rather than up to atEnd()
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

void tst_Endurance::hundredThousandSteps()
{
    MainWindow window;
    Form form(window);
    messageCount = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countMessage);
    form.press(6);

    // Each round: Up, Add 1, Up, Remove 1 -- four steps, two up net.
    const auto round = [&form] {
        QTest::keyClick(form.square(6), Qt::Key_Up);
        QTest::mouseClick(form.addButton(), Qt::LeftButton);
        QTest::keyClick(form.square(6), Qt::Key_Up);
        QTest::mouseClick(form.removeButton(), Qt::LeftButton);
    };
    for (int i = 0; i < 250; ++i)
        round();
    const qint64 before = residentBytes();
    for (int i = 250; i < 25000; ++i)
        round();
    const qint64 after = residentBytes();
    qInstallMessageHandler(previous);

    QCOMPARE(form.square(6)->text(), QStringLiteral("50000"));
    // one selection, then three messages a step and one more for each arrow key
    QCOMPARE(messageCount, 1 + 100000 * 3 + 50000);
    QCOMPARE(form.results(), QStringList({"5,000,000,000", "0", "0"}));

#ifdef UNDER_ADDRESS_SANITIZER
    QSKIP("AddressSanitizer holds freed memory in quarantine; LeakSanitizer covers leaks there");
#elif !defined(Q_OS_LINUX)
    QSKIP("resident memory is read from /proc");
#endif
    QVERIFY(before > 0);
    // Even one leaked 16-byte block a step would add 3 MiB over 99,000 steps.
    QVERIFY2(after - before < 1048576,
             qPrintable(QStringLiteral("resident %1 -> %2 bytes").arg(before).arg(after)));
}

void tst_Endurance::thousandWindows()
{
    // Qt keeps every widget in a registry, out of LeakSanitizer's sight.
    const auto widgetsBefore = QApplication::allWidgets().size();
    messageCount = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countMessage);
    for (int i = 0; i < 1000; ++i) {
        MainWindow window;
        Form form(window);
        form.press(i % 9);
        QTest::mouseClick(form.addButton(), Qt::LeftButton);
        QCOMPARE(form.square(i % 9)->text(), QStringLiteral("1"));
    }
    qInstallMessageHandler(previous);
    QCOMPARE(messageCount, 1000 * 4);
    QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
}

QTEST_MAIN(tst_Endurance)
#include "tst_endurance.moc"
