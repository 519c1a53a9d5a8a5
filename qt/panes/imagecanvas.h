#pragma once

#include "canvas.h"
#include "pixelgrid.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

// The drawing port on a pane's retained image of the screen's resolution: one
// program pixel is one block of the grid. Plots may wait in a queue, written
// onto the image once a frame or before anything else is drawn: at a high scale
// the image outgrows the processor's cache, and a pixel written per shot would
// evict the loop's own data every time. Adds each logical rectangle it touches
// to dirty.
class ImageCanvas : public Canvas
{
public:
    struct Plot
    {
        int x;
        int y;
        QRgb colour;
    };

    // A frame's worth of shots and more; a queue never grows beyond it.
    static constexpr std::size_t maxQueued = 1 << 16;

    // extent: the logical size the image covers; queue: where plots wait, or null.
    ImageCanvas(QImage &image, const PixelGrid &grid, QSize extent, QRect &dirty, std::vector<Plot> *queue = nullptr);

    // The page's font at a pixel size, whatever the desktop's font is.
    static QFont font(int pixelSize);

    // Writes the plots that wait onto the image.
    void settle();

    void fill(const Rect &area, std::uint32_t rgb) override;
    void rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void plot(int x, int y, std::uint32_t rgb) override;
    std::uint32_t pixel(int x, int y) const override;
    void text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper) override;
    int measure(std::string_view text, int pixelSize) const override;
    LineMetrics lineMetrics(int pixelSize) const override;

private:
    // The area in image pixels, every edge whole blocks.
    QRect blocks(const Rect &area) const;
    void touched(const Rect &area);
    void write(int x, int y, QRgb colour);

    QImage &m_image;
    PixelGrid m_grid;
    QSize m_extent;
    QRect &m_dirty;
    std::vector<Plot> *m_queue;
};
