#include "shotpicture.h"

#include "body.h"
#include "canvas.h"
#include "screenreader.h"
#include "session.h"

int ShotPicture::toPane(const Body &body, int k)
{
    return k + margin + body.radius();
}

Rect ShotPicture::figure(const Body &body)
{
    return {margin, margin, body.sideLength(), body.sideLength()};
}

int ShotPicture::keptSide(const Body &body)
{
    return margin + body.sideLength() + 1;
}

std::optional<ShotPicture::Plot> ShotPicture::plot(const Session &session)
{
    if (!session.running())
        return std::nullopt;
    const Simulation &simulation = session.simulation();
    return Plot{toPane(session.body(), simulation.shotX()), toPane(session.body(), simulation.shotY()),
                session.colour().rgb()};
}

ShotPicture::ShotPicture(const Session &session)
    : m_session(session)
{
}

Size ShotPicture::kept(Size visible, Size before, bool erasing) const
{
    const int side = keptSide(m_session.body());
    const Size kept = visible.expandedTo(before).boundedTo({side, side});
    return erasing ? kept : kept.expandedTo(before);
}

void ShotPicture::paint(Canvas &canvas, bool erased)
{
    if (erased) {
        m_figureShown = false;
        m_drawn = 0;
        m_lastPlotted = -1;
    }
    if (const auto shot = plot(m_session)) {
        canvas.plot(shot->x, shot->y, shot->rgb);
        // A resize plots the latest shot again: still one point.
        if (const double shots = m_session.simulation().shots(); shots != m_lastPlotted) {
            m_lastPlotted = shots;
            ++m_drawn;
        }
        return;
    }
    // The figure's white inside covers every point of the run.
    drawFigure(canvas);
    m_figureShown = true;
    m_drawn = 0;
    m_lastPlotted = -1;
}

void ShotPicture::rescale(Canvas &now, const Canvas &before, Canvas &figureBefore, Size extent) const
{
    if (m_figureShown) {
        drawFigure(figureBefore);
        drawFigure(now);
    }
    for (int y = 0; y < extent.height; ++y) {
        for (int x = 0; x < extent.width; ++x) {
            if (const std::uint32_t was = before.pixel(x, y); was != figureBefore.pixel(x, y))
                now.plot(x, y, was);
        }
    }
}

std::string ShotPicture::description() const
{
    return ScreenReader::shotDescription(m_session.body(), m_session.running(), m_drawn);
}

void ShotPicture::drawFigure(Canvas &canvas) const
{
    const Rect square = figure(m_session.body());
    canvas.rectangle(square, black, white);
    canvas.ellipse(square, black, white);
}
