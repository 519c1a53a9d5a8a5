#pragma once

#include "retainedpane.h"

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
             const QSize &size, QWidget *parent);

    // The empty figure onto image: black 1 px outlines, white inside, the right
    // and bottom bounds (margin + side) exclusive.
    static void drawFigure(QImage &image, const Body &body);

    const Body &body() const { return m_body; }
    const Simulation &simulation() const { return m_simulation; }

protected:
    void paintRetained(QImage &image, QRect &dirty, bool erased) override;

private:
    const Body &m_body;
    const Simulation &m_simulation;
    const ShotColour &m_colour;
};
