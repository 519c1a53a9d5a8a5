#pragma once

#include "canvas.h"

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A front end's canvas that writes down every call instead of drawing: what the
// layer asks each front end to draw, as a list. Plots are also kept as pixels,
// which pixel() reads back; a text is width * pixelSize / 12 pixels a character.
class RecordingCanvas : public Canvas
{
public:
    explicit RecordingCanvas(int width = 6)
        : m_width(width)
    {
    }

    std::vector<std::string> calls;
    std::map<std::pair<int, int>, std::uint32_t> pixels;

    void fill(const Rect &a, std::uint32_t rgb) override { record("fill", a, rgb); }
    void rectangle(const Rect &a, std::uint32_t pen, std::uint32_t inside) override
    {
        record("rectangle", a, pen, inside);
    }
    void ellipse(const Rect &a, std::uint32_t pen, std::uint32_t inside) override { record("ellipse", a, pen, inside); }
    void plot(int x, int y, std::uint32_t rgb) override
    {
        record("plot", {x, y, 1, 1}, rgb);
        pixels[{x, y}] = rgb;
    }
    std::uint32_t pixel(int x, int y) const override
    {
        const auto at = pixels.find({x, y});
        return at == pixels.end() ? 0xFFFFFF : at->second;
    }
    void text(int x, int y, std::string_view text, int size, std::uint32_t ink, std::uint32_t paper) override
    {
        record("text", {x, y, measure(text, size), size}, ink, paper);
        calls.back().append(" ").append(text);
    }
    int measure(std::string_view text, int size) const override
    {
        return static_cast<int>(text.size()) * m_width * size / 12;
    }
    LineMetrics lineMetrics(int size) const override { return {size + size / 6, 1}; }

private:
    // "name x,y wxh #rrggbb[ #rrggbb]"
    void record(const char *name, const Rect &a, std::uint32_t first, long second = -1)
    {
        char line[96];
        std::snprintf(line, sizeof line, "%s %d,%d %dx%d #%06x", name, a.x, a.y, a.width, a.height, first);
        calls.emplace_back(line);
        if (second >= 0) {
            std::snprintf(line, sizeof line, " #%06lx", second);
            calls.back() += line;
        }
    }

    int m_width;
};
