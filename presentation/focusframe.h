#pragma once

#include "contrast.h"
#include "rect.h"
#include "size.h"

#include <array>
#include <cstdint>
#include <optional>

// The frame a pane shows on screen while it has the keyboard, from the start
// and never on its picture: a solid band two program pixels wide, 2 pixels
// inside the part of the pane that shows, in the colour the pane's colours
// choose (see colour), so that it stands out from the pane (at least 3:1) at
// any scale (two pixels are at least two screen pixels) and the picture inside
// keeps its colours.
namespace FocusFrame {

inline constexpr int inset = 2;
inline constexpr int width = 2;

// The band's four sides, top, bottom, left and right, right and bottom exclusive.
inline std::array<Rect, 4> sides(Size pane)
{
    const int across = pane.width - 2 * inset;
    const int down = pane.height - 2 * inset;
    return {{
        {inset, inset, across, width},
        {inset, pane.height - inset - width, across, width},
        {inset, inset, width, down},
        {pane.width - inset - width, inset, width, down},
    }};
}

// The preferred colour where it stands out from the pane's background, else
// white or black, whichever stands out more: at least 4.5:1 against any colour.
inline std::uint32_t colour(std::uint32_t background, std::optional<std::uint32_t> preferred = {})
{
    if (preferred && Contrast::ratio(*preferred, background) >= Contrast::seen)
        return *preferred;
    return Contrast::ratio(0xFFFFFF, background) >= Contrast::ratio(0x000000, background) ? 0xFFFFFF : 0x000000;
}

} // namespace FocusFrame
