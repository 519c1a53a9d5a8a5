#include "shotpane.h"

#include "session.h"
#include "shotpicture.h"

#include <QAccessible>
#include <QPainter>

namespace {
// A frame's worth of shots and more; the list never grows beyond it.
constexpr std::size_t maxUnsettled = 1 << 16;
} // namespace

ShotPane::ShotPane(const Session &session, QWidget *parent)
    : RetainedPane(Qt::white, QImage::Format_RGB32, parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("shotPane"));
    m_unsettled.reserve(maxUnsettled);
}

QSize ShotPane::pictureSize(const QSize &visible, const QSize &before) const
{
    // Nothing but the figure and the shots inside it is ever drawn; the pixel
    // beyond holds what a block at a fractional scale spills over. Shots of a
    // run that land where a shrunk screen hides them are kept for when it grows.
    const int side = ShotPicture::keptSide(m_session);
    return visible.expandedTo(before).boundedTo(QSize(side, side));
}

void ShotPane::drawFigure(QImage &image, const PixelGrid &grid) const
{
    // Drawn in image pixels: every edge is one block thick on all four sides.
    const Rect square = ShotPicture::figure(m_session);
    const int block = grid.block;
    const int first = grid.toImage(square.x);
    const int last = grid.toImage(square.x + square.width - 1);
    const QRect box(first, first, last + block - first, last + block - first);
    const qreal scale = image.devicePixelRatio();
    image.setDevicePixelRatio(1);
    {
        QPainter painter(&image);
        painter.fillRect(box, Qt::black);
        painter.fillRect(box.adjusted(block, block, -block, -block), Qt::white);
        painter.setBrush(Qt::white);
        if (block == 1) {
            // A 1 px pen covers x ... x + w, so w = side - 1 keeps the box's end outside.
            painter.setPen(QPen(Qt::black, 0));
            painter.drawEllipse(box.adjusted(0, 0, -1, -1));
        } else {
            painter.setPen(QPen(Qt::black, block));
            const qreal half = block / 2.0;
            painter.drawEllipse(QRectF(box).adjusted(half, half, -half, -half));
        }
    }
    image.setDevicePixelRatio(scale);
}

void ShotPane::settle(QImage &image)
{
    for (const Shot &shot : m_unsettled)
        plot(image, shot.x, shot.y, shot.colour);
    m_unsettled.clear();
}

void ShotPane::rescaled(QImage &image, const QImage &old, const PixelGrid &oldGrid)
{
    // The figure is drawn anew at the new resolution; every logical pixel where
    // the old picture differed from it (a shot) becomes a block of the new grid.
    QImage base(old.size(), old.format());
    base.fill(Qt::white);
    if (m_figureShown) {
        drawFigure(base, oldGrid);
        drawFigure(image, grid());
    }
    const int width = std::min(old.width(), oldGrid.toImageSize(extent().width()));
    const int height = std::min(old.height(), oldGrid.toImageSize(extent().height()));
    for (int y = 0; y < extent().height() && oldGrid.centre(y) < height; ++y) {
        const int oldY = oldGrid.centre(y);
        const auto *was = reinterpret_cast<const QRgb *>(old.constScanLine(oldY));
        const auto *figure = reinterpret_cast<const QRgb *>(base.constScanLine(oldY));
        for (int x = 0; x < extent().width() && oldGrid.centre(x) < width; ++x) {
            const int oldX = oldGrid.centre(x);
            if (was[oldX] != figure[oldX])
                plot(image, x, y, was[oldX]);
        }
    }
}

void ShotPane::reshaped()
{
    // Newly shown parts get what a paint gives them: the figure, or the latest shot again.
    requestPaint(false);
}

void ShotPane::paintRetained(QImage &image, QRect &dirty, bool erased)
{
    if (const auto shot = ShotPicture::plot(m_session)) {
        if (erased)
            m_figureShown = false;
        const auto [x, y, rgb] = *shot;
        if (!QRect(QPoint(0, 0), extent()).contains(x, y))
            return;
        m_unsettled.push_back({x, y, 0xFF000000u | rgb});
        if (m_unsettled.size() == maxUnsettled)
            settle(image);
        dirty |= QRect(x, y, grid().span, grid().span);
        return;
    }
    // The figure's white inside covers every point of the run.
    m_unsettled.clear();
    drawFigure(image, grid());
    m_figureShown = true;
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
    const Rect square = ShotPicture::figure(m_session);
    const int side = square.width + grid().span - 1;
    dirty |= QRect(square.x, square.y, side, side).intersected(rect());
}
