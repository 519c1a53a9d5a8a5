#include "statuspaneaccessible.h"

#include "announcementaccessible.h"
#include "fontmeasure.h"
#include "screenreader.h"
#include "statuspane.h"

#include <algorithm>

StatusPaneAccessible::StatusPaneAccessible(StatusPane *pane)
    : QAccessibleWidget(pane, QAccessible::EditableText)
    , m_news{new AnnouncementAccessible(this), new AnnouncementAccessible(this)}
{
    for (AnnouncementAccessible *news : m_news)
        QAccessible::registerAccessibleInterface(news);
}

StatusPaneAccessible::~StatusPaneAccessible()
{
    for (AnnouncementAccessible *news : m_news)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(news));
}

void StatusPaneAccessible::announce(const QString &sentence)
{
    m_latest = (m_latest + 1) % m_news.size();
    m_news[m_latest]->tell(sentence);
}

QAccessibleInterface *StatusPaneAccessible::child(int index) const
{
    return index >= 0 && index < childCount() ? m_news[std::size_t(index)] : nullptr;
}

int StatusPaneAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto found = std::find(m_news.begin(), m_news.end(), child);
    return found == m_news.end() ? -1 : int(found - m_news.begin());
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
    if (t == QAccessible::Description)
        return QString::fromUtf8(ScreenReader::statusHint);
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
    return QString::fromStdString(pane()->reading().text(startOffset, endOffset));
}

int StatusPaneAccessible::characterCount() const
{
    return pane()->reading().length();
}

int StatusPaneAccessible::cursorPosition() const
{
    return pane()->reading().caret();
}

void StatusPaneAccessible::setCursorPosition(int position)
{
    pane()->setCaret(position);
}

QRect StatusPaneAccessible::characterRect(int offset) const
{
    if (offset < 0 || offset >= characterCount())
        return QRect();
    const Rect box = pane()->reading().boxes(FontMeasure(pane()->font()))[std::size_t(offset)];
    return QRect(pane()->mapToGlobal(QPoint(box.x, box.y)), QSize(box.width, box.height));
}

int StatusPaneAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = pane()->mapFromGlobal(point);
    return pane()->reading().offsetAt(local.x(), local.y(), FontMeasure(pane()->font()));
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

QString StatusPaneAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    // One run over the whole page: from an empty run Orca 43 reads a line one character short.
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

QString StatusPaneAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                                           int *endOffset) const
{
    if (type != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAtOffset(offset, type, startOffset, endOffset);
    const StatusReading::Span line = pane()->reading().line(offset);
    *startOffset = line.start;
    *endOffset = line.end;
    return text(line.start, line.end);
}
