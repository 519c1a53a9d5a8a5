#include "statuspane.h"

#include "session.h"
#include "statuspage.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

StatusPane::StatusPane(const Session &session, QWidget *parent)
    // White text on black: a quarter of the memory of a colour picture.
    : RetainedPane(Qt::black, QImage::Format_Grayscale8, parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("statusPane"));
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
    if (!erased && page == m_shown)
        return;
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
    const std::vector<StatusPage::Text> before = std::exchange(m_shown, std::move(page));
    if (QAccessible::isActive() && before != m_shown)
        tellScreenReader(before);
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
