#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>

// A pane that keeps its picture in an image. Paint requests coalesce into one
// pending paint that draws onto the image, optionally after clearing it to the
// background; the screen copies the image at most once a frame.
//
// The image has the screen's resolution (its device pixel ratio is the
// screen's), so text and figures are drawn crisply at any scale while all
// geometry stays in logical pixels. At a fractional scale a logical pixel is
// not a whole number of image pixels; single pixels are then drawn as blocks
// of pixelBlock() image pixels from toImage(coordinate), the same size
// wherever they land.
class RetainedPane : public QWidget
{
    Q_OBJECT
public:
    RetainedPane(const QColor &background, const QSize &size, QWidget *parent);

    // Served at the next drain of the event queue, also inside a modal loop.
    void requestPaint(bool erase);
    // For the main loop's hot path: no event is posted, the loop serves it
    // itself after its next drain (posting costs more than a whole pass).
    void requestPaintFromLoop() { m_pending = true; }

    bool paintPending() const { return m_pending; }
    void servePaint();

    // The picture, with everything drawn so far on it.
    const QImage &image()
    {
        settle(m_image);
        return m_image;
    }

    // The first image pixel of a logical coordinate.
    int toImage(int logical) const
    {
        return m_block == 1 ? logical : static_cast<int>(std::floor(logical * m_scale + scaleTolerance));
    }
    // Image pixels a logical pixel is drawn as, across and down: the scale
    // rounded up, so that blocks leave no gaps between neighbours.
    int pixelBlock() const { return m_block; }
    // Logical pixels a block may touch: 2 where the scale is fractional.
    int blockSpan() const { return m_span; }

protected:
    // Sets the block of the logical pixel (x, y), which lies inside the pane.
    void plot(QImage &image, int x, int y, QRgb colour) const
    {
        if (m_block == 1) {
            reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour;
            return;
        }
        const int left = toImage(x);
        const int width = std::min(m_block, m_imageSize.width() - left);
        const int top = toImage(y);
        const int bottom = std::min(top + m_block, m_imageSize.height());
        const qsizetype stride = image.bytesPerLine();
        uchar *line = image.bits() + top * stride;
        for (int row = top; row < bottom; ++row, line += stride)
            std::fill_n(reinterpret_cast<QRgb *>(line) + left, width, colour);
    }

    // Writes onto the image what paintRetained drew but kept back.
    virtual void settle(QImage &) {}
    // The screen's scale changed and the picture so far was scaled to it.
    virtual void rescaled() {}

    // Draws onto the image, which was just cleared when erased is set; the
    // pane adds the logical rectangle it touched to dirty.
    virtual void paintRetained(QImage &image, QRect &dirty, bool erased) = 0;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Scales within this of a whole number are taken as whole: 1.5 * 2 is 3, not 2.9999.
    static constexpr double scaleTolerance = 1e-6;

    // Gives the image the widget's current scale, keeping its picture.
    void followScale();

    QImage m_image;
    QColor m_background;
    QRect m_dirty;
    QTimer m_frameTimer;
    QSize m_imageSize;
    double m_scale = 1.0;
    int m_block = 1;
    int m_span = 1;
    bool m_pending = false;
    bool m_erase = false;
    bool m_posted = false;
};
