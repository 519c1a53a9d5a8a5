#include "statuspane.h"

#include "session.h"
#include "statuspage.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <utility>

StatusPane::StatusPane(const Session &session, QWidget *parent)
    // White text on black: a quarter of the memory of a colour picture.
    : RetainedPane(Qt::black, QImage::Format_Grayscale8, parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("statusPane"));
    // A blind user reaches the figures with Tab and reads them line by line.
    setFont(pageFont(StatusPage::texts(m_session)));
}

QFont StatusPane::pageFont(const std::vector<StatusPage::Text> &page)
{
    // The columns are fixed in pixels, so the page does not follow the desktop's
    // font or its DPI: a fixed family and pixel size, smaller only if a label
    // would not end before the value beside it.
    constexpr int gap = 4;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    for (int pixels = 12;; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        const bool fits = std::none_of(page.begin(), page.end(), [&](const StatusPage::Text &a) {
            return std::any_of(page.begin(), page.end(), [&](const StatusPage::Text &b) {
                return a.line == b.line && a.x < b.x
                    && a.x + metrics.horizontalAdvance(QString::fromStdString(a.text)) + gap > b.x;
            });
        });
        if (fits || pixels == 6)
            return font;
    }
}

void StatusPane::paintRetained(QImage &image, QRect &dirty, bool erased)
{
    std::vector<StatusPage::Text> page = StatusPage::texts(m_session);
    if (!erased && page == m_shown) {
        tellScreenReader();
        return;
    }
    QPainter painter(&image);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    m_lineHeight = metrics.height() + metrics.leading();
    painter.setPen(Qt::white);
    for (const StatusPage::Text &text : page) {
        const int top = m_lineHeight * text.line + 10;
        const QString shown = QString::fromStdString(text.text);
        // Opaque cells, trailing blanks included, cover a longer earlier text.
        const QRect cell(text.x, top, metrics.horizontalAdvance(shown), metrics.height());
        painter.fillRect(cell, Qt::black);
        painter.drawText(text.x, top + metrics.ascent(), shown);
        dirty |= cell;
    }
    m_shown = std::move(page);
    tellScreenReader();
}

void StatusPane::setCaret(int offset)
{
    if (m_reading.setCaret(offset))
        tellCaret();
}

void StatusPane::tellCaret()
{
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent event(this, m_reading.caret());
        QAccessible::updateAccessibility(&event);
    }
}

void StatusPane::keyPressEvent(QKeyEvent *event)
{
    using Key = StatusReading::Key;
    const bool control = event->modifiers() & Qt::ControlModifier;
    Key key;
    switch (event->key()) {
    case Qt::Key_Left:
        key = Key::Left;
        break;
    case Qt::Key_Right:
        key = Key::Right;
        break;
    case Qt::Key_Up:
        key = Key::Up;
        break;
    case Qt::Key_Down:
        key = Key::Down;
        break;
    case Qt::Key_Home:
        key = control ? Key::TextStart : Key::Home;
        break;
    case Qt::Key_End:
        key = control ? Key::TextEnd : Key::End;
        break;
    default:
        RetainedPane::keyPressEvent(event);
        return;
    }
    if (m_reading.press(key))
        tellCaret();
}

void StatusPane::tellScreenReader()
{
    m_reading.show(m_shown);
    const auto now = std::chrono::steady_clock::now();
    if (const auto progress = m_progress.tell(m_session, now))
        emit progressTold(QString::fromStdString(*progress));
    const auto change = m_reading.tell(hasFocus(), m_session.running(), now);
    if (change && QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(this, change->at, QString::fromStdString(change->removed),
                                         QString::fromStdString(change->inserted));
        QAccessible::updateAccessibility(&event);
    }
}
