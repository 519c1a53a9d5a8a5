#include "retainedpane.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {
const QEvent::Type servePaintEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
constexpr int frameMilliseconds = 16;
}

RetainedPane::RetainedPane(const QColor &background, const QSize &size, QWidget *parent)
    : QWidget(parent)
    , m_image(size, QImage::Format_RGB32)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(size);
    m_image.fill(m_background);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(frameMilliseconds);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        update(m_dirty);
        m_dirty = QRect();
    });
}

void RetainedPane::requestPaint(bool erase)
{
    m_pending = true;
    m_erase = m_erase || erase;
    if (!m_posted) {
        m_posted = true;
        QCoreApplication::postEvent(this, new QEvent(servePaintEvent), Qt::LowEventPriority);
    }
}

void RetainedPane::servePaint()
{
    if (!m_pending)
        return;
    m_pending = false;
    const bool erased = m_erase;
    if (erased) {
        m_erase = false;
        m_image.fill(m_background);
        m_dirty = m_image.rect();
    }
    paintRetained(m_image, m_dirty, erased);
    if (!m_frameTimer.isActive())
        m_frameTimer.start();
}

bool RetainedPane::event(QEvent *event)
{
    if (event->type() == servePaintEvent) {
        m_posted = false;
        servePaint();
        return true;
    }
    return QWidget::event(event);
}

void RetainedPane::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
}
