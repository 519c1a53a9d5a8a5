#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

// How far two colours (0x00RRGGBB) stand apart for the eye, as WCAG measures it:
// from 1 (the same) to 21 (black and white).
namespace Contrast {

// Enough for a line, a frame or large text to be seen.
inline constexpr double seen = 3.0;
// Enough for small text to be read by a low-vision reader.
inline constexpr double read = 7.0;

inline double luminance(std::uint32_t rgb)
{
    double sum = 0;
    for (const auto &[shift, weight] : {std::pair(16, 0.2126), std::pair(8, 0.7152), std::pair(0, 0.0722)}) {
        const double c = (rgb >> shift & 0xFF) / 255.0;
        sum += weight * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

inline double ratio(std::uint32_t a, std::uint32_t b)
{
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

} // namespace Contrast
