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
    m_timer->setObjectName(QStringLiteral("statusTick"));
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(50);
    connect(m_timer, &QTimer::timeout, this, &StatusPane::tick);
    m_timer->start();
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
