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
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(size);
    followScale();
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(frameMilliseconds);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        settle(m_image);
        update(m_dirty);
        m_dirty = QRect();
    });
}

void RetainedPane::followScale()
{
    const qreal scale = devicePixelRatioF();
    if (!m_image.isNull() && m_image.devicePixelRatio() == scale)
        return;
    QImage image(QSize(static_cast<int>(std::ceil(width() * scale - scaleTolerance)),
                       static_cast<int>(std::ceil(height() * scale - scaleTolerance))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(m_background);
    const bool moved = !m_image.isNull();
    if (moved) {
        // Moved to a screen of another scale: the picture so far stays.
        settle(m_image);
        QPainter painter(&image);
        painter.drawImage(QRectF(QPointF(0, 0), size()), m_image);
    }
    m_image = image;
    m_imageSize = image.size();
    m_scale = scale;
    m_block = static_cast<int>(std::ceil(scale - scaleTolerance));
    m_span = std::abs(m_block - scale) > scaleTolerance ? 2 : 1;
    if (moved)
        rescaled();
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
        settle(m_image);
        m_image.fill(m_background);
        m_dirty = rect();
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
    followScale();
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // Same scale on both sides: a plain copy of image pixels to screen pixels.
    painter.drawImage(QPointF(0, 0), m_image);
}
