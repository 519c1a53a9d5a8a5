#include "shotpicture.h"

#include "body.h"
#include "canvas.h"
#include "screenreader.h"
#include "session.h"
#include "sessionstate.h"

int ShotPicture::toPane(const Body &body, int k)
{
    return k + margin + body.radius();
}

Rect ShotPicture::figure(const Session &session)
{
    const Body &body = session.state().body;
    return {margin, margin, body.sideLength(), body.sideLength()};
}

int ShotPicture::keptSide(const Session &session)
{
    return margin + session.state().body.sideLength() + 1;
}

long long ShotPicture::shots(const Session &session)
{
    return static_cast<long long>(session.state().simulation.shots());
}

std::optional<ShotPicture::Plot> ShotPicture::plot(const Session &session)
{
    if (!session.running())
        return std::nullopt;
    const SessionState &state = session.state();
    return Plot{toPane(state.body, state.simulation.shotX()), toPane(state.body, state.simulation.shotY()),
                state.colour.rgb()};
}

ShotPicture::ShotPicture(const Session &session)
    : m_session(session)
{
}

Size ShotPicture::kept(Size visible, Size before, bool erasing) const
{
    const int side = keptSide(m_session);
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
        canvas.plot(shot->x, shot->y, m_colours.shotInk.value_or(shot->rgb));
        // A resize plots the latest shot again: still one point.
        if (const long long latest = shots(m_session); latest != m_lastPlotted) {
            m_lastPlotted = latest;
            ++m_drawn;
        }
        return;
    }
    // The figure's inside covers every point of the run.
    drawFigure(canvas, figure(m_session), m_colours);
    m_figureShown = true;
    m_drawn = 0;
    m_lastPlotted = -1;
}

void ShotPicture::paint(Canvas &canvas, const std::vector<Plot> &plots)
{
    for (const Plot &shot : plots)
        canvas.plot(shot.x, shot.y, m_colours.shotInk.value_or(shot.rgb));
    m_drawn += static_cast<long long>(plots.size());
    if (!plots.empty())
        m_lastPlotted = shots(m_session);
}

void ShotPicture::rescale(Canvas &now, const Canvas &before, Canvas &figureBefore, Size extent,
                          const PaneColours &was) const
{
    if (m_figureShown) {
        drawFigure(figureBefore, figure(m_session), was);
        drawFigure(now, figure(m_session), m_colours);
    }
    for (int y = 0; y < extent.height; ++y) {
        for (int x = 0; x < extent.width; ++x) {
            if (const std::uint32_t point = before.pixel(x, y); point != figureBefore.pixel(x, y))
                now.plot(x, y, m_colours.shotInk.value_or(point));
        }
    }
}

std::string ShotPicture::description() const
{
    return ScreenReader::shotDescription(m_session, m_drawn);
}

void ShotPicture::drawFigure(Canvas &canvas, const Rect &square, const PaneColours &colours)
{
    canvas.rectangle(square, colours.figurePen, colours.shotPaper);
    canvas.ellipse(square, colours.figurePen, colours.shotPaper);
}
