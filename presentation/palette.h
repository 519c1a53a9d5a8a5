#pragma once

#include <cstdint>

// What the desktop says of its colours, as a front end reads them from its
// toolkit; colours are 0x00RRGGBB.
struct Palette
{
    // The desktop asks programs for high contrast and these colours.
    bool highContrast = false;
    std::uint32_t window = 0xFFFFFF;
    std::uint32_t text = 0x000000;
    // What the desktop marks a selection or the focus with.
    std::uint32_t highlight = 0x000000;

    bool operator==(const Palette &) const = default;
};
