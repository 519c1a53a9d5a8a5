#include "statuspane.h"

#include "imagecanvas.h"
#include "statuspage.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <tuple>
#include <utility>

StatusPane::StatusPane(const Session &session, QWidget *parent)
    // White text on black: a quarter of the memory of a colour picture.
    : RetainedPane(Qt::black, QImage::Format_Grayscale8, parent)
    , m_picture(session)
{
    setObjectName(QStringLiteral("statusPane"));
    // A blind user reaches the figures with Tab and reads them line by line.
    QImage none;
    QRect unused;
    setFont(ImageCanvas::font(m_picture.fontSize(ImageCanvas(none, grid(), QSize(), unused))));
}

void StatusPane::paintRetained(QImage &image, QRect &dirty, bool erased)
{
    ImageCanvas canvas(image, grid(), extent(), dirty);
    const std::vector<StatusPage::Text> before = m_picture.shown();
    if (!m_picture.paint(canvas, erased))
        return;
    m_lineHeight = m_picture.lineHeight(canvas);
    // Unfocused, twenty changes a second would only crowd a screen reader's queue.
    if (QAccessible::isActive() && before != m_shown && hasFocus())
        tellScreenReader(before);
}

QString StatusPane::readingText() const
{
    return QString::fromStdString(StatusPage::readingText(m_shown));
}

std::vector<QRect> StatusPane::readingBoxes() const
{
    std::vector<StatusPage::Text> ordered = m_shown;
    std::stable_sort(ordered.begin(), ordered.end(), [](const StatusPage::Text &a, const StatusPage::Text &b) {
        return std::tie(a.line, a.x) < std::tie(b.line, b.x);
    });
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height() + metrics.leading();
    std::vector<QRect> boxes;
    QRect last; // the last character's box
    for (const StatusPage::Text &text : ordered) {
        const QString shown = QString::fromStdString(text.text);
        const int top = lineHeight * text.line + 10;
        const auto left = [&](qsizetype i) { return text.x + metrics.horizontalAdvance(shown.left(i)); };
        if (!last.isNull()) {
            // The joining blank spans the gap to this text, a line break a blank's width.
            const bool sameLine = last.top() == top;
            const int right = sameLine ? left(0) : last.right() + 1 + metrics.horizontalAdvance(u' ');
            boxes.emplace_back(QPoint(last.right() + 1, last.top()), QPoint(right - 1, last.bottom()));
        }
        qsizetype i = 0;
        while (i < shown.size() && shown[i] == u' ')
            ++i;
        while (i < shown.size()) {
            qsizetype end = i + 1;
            while (shown[i] == u' ' && end < shown.size() && shown[end] == u' ')
                ++end;
            if (shown[i] == u' ' && end == shown.size())
                break; // trailing blanks are not read
            last = QRect(left(i), top, left(end) - left(i), metrics.height());
            boxes.push_back(last);
            i = end;
        }
    }
    return boxes;
}

int StatusPane::caret() const
{
    return std::min(m_caret, int(readingText().size()));
}

void StatusPane::setCaret(int offset)
{
    const int moved = std::clamp(offset, 0, int(readingText().size()));
    if (moved == caret())
        return;
    m_caret = moved;
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent event(this, m_caret);
        QAccessible::updateAccessibility(&event);
    }
}

void StatusPane::keyPressEvent(QKeyEvent *event)
{
    const QString text = readingText();
    const int at = caret();
    // From -1 lastIndexOf would search from the end.
    const int lineStart = at == 0 ? 0 : int(text.lastIndexOf(u'\n', at - 1)) + 1;
    const qsizetype end = text.indexOf(u'\n', at);
    const int lineEnd = end < 0 ? int(text.size()) : int(end);
    switch (event->key()) {
    case Qt::Key_Up:
        if (lineStart > 0)
            setCaret(lineStart < 2 ? 0 : int(text.lastIndexOf(u'\n', lineStart - 2)) + 1);
        break;
    case Qt::Key_Down:
        if (lineEnd < text.size())
            setCaret(lineEnd + 1);
        break;
    case Qt::Key_Home:
        setCaret(event->modifiers() & Qt::ControlModifier ? 0 : lineStart);
        break;
    case Qt::Key_End:
        setCaret(event->modifiers() & Qt::ControlModifier ? int(text.size()) : lineEnd);
        break;
    case Qt::Key_Left:
        setCaret(at - 1);
        break;
    case Qt::Key_Right:
        setCaret(at + 1);
        break;
    default:
        RetainedPane::keyPressEvent(event);
    }
}

void StatusPane::tellScreenReader(const std::vector<StatusPage::Text> &before)
{
    const QString old = QString::fromStdString(StatusPage::readingText(before));
    const QString now = QString::fromStdString(StatusPage::readingText(m_shown));
    // Only the changed middle, so that a reader need not repeat the whole page.
    qsizetype head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    qsizetype tail = 0;
    while (tail < old.size() - head && tail < now.size() - head
           && old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    QAccessibleTextUpdateEvent event(this, int(head), old.mid(head, old.size() - head - tail),
                                     now.mid(head, now.size() - head - tail));
    QAccessible::updateAccessibility(&event);
}
