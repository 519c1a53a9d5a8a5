#include "imagecanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace {
QColor colour(std::uint32_t rgb)
{
    return QColor::fromRgb(0xFF000000u | rgb);
}

QString unicode(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

ImageCanvas::ImageCanvas(QImage &image, const PixelGrid &grid, QSize extent, QRect &dirty, std::vector<Plot> *queue)
    : m_image(image)
    , m_grid(grid)
    , m_extent(extent)
    , m_dirty(dirty)
    , m_queue(queue)
{
}

QFont ImageCanvas::font(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

void ImageCanvas::settle()
{
    if (!m_queue)
        return;
    for (const Plot &plot : *m_queue)
        write(plot.x, plot.y, plot.colour);
    m_queue->clear();
}

void ImageCanvas::write(int x, int y, QRgb colour)
{
    if (m_grid.block == 1) {
        reinterpret_cast<QRgb *>(m_image.scanLine(y))[x] = colour;
        return;
    }
    const int left = m_grid.toImage(x);
    const int width = std::min(m_grid.block, m_image.width() - left);
    const int top = m_grid.toImage(y);
    const int bottom = std::min(top + m_grid.block, m_image.height());
    for (int row = top; row < bottom; ++row)
        std::fill_n(reinterpret_cast<QRgb *>(m_image.scanLine(row)) + left, width, colour);
}

void ImageCanvas::plot(int x, int y, std::uint32_t rgb)
{
    if (x < 0 || y < 0 || x >= m_extent.width() || y >= m_extent.height())
        return;
    m_dirty |= QRect(x, y, m_grid.span, m_grid.span);
    if (!m_queue) {
        write(x, y, 0xFF000000u | rgb);
        return;
    }
    m_queue->push_back({x, y, 0xFF000000u | rgb});
    if (m_queue->size() == maxQueued)
        settle();
}

std::uint32_t ImageCanvas::pixel(int x, int y) const
{
    const int column = m_grid.centre(x);
    const int row = m_grid.centre(y);
    if (!m_image.valid(column, row))
        return 0xFFFFFF;
    return m_image.pixel(column, row) & 0xFFFFFF;
}

QRect ImageCanvas::blocks(const Rect &area) const
{
    const int left = m_grid.toImage(area.x);
    const int top = m_grid.toImage(area.y);
    return QRect(left, top, m_grid.toImage(area.x + area.width - 1) + m_grid.block - left,
                 m_grid.toImage(area.y + area.height - 1) + m_grid.block - top);
}

void ImageCanvas::touched(const Rect &area)
{
    m_dirty |= QRect(area.x, area.y, area.width + m_grid.span - 1, area.height + m_grid.span - 1)
                   .intersected(QRect(QPoint(0, 0), m_extent));
}

void ImageCanvas::fill(const Rect &area, std::uint32_t rgb)
{
    settle();
    QPainter(&m_image).fillRect(QRect(area.x, area.y, area.width, area.height), colour(rgb));
    touched(area);
}

// Outlines are drawn in image pixels, so that every edge is one block thick on all four sides.
void ImageCanvas::rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside)
{
    settle();
    const QRect box = blocks(area);
    const qreal scale = m_image.devicePixelRatio();
    m_image.setDevicePixelRatio(1);
    {
        QPainter painter(&m_image);
        painter.fillRect(box, colour(pen));
        const int block = m_grid.block;
        painter.fillRect(box.adjusted(block, block, -block, -block), colour(inside));
    }
    m_image.setDevicePixelRatio(scale);
    touched(area);
}

void ImageCanvas::ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside)
{
    settle();
    const QRect box = blocks(area);
    const int block = m_grid.block;
    const qreal scale = m_image.devicePixelRatio();
    m_image.setDevicePixelRatio(1);
    {
        QPainter painter(&m_image);
        painter.setBrush(colour(inside));
        if (block == 1) {
            // A 1 px pen covers x ... x + w, so w = side - 1 keeps the box's end outside.
            painter.setPen(QPen(colour(pen), 0));
            painter.drawEllipse(box.adjusted(0, 0, -1, -1));
        } else {
            painter.setPen(QPen(colour(pen), block));
            const qreal half = block / 2.0;
            painter.drawEllipse(QRectF(box).adjusted(half, half, -half, -half));
        }
    }
    m_image.setDevicePixelRatio(scale);
    touched(area);
}

void ImageCanvas::text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper)
{
    settle();
    const QFont shown = font(pixelSize);
    const QFontMetrics metrics(shown);
    const QString unicodeText = unicode(text);
    const QRect cell(x, y, metrics.horizontalAdvance(unicodeText), metrics.height());
    QPainter painter(&m_image);
    painter.setFont(shown);
    painter.fillRect(cell, colour(paper));
    painter.setPen(colour(ink));
    painter.drawText(x, y + metrics.ascent(), unicodeText);
    m_dirty |= cell;
}

int ImageCanvas::measure(std::string_view text, int pixelSize) const
{
    return QFontMetrics(font(pixelSize)).horizontalAdvance(unicode(text));
}

Canvas::LineMetrics ImageCanvas::lineMetrics(int pixelSize) const
{
    const QFontMetrics metrics(font(pixelSize));
    return {metrics.height(), metrics.leading()};
}
