#pragma once

#include "canvas.h"
#include "size.h"

#include <cstdint>

// The frame a pane shows while it has the keyboard: a dotted line in the pane's
// margin, in the colour that stands out from its background, unfilled, so that
// the picture keeps its colours.
namespace FocusFrame {

inline constexpr int inset = 2;

inline void draw(Canvas &canvas, Size pane, std::uint32_t background)
{
    const int grey = ((background >> 16 & 0xFF) * 11 + (background >> 8 & 0xFF) * 16 + (background & 0xFF) * 5) / 32;
    canvas.focusFrame({inset, inset, pane.width - 2 * inset, pane.height - 2 * inset},
                      grey < 128 ? 0xFFFFFFu : 0x000000u);
}

} // namespace FocusFrame
