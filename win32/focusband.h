#pragma once

#include "scale.h"
#include "size.h"

#include <windows.h>

#include <cstdint>

// The layer's focus frame on a pane's screen, over its picture.
namespace FocusBand {

// pane: the part of the pane that shows, in program pixels; colour: 0x00RRGGBB.
void draw(HDC dc, const Scale &scale, Size pane, std::uint32_t colour);

} // namespace FocusBand
