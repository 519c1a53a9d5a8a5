#pragma once

#include "rect.h"

#include <cstdint>
#include <string_view>

// What the layer paints a pane's picture through; each front end implements it
// with its toolkit. Places and sizes are program pixels, which the front end maps
// to its picture with PixelGrid; right and bottom bounds are exclusive; colours
// are 0x00RRGGBB. Texts are UTF-8 in the front end's sans-serif font of the
// given pixel size.
class Canvas
{
public:
    struct LineMetrics
    {
        int height;
        int leading; // between one line's bottom and the next one's top

        bool operator==(const LineMetrics &) const = default;
    };

    virtual ~Canvas() = default;

    virtual void fill(const Rect &area, std::uint32_t rgb) = 0;
    // Outlines one program pixel thick, inside area, around its filled inside.
    virtual void rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside) = 0;
    virtual void ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside) = 0;
    // The block of the program pixel (x, y); none beyond the picture.
    virtual void plot(int x, int y, std::uint32_t rgb) = 0;
    // The colour at the middle of the program pixel's block, white beyond the picture.
    virtual std::uint32_t pixel(int x, int y) const = 0;
    // The text's cell, its top left at (x, y), filled with paper; trailing blanks included.
    virtual void text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper) = 0;
    virtual int measure(std::string_view text, int pixelSize) const = 0;
    virtual LineMetrics lineMetrics(int pixelSize) const = 0;
};
