#pragma once

#include "rect.h"
#include "size.h"

#include <cstdint>

// The frame a pane shows on screen while it has the keyboard, never on its
// picture: a dotted line one screen pixel thick, unfilled, so that the picture
// keeps its colours, 2 pixels inside the part of the pane that shows, in the
// colour that stands out from the pane's background.
namespace FocusFrame {

inline constexpr int inset = 2;

// Right and bottom exclusive: the line's pixels are the rectangle's outermost ones.
inline Rect place(Size pane)
{
    return {inset, inset, pane.width - 2 * inset, pane.height - 2 * inset};
}

inline std::uint32_t colour(std::uint32_t background)
{
    // Qt's qGray: red, green and blue weighed 11 : 16 : 5.
    const std::uint32_t grey =
        ((background >> 16 & 0xFF) * 11 + (background >> 8 & 0xFF) * 16 + (background & 0xFF) * 5) / 32;
    return grey < 128 ? 0xFFFFFF : 0x000000;
}

} // namespace FocusFrame
