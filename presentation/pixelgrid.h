#pragma once

#include <cmath>

// Where program pixels fall on a picture of a screen's resolution, the one
// rounding rule of every front end. At a whole
// scale a logical pixel is a square of scale image pixels; at a fractional one
// it is drawn as a block of ceil(scale) image pixels from floor(x * scale), the
// same size wherever it lands, so neighbouring blocks leave no gaps.
struct PixelGrid
{
    explicit PixelGrid(double factor = 1.0)
        : scale(factor)
        , block(static_cast<int>(std::ceil(factor - tolerance)))
        , span(std::abs(block - factor) > tolerance ? 2 : 1)
    {
    }

    // The first image pixel of a logical coordinate.
    int toImage(int logical) const
    {
        return block == 1 ? logical : static_cast<int>(std::floor(logical * scale + tolerance));
    }
    // The image pixel in the middle of a logical one: its block's own, where
    // neighbouring blocks overlap at a fractional scale.
    int centre(int logical) const
    {
        return block == 1 ? logical : static_cast<int>(std::floor((logical + 0.5) * scale));
    }
    // Image pixels for a logical length, rounded up.
    int toImageSize(int logical) const
    {
        return static_cast<int>(std::ceil(logical * scale - tolerance));
    }

    // Scales within this of a whole number are taken as whole: 1.5 * 2 is 3, not 2.9999.
    static constexpr double tolerance = 1e-6;

    double scale;
    // Image pixels a logical pixel is drawn as, across and down.
    int block;
    // Logical pixels a block may touch: 2 where the scale is fractional.
    int span;
};
