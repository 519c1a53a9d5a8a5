#pragma once

#include "rect.h"
#include "size.h"

#include <array>
#include <cstdint>

// The frame a pane shows on screen while it has the keyboard, from the start
// and never on its picture: a solid band two program pixels wide, 2 pixels
// inside the part of the pane that shows, in white on a dark pane and black on
// a light one, so that it stands out from the pane (far beyond 3:1) at any
// scale (two pixels are at least two screen pixels) and the picture inside
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

inline std::uint32_t colour(std::uint32_t background)
{
    // Qt's qGray: red, green and blue weighed 11 : 16 : 5.
    const std::uint32_t grey =
        ((background >> 16 & 0xFF) * 11 + (background >> 8 & 0xFF) * 16 + (background & 0xFF) * 5) / 32;
    return grey < 128 ? 0xFFFFFF : 0x000000;
}

} // namespace FocusFrame
