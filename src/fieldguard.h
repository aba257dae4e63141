// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef FIELDGUARD_H
#define FIELDGUARD_H

#include <QObject>
#include <QString>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QEvent;
class QInputMethodEvent;
class QLineEdit;
QT_END_NAMESPACE

// Holds a plain QLineEdit to its validator and keeps its cursor and selection
// inside its text, whatever route an edit takes: typing, Backspace and Delete,
// paste, drag and drop, input methods, Undo and Redo by key, context menu or
// call. Qt validates typing, pastes and drops itself, but not Undo, Redo or
// setText(); and Redo, or an input method's replacement range, can leave the
// cursor or the selection outside the text, or pad it with spaces.
//
// Promises, once the field has handled an event in full, or once control is
// back in an event loop after a call such as undo() or setText(), whichever
// comes first:
// - A text the validator refuses gives way to the last text it took, through
//   setText(). That is the one repair that clears the undo history and resets
//   the input method; Qt may go on showing a preedit until the cursor next
//   moves. If the validator refuses that text too (it was set or changed
//   since), the field keeps its text, as a plain QLineEdit would. An event
//   loop nested in an edit (a slot that opens a dialog) counts: what the field
//   holds there, if the validator takes it, is a text it took.
// - The cursor and any selection lie inside the text; and when no text is
//   selected, none is, even on an empty text, where Qt can keep a selection it
//   reports as none and shows with the next key. These repairs keep the undo
//   history.
// - An input method's replacement range is cut to the text before the field
//   sees it, so it can neither pad the text nor leave a selection outside it,
//   and nothing needs repairing after it: a composition under way is left alone.
// - Nothing is repaired once the field is being destroyed.
//
// With an input mask, positions are measured as Qt measures them, over the
// mask's blanks and separators too (the text as Qt::ImSurroundingText gives
// it), and the validator is asked about that text, as Qt asks it. In
// PasswordEchoOnEdit mode, before editing starts, a range is cut to the empty
// text that the first input leaves.
//
// Assumes it is the first event filter installed on its field. It hands the
// field the events that can edit it itself (QObject::event()), so that it can
// act after them: application-wide filters and filters installed after it see
// each event once, as they would without it; a filter installed before it
// would not see those events at all. Other listeners see every signal in the
// order Qt emits it, a repair's after the change it repairs.
//
// Owned by its field; a validator may be set or replaced at any time. The
// validator is asked once more after each change, with the text and cursor Qt
// gives it.
class FieldGuard : public QObject
{
    Q_OBJECT

public:
    explicit FieldGuard(QLineEdit *field);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void changed();
    void repairQueued();
    void repair();
    bool isTaken() const;
    void note();
    void clipRange(QInputMethodEvent *event) const;
    void clipSelection();
    bool isInside() const;
    QString content() const;

    QLineEdit *const field;
    // The last text the validator took, as text() and as content() give it.
    QString taken;
    QString takenContent;
    // How many of the field's events the guard is handing on; while above 0,
    // Qt is in the middle of an edit and repairs wait for its end.
    int delivering = 0;
    // The field changed since it was last repaired.
    bool pending = false;
    // Runs once control is back in an event loop after a change.
    QTimer queued;
};

#endif
