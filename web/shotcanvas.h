#pragma once

#include "canvas.h"
#include "panecolours.h"
#include "pixelgrid.h"
#include "size.h"

#include <cstdint>
#include <vector>

// The shot pane's picture in the page: the points in a buffer of program pixels,
// which the page scales up without smoothing, over the figure, which the page
// draws at the screen's resolution. What covers an area opaquely (the figure's
// fill) clears the points beneath it, as painting over them would.
class ShotCanvas : public Canvas
{
public:
    // The picture's size in program pixels and the screen's pixels per program
    // pixel; the points that still fit stay, the figure is drawn anew.
    void resize(Size size, double ratio);
    // Everything in the paper's colour.
    void clear(std::uint32_t paper);
    // The colours changed: the figure drawn anew in the new ones, every point in the shots' ink if they give one.
    void recolour(const PaneColours &was, const PaneColours &now);
    // Hands the points changed since the last show to the page.
    void show();

    void fill(const Rect &area, std::uint32_t rgb) override;
    void rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside) override;
    void plot(int x, int y, std::uint32_t rgb) override;
    std::uint32_t pixel(int x, int y) const override;
    void text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper) override;
    int measure(std::string_view text, int pixelSize) const override;
    LineMetrics lineMetrics(int pixelSize) const override;

private:
    enum class Shape { Fill, Rectangle, Ellipse };
    struct Figure
    {
        Shape shape;
        Rect area;
        std::uint32_t pen;
        std::uint32_t inside;
    };

    void draw(const Figure &figure) const;
    void drawEllipse(int left, int top, int right, int bottom, const Figure &figure) const;
    void clearPoints(const Rect &area, bool elliptic);
    void touch(int x, int y);

    Size m_size;
    PixelGrid m_grid;
    // Red, green, blue and alpha per program pixel, as the page's ImageData wants them; alpha 0 where no point is.
    std::vector<std::uint8_t> m_points;
    // What is drawn under the points, in order, to draw again on a screen of another scale.
    std::vector<Figure> m_figures;
    // The points changed since the last show; empty when none.
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
};
