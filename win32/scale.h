#pragma once

#include "pixelgrid.h"
#include "rect.h"

#include <windows.h>

// Program pixels to device pixels at a monitor's DPI: positions stay in program
// pixels, as the layer gives them, and land where the layer's grid puts them.
struct Scale
{
    int dpi = USER_DEFAULT_SCREEN_DPI;

    PixelGrid grid() const { return PixelGrid(static_cast<double>(dpi) / USER_DEFAULT_SCREEN_DPI); }
    int device(int pixels) const { return grid().toImage(pixels); }
    int program(int devicePixels) const { return devicePixels * USER_DEFAULT_SCREEN_DPI / dpi; }
    // The side of one program pixel in device pixels, rounded up so that no gap shows.
    int block() const { return grid().block; }
    // Where a line one device pixel thick along the area's outermost program pixels runs, right and bottom exclusive.
    RECT line(const Rect &area) const
    {
        return {device(area.x), device(area.y), device(area.x + area.width - 1) + 1,
                device(area.y + area.height - 1) + 1};
    }
};
