#pragma once

#include <algorithm>

// A width and height in whole pixels.
struct Size
{
    int width = 0;
    int height = 0;

    Size expandedTo(Size other) const { return {std::max(width, other.width), std::max(height, other.height)}; }
    Size boundedTo(Size other) const { return {std::min(width, other.width), std::min(height, other.height)}; }

    bool operator==(const Size &) const = default;
};
