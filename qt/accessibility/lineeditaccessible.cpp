#include "lineeditaccessible.h"

#include <QFontMetrics>
#include <QLineEdit>

LineEditAccessible::LineEditAccessible(QLineEdit *edit)
    : QAccessibleWidget(edit, QAccessible::EditableText)
{
}

QAccessibleInterface *LineEditAccessible::create(const QString &, QObject *object)
{
    auto *edit = qobject_cast<QLineEdit *>(object);
    return edit ? new LineEditAccessible(edit) : nullptr;
}

QLineEdit *LineEditAccessible::edit() const
{
    return static_cast<QLineEdit *>(widget());
}

QString LineEditAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return edit()->displayText();
    return QAccessibleWidget::text(t);
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = edit()->isReadOnly();
    state.editable = !edit()->isReadOnly();
    state.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
    state.selectableText = true;
    return state;
}

void *LineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString LineEditAccessible::text(int startOffset, int endOffset) const
{
    return edit()->displayText().mid(startOffset, endOffset - startOffset);
}

int LineEditAccessible::characterCount() const
{
    return int(edit()->displayText().size());
}

void LineEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && edit()->hasSelectedText()) {
        *startOffset = edit()->selectionStart();
        *endOffset = edit()->selectionEnd();
    }
}

int LineEditAccessible::selectionCount() const
{
    return edit()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        edit()->deselect();
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        edit()->setSelection(startOffset, endOffset - startOffset);
}

int LineEditAccessible::cursorPosition() const
{
    return edit()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position)
{
    edit()->setCursorPosition(position);
}

QRect LineEditAccessible::characterRect(int offset) const
{
    const QString shown = edit()->displayText();
    if (offset < 0 || offset >= shown.size())
        return QRect();
    // The caret's place is public, each character's is not: measured from the caret.
    const QFontMetrics metrics(edit()->font());
    const QRect caret = edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int x = caret.center().x() + metrics.horizontalAdvance(shown.left(offset))
        - metrics.horizontalAdvance(shown.left(edit()->cursorPosition()));
    const QRect box(x, caret.top(), metrics.horizontalAdvance(shown.at(offset)), caret.height());
    return box.translated(edit()->mapToGlobal(QPoint(0, 0)));
}

int LineEditAccessible::offsetAtPoint(const QPoint &point) const
{
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    // The line edit scrolls to show its caret.
    edit()->setCursorPosition(endIndex);
    edit()->setCursorPosition(startIndex);
}

QString LineEditAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void LineEditAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, QString());
}

void LineEditAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    // As pasted: the field's length limit applies.
    edit()->setSelection(startOffset, endOffset - startOffset);
    edit()->insert(text);
}
