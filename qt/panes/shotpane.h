#pragma once

#include "retainedpane.h"

#include <QPoint>

#include <vector>

class Body;
class Simulation;
struct ShotColour;

// Left pane: while a run is active every paint plots the latest shot as one
// pixel; otherwise it draws the square with its inscribed circle, whose white
// inside covers the points of the run.
class ShotPane : public RetainedPane
{
    Q_OBJECT
public:
    ShotPane(const Body &body, const Simulation &simulation, const ShotColour &colour,
             QWidget *parent);

    // Pixels between the pane's top left corner and the square's.
    static constexpr int margin = 10;

    // The pane pixel of a body coordinate, the same for x and y; y grows downwards.
    int toPane(int k) const;

    const Body &body() const { return m_body; }
    const Simulation &simulation() const { return m_simulation; }

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

    const Body &m_body;
    const Simulation &m_simulation;
    const ShotColour &m_colour;
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
