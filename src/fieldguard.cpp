// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldguard.h"

#include <QEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

bool takes(const QValidator *validator, QString text, int pos)
{
    return validator->validate(text, pos) != QValidator::Invalid;
}

// The events through which a user edits a line edit, or moves its cursor or selection.
bool canEdit(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::FocusOut:
        return true;
    default:
        return false;
    }
}

} // namespace

FieldGuard::FieldGuard(QLineEdit *field)
    : QObject(field),
      field(field),
      taken(field->text()),
      takenContent(content())
{
    queued.setSingleShot(true);
    connect(&queued, &QTimer::timeout, this, &FieldGuard::repairQueued);
    connect(field, &QLineEdit::textChanged, this, &FieldGuard::changed);
    connect(field, &QLineEdit::cursorPositionChanged, this, &FieldGuard::changed);
    connect(field, &QLineEdit::selectionChanged, this, &FieldGuard::changed);
    field->installEventFilter(this);
}

bool FieldGuard::eventFilter(QObject *watched, QEvent *event)
{
    // Once ~QLineEdit has run, the field is a QWidget on its way out, which
    // still sends itself a FocusOut: there is no line edit left to repair.
    if (!qobject_cast<QLineEdit *>(watched) || !canEdit(event->type()))
        return false;
    // What a call such as undo() left is repaired before the user acts on it.
    if (pending && delivering == 0)
        repair();
    if (event->type() == QEvent::InputMethod)
        clipRange(static_cast<QInputMethodEvent *>(event));

    ++delivering;
    // Handed on here rather than sent again, so that other filters see it once.
    // QLineEdit::event() is protected; QObject::event() is the same function.
    static_cast<QObject *>(field)->event(event);
    --delivering;
    if (pending && delivering == 0)
        repair();
    return true;
}

void FieldGuard::changed()
{
    pending = true;
    // A call's signals come before it has finished (Undo reports the cursor
    // before its text), so the field is repaired once the call is through.
    if (!queued.isActive())
        queued.start(0);
}

void FieldGuard::repairQueued()
{
    if (!pending)
        return;
    if (delivering == 0)
        repair();
    // An event loop nested in an edit: the edit is not through, but a text
    // the validator takes here is one the field really took.
    else if (isTaken())
        note();
}

void FieldGuard::repair()
{
    pending = false;
    if (isTaken())
        note();
    else if (takes(field->validator(), takenContent, int(takenContent.size())))
        field->setText(taken);
    if (content().isEmpty())
        field->deselect();
    if (!isInside())
        clipSelection();
}

// Asked as Qt asks it, with the cursor, for validators that keep what they are asked.
bool FieldGuard::isTaken() const
{
    const QValidator *validator = field->validator();
    return !validator || takes(validator, content(), field->cursorPosition());
}

void FieldGuard::note()
{
    taken = field->text();
    takenContent = content();
}

// Qt moves the cursor by the range's start and takes the range without holding
// it to the text: it pads the text with spaces up to a start past the end, and
// keeps a range reaching past the end as a selection, removing nothing.
void FieldGuard::clipRange(QInputMethodEvent *event) const
{
    // 64 bits, because an input method's start and length are any ints and
    // their sum with the cursor must not overflow.
    qint64 size = content().size();
    qint64 cursor = field->cursorPosition();
    // Where the range is measured from: a selection goes first, as Qt removes it.
    if (field->echoMode() == QLineEdit::PasswordEchoOnEdit
        && field->displayText() != field->text()) {
        // Not being edited yet: the first input replaces the whole text.
        size = 0;
        cursor = 0;
    } else if (field->hasSelectedText()) {
        const int start = field->selectionStart();
        const int end = field->selectionEnd();
        if (cursor > start)
            cursor -= qMin(cursor, qint64(end)) - start;
        if (field->inputMask().isEmpty())
            size -= end - start;
    }
    const qint64 start = qBound(qint64(0), cursor + event->replacementStart(), size);
    const qint64 end =
            qBound(start, cursor + event->replacementStart() + event->replacementLength(), size);
    // Both now lie within the text, whose length QLineEdit keeps to an int.
    if (start - cursor != event->replacementStart() || end - start != event->replacementLength())
        event->setCommitString(event->commitString(), int(start - cursor), int(end - start));
}

// A selection is cut to the text, with the cursor at the end it was nearer to.
void FieldGuard::clipSelection()
{
    const int size = int(content().size());
    const int cursor = qBound(0, field->cursorPosition(), size);
    int start = cursor;
    int end = cursor;
    if (field->hasSelectedText()) {
        start = qBound(0, field->selectionStart(), size);
        end = qBound(0, field->selectionEnd(), size);
    }
    // setSelection() commits a composition into the selection Qt holds, which
    // may start before the text: that selection goes first.
    field->deselect();
    if (start == end)
        field->setCursorPosition(cursor);
    else if (cursor <= start)
        field->setSelection(end, start - end);
    else
        field->setSelection(start, end - start);
}

bool FieldGuard::isInside() const
{
    const int size = int(content().size());
    const int cursor = field->cursorPosition();
    if (cursor < 0 || cursor > size)
        return false;
    if (!field->hasSelectedText())
        return true;
    return field->selectionStart() >= 0 && field->selectionEnd() <= size;
}

// The text Qt measures positions in and validates: with an input mask, its
// blanks and separators too.
QString FieldGuard::content() const
{
    return field->inputMask().isEmpty() ? field->text()
                                        : field->inputMethodQuery(Qt::ImSurroundingText).toString();
}
