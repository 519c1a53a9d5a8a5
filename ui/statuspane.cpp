#include "statuspane.h"

#include "body.h"
#include "piestimate.h"
#include "simulation.h"
#include "statuspage.h"
#include "statuspaneaccessible.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <utility>

StatusPane::StatusPane(Body &body, Simulation &simulation, PiEstimate &pi, const QSize &size,
                       QWidget *parent)
    : RetainedPane(Qt::black, size, parent)
    , m_body(body)
    , m_simulation(simulation)
    , m_pi(pi)
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("statusPane"));
    setFont(pageFont(StatusPage::texts(m_body, m_simulation, m_pi)));
    m_timer->setObjectName(QStringLiteral("statusTick"));
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &StatusPane::tick);
    m_timer->start();
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
                    && a.x + metrics.horizontalAdvance(a.text) + gap > b.x;
            });
        });
        if (fits || pixels == 6)
            return font;
    }
}

void StatusPane::tick()
{
    if (!m_simulation.autoStop()) {
        // Variance first: during a manual run it rests on the previous tick's ratio.
        m_simulation.updateVariance();
        m_simulation.updateHitRatio();
    }
    m_pi.update(m_simulation.hits(), m_simulation.shots());
    m_body.updateVolume(m_simulation.hitRatio());
    requestPaint(false);
}

void StatusPane::paintRetained(QImage &image, QRect &dirty, bool erased)
{
    std::vector<StatusPage::Text> page = StatusPage::texts(m_body, m_simulation, m_pi);
    if (!erased && page == m_shown)
        return;
    QPainter painter(&image);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    m_lineHeight = metrics.height() + metrics.leading();
    painter.setPen(Qt::white);
    for (const StatusPage::Text &text : page) {
        const int top = m_lineHeight * text.line + 10;
        // Opaque cells, trailing blanks included, cover a longer earlier text.
        const QRect cell(text.x, top, metrics.horizontalAdvance(text.text), metrics.height());
        painter.fillRect(cell, Qt::black);
        painter.drawText(text.x, top + metrics.ascent(), text.text);
        dirty |= cell;
    }
    const std::vector<StatusPage::Text> before = std::exchange(m_shown, std::move(page));
    if (QAccessible::isActive() && before != m_shown)
        StatusPaneAccessible::pageChanged(this, before);
}
