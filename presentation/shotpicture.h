#pragma once

#include "panecolours.h"
#include "rect.h"
#include "size.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Body;
class Canvas;
class Session;

// What the shot pane shows. While a run is active every paint plots the latest
// shot as one pixel in the current colour; otherwise it draws the square with
// its inscribed circle, whose inside in the paper's colour covers the points of
// the run. One body unit is one pane pixel, y grows downwards. Its colours are
// PaneColours'.
//
// The picture keeps every plotted point and the figure while the pane is
// minimised, shrinks and grows back, or moves to a screen of another scale:
// only an erase or the figure drawn at a run's end clears it.
class ShotPicture
{
public:
    // Pixels between the pane's top left corner and the square's.
    static constexpr int margin = 10;

    // The pane pixel of a body coordinate, the same for x and y.
    static int toPane(const Body &body, int k);

    // The square, which also bounds the circle: right and bottom exclusive.
    static Rect figure(const Session &session);

    // The pane's part worth keeping a picture of, from its top left corner: the
    // figure and one pixel beyond, which a pixel drawn as a larger block may touch.
    static int keptSide(const Session &session);

    // The shots of the run so far.
    static long long shots(const Session &session);

    struct Plot
    {
        int x;
        int y;
        std::uint32_t rgb; // 0x00RRGGBB

        bool operator==(const Plot &) const = default;
    };

    // What a paint draws now: the latest shot while a run is active, else nothing
    // (the figure is drawn).
    static std::optional<Plot> plot(const Session &session);

    explicit ShotPicture(const Session &session);

    // The size the picture covers, given what the pane shows now and what the
    // picture covered before: never less than before, so that a minimised or
    // shrunk pane loses nothing, nor beyond the figure's reach; only an erase
    // lets it shrink to the figure of a smaller body.
    Size kept(Size visible, Size before, bool erasing) const;

    const PaneColours &colours() const { return m_colours; }
    // The colours of every paint from now on; the picture so far is redrawn by rescale.
    void setColours(const PaneColours &colours) { m_colours = colours; }

    // One paint onto the picture, which was just cleared to the paper's colour when erased is set.
    void paint(Canvas &canvas, bool erased);
    // The shots that Session::advance fired, in their order, each counted as drawn.
    void paint(Canvas &canvas, const std::vector<Plot> &plots);

    // The pane moved to a screen of another scale, or the colours changed.
    // now: the new picture in the paper's colour; before: the old one, drawn in
    // the colours was; figureBefore: a picture on the old grid in was's paper,
    // which the figure alone is drawn on in was's colours to tell the points
    // from it. Each program pixel of extent where the old picture differed from
    // the figure is plotted anew (in the shots' ink, if the colours give one),
    // and the figure is drawn at the new resolution in the colours now.
    void rescale(Canvas &now, const Canvas &before, Canvas &figureBefore, Size extent, const PaneColours &was) const;

    bool figureShown() const { return m_figureShown; }
    // Points drawn since the figure or the last erase.
    long long drawn() const { return m_drawn; }
    // What a screen reader says of the picture.
    std::string description() const;

private:
    static void drawFigure(Canvas &canvas, const Rect &square, const PaneColours &colours);

    const Session &m_session;
    PaneColours m_colours;
    // After an erase during a run the figure is not on the picture.
    bool m_figureShown = false;
    long long m_drawn = 0;
    // The shot count when the latest point was drawn, -1 before any.
    long long m_lastPlotted = -1;
};
