#pragma once

#include "canvas.h"

// The status pane in the page: each text a real text of the page at the layer's
// place, on its cell, over the pane's paper, so that the browser lays it out
// sharply at any zoom and a user can select and copy it.
class StatusCanvas : public Canvas
{
public:
    void fill(const Rect &area, std::uint32_t rgb) override;
    // The status page draws only texts on its paper: shapes fill their area.
    void rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void plot(int x, int y, std::uint32_t rgb) override;
    std::uint32_t pixel(int x, int y) const override;
    void text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper) override;
    int measure(std::string_view text, int pixelSize) const override;
    LineMetrics lineMetrics(int pixelSize) const override;

private:
    std::uint32_t m_paper = 0xFFFFFF;
};
