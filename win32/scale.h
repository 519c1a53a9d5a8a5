#pragma once

#include <windows.h>

// Program pixels to device pixels: positions stay in program pixels, as the
// layer gives them, and land on floor(position * dpi / 96).
struct Scale
{
    int dpi = USER_DEFAULT_SCREEN_DPI;

    int device(int pixels) const { return pixels * dpi / USER_DEFAULT_SCREEN_DPI; }
    int program(int devicePixels) const { return devicePixels * USER_DEFAULT_SCREEN_DPI / dpi; }
    // The side of one program pixel in device pixels, rounded up so that no gap shows.
    int block() const { return (dpi + USER_DEFAULT_SCREEN_DPI - 1) / USER_DEFAULT_SCREEN_DPI; }
};
