#include "statuspaneaccessible.h"

#include "statuspane.h"

#include <algorithm>
#include <tuple>

StatusPaneAccessible::StatusPaneAccessible(StatusPane *pane)
    : QAccessibleWidget(pane, QAccessible::StaticText)
{
}

QAccessibleInterface *StatusPaneAccessible::create(const QString &, QObject *object)
{
    auto *pane = qobject_cast<StatusPane *>(object);
    return pane ? new StatusPaneAccessible(pane) : nullptr;
}

QString StatusPaneAccessible::pageText(const std::vector<StatusPage::Text> &page)
{
    std::vector<StatusPage::Text> ordered = page;
    std::sort(ordered.begin(), ordered.end(), [](const auto &a, const auto &b) {
        return std::tie(a.line, a.x) < std::tie(b.line, b.x);
    });
    QStringList lines;
    int line = -1;
    for (const StatusPage::Text &text : ordered) {
        const QString words = text.text.simplified();
        if (text.line != line)
            lines.append(words);
        else
            lines.last() += QLatin1Char(' ') + words;
        line = text.line;
    }
    return lines.join(QLatin1Char('\n'));
}

void StatusPaneAccessible::pageChanged(StatusPane *pane,
                                       const std::vector<StatusPage::Text> &before)
{
    const QString old = pageText(before);
    const QString now = pageText(pane->shownPage());
    // Only the changed middle, so that a reader need not repeat the whole page.
    qsizetype head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    qsizetype tail = 0;
    while (tail < old.size() - head && tail < now.size() - head
           && old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    QAccessibleTextUpdateEvent event(pane, int(head), old.mid(head, old.size() - head - tail),
                                     now.mid(head, now.size() - head - tail));
    QAccessible::updateAccessibility(&event);
}

QString StatusPaneAccessible::pageText() const
{
    return pageText(static_cast<const StatusPane *>(widget())->shownPage());
}

QString StatusPaneAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return QStringLiteral("Statistik");
    if (t == QAccessible::Description)
        return QStringLiteral("Körper, Schüsse, Treffer, Varianz und Näherung von PI");
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
