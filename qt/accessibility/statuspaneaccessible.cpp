#include "statuspaneaccessible.h"

#include "screenreader.h"
#include "statuspage.h"
#include "statuspane.h"

StatusPaneAccessible::StatusPaneAccessible(StatusPane *pane)
    : QAccessibleWidget(pane, QAccessible::StaticText)
{
}

QAccessibleInterface *StatusPaneAccessible::create(const QString &, QObject *object)
{
    auto *pane = qobject_cast<StatusPane *>(object);
    return pane ? new StatusPaneAccessible(pane) : nullptr;
}

QString StatusPaneAccessible::pageText() const
{
    return QString::fromStdString(StatusPage::readingText(static_cast<const StatusPane *>(widget())->shownPage()));
}

QString StatusPaneAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QString::fromUtf8(ScreenReader::statusName);
    if (t == QAccessible::Description)
        return QString::fromUtf8(ScreenReader::statusDescription);
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
    return pageText().mid(startOffset, endOffset - startOffset);
}

int StatusPaneAccessible::characterCount() const
{
    return int(pageText().size());
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
