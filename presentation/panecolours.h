#pragma once

#include "palette.h"

#include <cstdint>
#include <optional>

// The colours both panes paint in: the program's own (a white picture with a
// black figure and shots in their cycling colours; white statistics on black)
// unless the desktop asks for high contrast. Then both panes take its window
// and text colours, every shot is drawn in its text colour, as cycling colours
// vanish on a dark window, and each focus frame in its highlight where that
// stands out from the pane.
struct PaneColours
{
    static PaneColours of(const Palette &desktop);

    std::uint32_t shotPaper = 0xFFFFFF; // the picture's background and the figure's inside
    std::uint32_t figurePen = 0x000000;
    std::optional<std::uint32_t> shotInk; // none: each shot in its own colour
    std::uint32_t shotFocus = 0x000000;
    std::uint32_t statusInk = 0xFFFFFF;
    std::uint32_t statusPaper = 0x000000;
    std::uint32_t statusFocus = 0xFFFFFF;

    bool operator==(const PaneColours &) const = default;
};
