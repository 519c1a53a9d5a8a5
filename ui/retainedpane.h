#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>

// A pane that keeps its picture in an image. Paint requests coalesce into one
// pending paint that draws onto the image, optionally after clearing it to the
// background; the screen copies the image at most once a frame.
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

    const QImage &image() const { return m_image; }

protected:
    // Draws onto the image, which was just cleared when erased is set; the
    // pane adds the rectangle it touched to dirty.
    virtual void paintRetained(QImage &image, QRect &dirty, bool erased) = 0;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    QColor m_background;
    QRect m_dirty;
    QTimer m_frameTimer;
    bool m_pending = false;
    bool m_erase = false;
    bool m_posted = false;
};
