#include "retainedpane.h"

#include "focusframe.h"
#include "pace.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cstring>
#include <utility>

namespace {
const QEvent::Type servePaintEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
constexpr int frameMilliseconds = Pace::frameMilliseconds;
}

RetainedPane::RetainedPane(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Tab moves between the panes, so that a screen reader reaches each.
    setFocusPolicy(Qt::StrongFocus);
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setInterval(frameMilliseconds);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] {
        settle(m_image);
        update(m_dirty);
        m_dirty = QRect();
    });
}

QSize RetainedPane::visibleSize() const
{
    QRect visible = rect();
    if (parentWidget())
        visible &= parentWidget()->rect().translated(-pos());
    return visible.size();
}

bool RetainedPane::fitImage(bool erase)
{
    const PixelGrid grid(devicePixelRatioF());
    const QSize wanted = pictureSize(visibleSize(), m_image.isNull() ? QSize() : m_extent, erase || m_image.isNull())
                             .expandedTo(QSize(1, 1));
    if (!m_image.isNull() && wanted == m_extent && grid.scale == m_grid.scale && m_image.format() == m_format)
        return false;

    settle(m_image);
    QImage image(grid.toImageSize(wanted.width()), grid.toImageSize(wanted.height()),
                 m_format);
    image.setDevicePixelRatio(grid.scale);
    image.fill(m_background);
    const QImage old = std::exchange(m_image, image);
    const PixelGrid oldGrid = std::exchange(m_grid, grid);
    m_extent = wanted;
    if (erase || old.isNull())
        return true;
    if (oldGrid.scale == grid.scale && old.format() == m_image.format()) {
        // The picture so far stays at its pixels.
        const int rows = std::min(old.height(), m_image.height());
        const auto bytes = static_cast<std::size_t>(std::min(old.bytesPerLine(), m_image.bytesPerLine()));
        for (int y = 0; y < rows; ++y)
            std::memcpy(m_image.scanLine(y), old.constScanLine(y), bytes);
    } else {
        rescaled(m_image, old, oldGrid);
    }
    m_dirty = rect();
    return true;
}

void RetainedPane::setColours(const QColor &background, const QColor &focus, QImage::Format format)
{
    m_background = background;
    m_focus = focus;
    m_format = format;
    update();
    if (m_image.isNull())
        return;
    settle(m_image);
    QImage image(m_image.size(), m_format);
    image.setDevicePixelRatio(m_grid.scale);
    image.fill(m_background);
    const QImage old = std::exchange(m_image, image);
    rescaled(m_image, old, m_grid);
    m_dirty = rect();
    if (!m_frameTimer.isActive())
        m_frameTimer.start();
}

const QImage &RetainedPane::image()
{
    fitImage(false);
    settle(m_image);
    return m_image;
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
        if (!fitImage(true))
            m_image.fill(m_background);
        m_dirty = rect();
    } else if (m_image.isNull()) {
        // Otherwise resize, move and paint events keep the image fitted: not
        // once a pass on the loop's hot path.
        fitImage(false);
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

void RetainedPane::resizeEvent(QResizeEvent *)
{
    fitImage(false);
    reshaped();
}

void RetainedPane::moveEvent(QMoveEvent *)
{
    fitImage(false);
    reshaped();
}

void RetainedPane::paintEvent(QPaintEvent *event)
{
    if (fitImage(false))
        reshaped();
    settle(m_image);
    QPainter painter(this);
    painter.setClipRegion(event->region());
    // Same scale on both sides: a plain copy of image pixels to screen pixels.
    painter.drawImage(QPointF(0, 0), m_image);
    const QRegion beyond = event->region() - QRect(QPoint(0, 0), m_extent);
    for (const QRect &part : beyond)
        painter.fillRect(part, m_background);
    if (!hasFocus())
        return;
    const QSize shown = visibleSize();
    for (const auto &[x, y, width, height] : FocusFrame::sides({shown.width(), shown.height()}))
        painter.fillRect(x, y, width, height, m_focus);
}

void RetainedPane::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void RetainedPane::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
