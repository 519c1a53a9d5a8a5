#include "statuspaneaccessible.h"

#include "screenreader.h"
#include "statuspane.h"

#include <algorithm>

StatusPaneAccessible::StatusPaneAccessible(StatusPane *pane)
    : QAccessibleWidget(pane, QAccessible::EditableText)
{
}

QAccessibleInterface *StatusPaneAccessible::create(const QString &, QObject *object)
{
    auto *pane = qobject_cast<StatusPane *>(object);
    return pane ? new StatusPaneAccessible(pane) : nullptr;
}

StatusPane *StatusPaneAccessible::pane() const
{
    return static_cast<StatusPane *>(widget());
}

QString StatusPaneAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QString::fromUtf8(ScreenReader::statusName);
    if (t == QAccessible::Description) {
        // The latest news of a run, once there is some.
        const QString &news = pane()->announcement();
        return news.isEmpty() ? QString::fromUtf8(ScreenReader::statusDescription) : news;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State StatusPaneAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

void *StatusPaneAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString StatusPaneAccessible::text(int startOffset, int endOffset) const
{
    return pane()->readingText().mid(startOffset, endOffset - startOffset);
}

int StatusPaneAccessible::characterCount() const
{
    return int(pane()->readingText().size());
}

int StatusPaneAccessible::cursorPosition() const
{
    return pane()->caret();
}

void StatusPaneAccessible::setCursorPosition(int position)
{
    pane()->setCaret(position);
}

QRect StatusPaneAccessible::characterRect(int offset) const
{
    const std::vector<QRect> boxes = pane()->readingBoxes();
    if (offset < 0 || offset >= int(boxes.size()))
        return QRect();
    return boxes[std::size_t(offset)].translated(pane()->mapToGlobal(QPoint(0, 0)));
}

int StatusPaneAccessible::offsetAtPoint(const QPoint &point) const
{
    const std::vector<QRect> boxes = pane()->readingBoxes();
    const QPoint local = pane()->mapFromGlobal(point);
    const auto box = std::find_if(boxes.begin(), boxes.end(), [&](const QRect &b) { return b.contains(local); });
    return box == boxes.end() ? -1 : int(box - boxes.begin());
}

void StatusPaneAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int StatusPaneAccessible::selectionCount() const
{
    return 0;
}

QString StatusPaneAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return QString();
}

QString StatusPaneAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                                           int *endOffset) const
{
    if (type != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAtOffset(offset, type, startOffset, endOffset);
    const QString text = pane()->readingText();
    offset = std::clamp(offset, 0, int(text.size()));
    // From -1 lastIndexOf would search from the end.
    *startOffset = offset == 0 ? 0 : int(text.lastIndexOf(u'\n', offset - 1)) + 1;
    const qsizetype end = text.indexOf(u'\n', offset);
    *endOffset = end < 0 ? int(text.size()) : int(end) + 1;
    return text.mid(*startOffset, *endOffset - *startOffset);
}
