#pragma once

#include "retainedpane.h"

#include <QPoint>

#include <vector>

class Session;

// Left pane: draws what ShotPicture says a paint draws, the latest shot while a
// run is active, else the figure; one program pixel is one block of the grid.
class ShotPane : public RetainedPane
{
    Q_OBJECT
public:
    ShotPane(const Session &session, QWidget *parent);

    const Session &session() const { return m_session; }

protected:
    QSize pictureSize(const QSize &visible, const QSize &before) const override;
    void settle(QImage &image) override;
    void rescaled(QImage &image, const QImage &old, const PixelGrid &oldGrid) override;
    void reshaped() override;
    void paintRetained(QImage &image, QRect &dirty, bool erased) override;

private:
    // The empty figure on an image of that grid: black outlines one logical
    // pixel thick, white inside, the right and bottom bounds (margin + side)
    // exclusive.
    void drawFigure(QImage &image, const PixelGrid &grid) const;

    const Session &m_session;
    // Whether the figure is on the picture: after an erase during a run it is not.
    bool m_figureShown = false;

    // Shots in the order they came, written onto the image once a frame: at a
    // high scale the image outgrows the processor's cache, and a pixel
    // written per shot would evict the loop's own data every time.
    struct Shot
    {
        int x;
        int y;
        QRgb colour;
    };
    std::vector<Shot> m_unsettled;
};
