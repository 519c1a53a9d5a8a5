#pragma once

#include "pixelgrid.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>

// A pane that keeps its picture in an image. Paint requests coalesce into one
// pending paint that draws onto the image, optionally after clearing it to the
// background; the screen copies the image at most once a frame.
//
// The image has the screen's resolution, so text and figures are drawn crisply
// at any scale while all geometry stays in logical pixels (see PixelGrid). It
// covers what can be seen of the pane, or what the pane says is worth keeping;
// beyond it the pane shows its background. When the pane shrinks the image
// keeps its size, so that what could not be seen comes back when the pane
// grows again; only an erase fits it to the pane once more.
class RetainedPane : public QWidget
{
    Q_OBJECT
public:
    explicit RetainedPane(QWidget *parent);

    // The picture's background and the focus frame's colour; a picture that has
    // no colours but grey may be kept as Format_Grayscale8. The picture so far is
    // drawn anew through rescaled, on the same grid.
    void setColours(const QColor &background, const QColor &focus, QImage::Format format);

    // Served at the next drain of the event queue, also inside a modal loop.
    void requestPaint(bool erase);
    // For the main loop's hot path: no event is posted, the loop serves it
    // itself after its next drain (posting costs more than a whole pass).
    void requestPaintFromLoop() { m_pending = true; }

    bool paintPending() const { return m_pending; }
    void servePaint();

    // The picture, with everything drawn so far on it, at the pane's scale now.
    const QImage &image();

    const PixelGrid &grid() const { return m_grid; }
    // The logical size the image covers, from the pane's top left corner.
    QSize extent() const { return m_extent; }

protected:
    // The logical size worth keeping, given what can be seen and what the
    // picture covered before (empty at first); only an erase may shrink it.
    virtual QSize pictureSize(const QSize &visible, const QSize &before, bool erasing) const
    {
        return erasing ? visible : visible.expandedTo(before);
    }
    // Writes onto the image what paintRetained drew but kept back.
    virtual void settle(QImage &) {}
    // The pane moved to a screen of another scale, or its colours changed:
    // image is the new picture in the background, old the one before, drawn on
    // the grid oldGrid.
    virtual void rescaled(QImage &image, const QImage &old, const PixelGrid &oldGrid) = 0;
    // The pane moved or changed size, so another part of it may be seen.
    virtual void reshaped() {}

    // Draws onto the image, which was just cleared when erased is set; the
    // pane adds the logical rectangle it touched to dirty.
    virtual void paintRetained(QImage &image, QRect &dirty, bool erased) = 0;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // The part of the pane its parent does not clip.
    QSize visibleSize() const;
    // Gives the image the pane's scale and the size worth keeping; shrinks it
    // only when it is to be cleared anyway. True when anything changed.
    bool fitImage(bool erase);

    QImage m_image;
    QColor m_background = Qt::white;
    QColor m_focus = Qt::black;
    QImage::Format m_format = QImage::Format_RGB32;
    QRect m_dirty;
    QTimer m_frameTimer;
    PixelGrid m_grid;
    QSize m_extent;
    bool m_pending = false;
    bool m_erase = false;
    bool m_posted = false;
};
