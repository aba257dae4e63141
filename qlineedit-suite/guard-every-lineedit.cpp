// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into Qt's own QLineEdit test, unchanged, so that every line edit the
// test constructs gets a FieldGuard: these definitions of QLineEdit's
// constructors stand before Qt's, call Qt's, then attach the guard. When the
// test ends, it says how many it guarded, and fails if any line edit it saw
// shown or typed into went without a guard.
#include "fieldguard.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSet>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace {

int guarded = 0;
QSet<QObject *> unguarded;

class Witness : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::Drop:
            if (qobject_cast<QLineEdit *>(watched)
                && !watched->findChild<FieldGuard *>(QString(), Qt::FindDirectChildrenOnly))
                unguarded.insert(watched);
            break;
        default:
            break;
        }
        return false;
    }
};

void report()
{
    std::printf("guard: %d line edits guarded, %d seen without a guard\n", guarded,
                int(unguarded.size()));
    std::fflush(stdout);
    if (guarded == 0 || !unguarded.isEmpty())
        std::_Exit(3);
}

void attach(QLineEdit *field)
{
    new FieldGuard(field);
    if (guarded++ == 0) {
        qApp->installEventFilter(new Witness);
        std::atexit(report);
    }
}

template <typename Constructor> Constructor qtOwn(const char *symbol)
{
    void *own = dlsym(RTLD_NEXT, symbol);
    if (!own) {
        std::fprintf(stderr, "guard: Qt has no %s\n", symbol);
        std::abort();
    }
    return reinterpret_cast<Constructor>(own);
}

using WithParent = void (*)(QLineEdit *, QWidget *);
using WithText = void (*)(QLineEdit *, const QString &, QWidget *);

} // namespace

// QLineEdit(QWidget *parent) and QLineEdit(const QString &, QWidget *), as
// complete objects (C1) and as the base of the test's own subclasses (C2).
// NOLINTBEGIN(bugprone-reserved-identifier): Qt's own names for them.
extern "C" {
void _ZN9QLineEditC1EP7QWidget(QLineEdit *self, QWidget *parent)
{
    static const auto own = qtOwn<WithParent>("_ZN9QLineEditC1EP7QWidget");
    own(self, parent);
    attach(self);
}
void _ZN9QLineEditC2EP7QWidget(QLineEdit *self, QWidget *parent)
{
    static const auto own = qtOwn<WithParent>("_ZN9QLineEditC2EP7QWidget");
    own(self, parent);
    attach(self);
}
void _ZN9QLineEditC1ERK7QStringP7QWidget(QLineEdit *self, const QString &text, QWidget *parent)
{
    static const auto own = qtOwn<WithText>("_ZN9QLineEditC1ERK7QStringP7QWidget");
    own(self, text, parent);
    attach(self);
}
void _ZN9QLineEditC2ERK7QStringP7QWidget(QLineEdit *self, const QString &text, QWidget *parent)
{
    static const auto own = qtOwn<WithText>("_ZN9QLineEditC2ERK7QStringP7QWidget");
    own(self, text, parent);
    attach(self);
}
}
// NOLINTEND(bugprone-reserved-identifier)
