#pragma once

#include "panecolours.h"
#include "statuspage.h"

#include <cstdint>
#include <vector>

class Canvas;
class Session;

// What the status pane shows: the status page in its colours' ink on their
// paper (white on black unless the desktop asks for high contrast), each text on
// its opaque cell at lineHeight * line + top, in a font of the same pixel size
// on every platform. Only texts that changed since the last paint are drawn
// again; an erase draws them all.
class StatusPicture
{
public:
    static constexpr int top = 10;

    explicit StatusPicture(const Session &session);

    // The columns are fixed in pixels, so the page follows neither the
    // desktop's font nor its DPI: 12 pixels, smaller only if a text would not
    // end a little before the next one on its line. Fixed at the first call.
    int fontSize(const Canvas &canvas);

    const PaneColours &colours() const { return m_colours; }
    // The colours of every paint from now on: the next paint must be an erase.
    void setColours(const PaneColours &colours) { m_colours = colours; }

    // Draws what changed, all of it when erased is set; false when nothing did.
    bool paint(Canvas &canvas, bool erased);

    // The page on the picture now.
    const std::vector<StatusPage::Text> &shown() const { return m_shown; }
    int lineHeight(const Canvas &canvas);
    // Below the page's last line the picture stays in the paper colour.
    int bottom(const Canvas &canvas);

private:
    const Session &m_session;
    PaneColours m_colours;
    int m_fontSize = 0;
    std::vector<StatusPage::Text> m_shown;
};
