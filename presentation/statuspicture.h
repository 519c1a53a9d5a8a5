#pragma once

#include "statuspage.h"

#include <cstdint>
#include <vector>

class Canvas;
class Session;

// What the status pane shows: the status page in white on black, each text on
// its opaque cell at lineHeight * line + top, in a font of the same pixel size
// on every platform. Only texts that changed since the last paint are drawn
// again; an erase draws them all.
class StatusPicture
{
public:
    static constexpr int top = 10;
    static constexpr std::uint32_t ink = 0xFFFFFF;
    static constexpr std::uint32_t paper = 0x000000;

    explicit StatusPicture(const Session &session);

    // The columns are fixed in pixels, so the page follows neither the
    // desktop's font nor its DPI: 12 pixels, smaller only if a text would not
    // end a little before the next one on its line. Fixed at the first call.
    int fontSize(const Canvas &canvas);

    // Draws what changed, all of it when erased is set; false when nothing did.
    bool paint(Canvas &canvas, bool erased);

    // The page on the picture now.
    const std::vector<StatusPage::Text> &shown() const { return m_shown; }
    int lineHeight(const Canvas &canvas);
    // Below the page's last line the picture stays black.
    int bottom(const Canvas &canvas);

private:
    const Session &m_session;
    int m_fontSize = 0;
    std::vector<StatusPage::Text> m_shown;
};
