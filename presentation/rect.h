#pragma once

// A rectangle in whole units (pixels or dialog units), from its top left corner.
struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect &) const = default;
};
