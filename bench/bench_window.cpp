// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the window against the toolkit's floor, a bare QMainWindow holding
// one QLabel, each in a fresh process:
//   bench_window startup window|bare   microseconds to the end of the first paint, peak RSS in KiB
//   bench_window step N [bare]         microseconds per click on "Add 1" or "Remove 1", or
//                                      on two plain buttons connected to nothing
#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

// Quits the event loop once the window's first paint has been delivered.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window)
        : target(window)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!painted && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == target) {
            painted = true;
            QTimer::singleShot(0, qApp, SLOT(quit()));
        }
        return false;
    }

private:
    QWidget *target;
    bool painted = false;
};

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int startup(bool bare)
{
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("0")));
    } else {
        window = std::make_unique<MainWindow>();
    }
    // cppcheck-suppress unreadVariable ; it watches for the first paint while it lives
    FirstPaint firstPaint(window.get());
    window->show();
    QTimer::singleShot(10000, qApp, SLOT(quit()));
    QApplication::exec();
    std::printf("%lld %ld\n", timer.nsecsElapsed() / 1000, peakResidentKiB());
    return 0;
}

// Kept out of line so that callgrind can count exactly these instructions.
[[gnu::noinline]] void runSteps(QPushButton *add, QPushButton *remove, int steps)
{
    for (int i = 0; i < steps; ++i)
        QTest::mouseClick(i % 2 ? remove : add, Qt::LeftButton);
}

double microsecondsPerStep(QPushButton *add, QPushButton *remove, int steps)
{
    QElapsedTimer timer;
    timer.start();
    runSteps(add, remove, steps);
    return double(timer.nsecsElapsed()) / 1000.0 / steps;
}

int step(int steps)
{
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *grid = qobject_cast<QGridLayout *>(window.centralWidget()->layout());
    const auto widgetAt = [grid](int row, int column) {
        return grid->itemAtPosition(row, column)->widget();
    };
    auto *squares = qobject_cast<QGridLayout *>(grid->itemAtPosition(8, 0)->layout());
    QTest::mouseClick(squares->itemAtPosition(1, 1)->widget(), Qt::LeftButton);
    auto *add = qobject_cast<QPushButton *>(widgetAt(10, 0));
    auto *remove = qobject_cast<QPushButton *>(widgetAt(10, 1));

    const double microseconds = microsecondsPerStep(add, remove, steps);

    // an odd number of steps ends on "Add 1": the square holds 1
    const QString expected = steps % 2 ? QStringLiteral("100,000") : QStringLiteral("0");
    const QString cellsPerMl = qobject_cast<QLabel *>(widgetAt(4, 1))->text();
    if (cellsPerMl != expected) {
        std::fprintf(stderr, "steps did not reach the labels: %s\n", qPrintable(cellsPerMl));
        return 1;
    }
    std::printf("%.2f\n", microseconds);
    return 0;
}

// The toolkit's floor for the same clicks: a button repaints itself on press and release.
int bareStep(int steps)
{
    QMainWindow window;
    auto *central = new QWidget;
    auto *grid = new QGridLayout(central);
    auto *add = new QPushButton(QStringLiteral("Add 1"));
    auto *remove = new QPushButton(QStringLiteral("Remove 1"));
    grid->addWidget(add, 0, 0);
    grid->addWidget(remove, 0, 1);
    window.setCentralWidget(central);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    std::printf("%.2f\n", microsecondsPerStep(add, remove, steps));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("startup"))
        return startup(args.at(2) == QLatin1String("bare"));
    if (args.size() >= 3 && args.at(1) == QLatin1String("step")) {
        const int steps = qMax(1, args.at(2).toInt());
        return args.value(3) == QLatin1String("bare") ? bareStep(steps) : step(steps);
    }
    std::fprintf(stderr, "usage: bench_window startup window|bare | step N [bare]\n");
    return 2;
}
