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
    // The device pixels of an area of program pixels, right and bottom exclusive.
    RECT area(const Rect &program) const
    {
        return {device(program.x), device(program.y), device(program.x + program.width),
                device(program.y + program.height)};
    }
};
