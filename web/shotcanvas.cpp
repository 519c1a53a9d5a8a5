#include "shotcanvas.h"

#include "pagefont.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <utility>

EM_JS(void, js_shots_resize, (int width, int height, int deviceWidth, int deviceHeight),
      { Module.page.shotsResize(width, height, deviceWidth, deviceHeight); });
EM_JS(void, js_figure_fill, (int x, int y, int width, int height, int rgb),
      { Module.page.figureFill(x, y, width, height, rgb); });
EM_JS(int, js_figure_pixel, (int x, int y), { return Module.page.figurePixel(x, y); });
EM_JS(void, js_figure_text, (int x, int y, const char *text, int length, int pixelSize, int ink, int paper),
      { Module.page.figureText(x, y, UTF8ToString(text, length), pixelSize, ink, paper); });
EM_JS(void, js_points, (const std::uint8_t *pixels, int width, int left, int top, int right, int bottom),
      { Module.page.points(HEAPU8, pixels, width, left, top, right, bottom); });

namespace {

int asInt(std::uint32_t rgb) { return static_cast<int>(rgb & 0xFFFFFF); }

bool covers(const Rect &outer, const Rect &inner)
{
    return outer.x <= inner.x && outer.y <= inner.y && outer.x + outer.width >= inner.x + inner.width
        && outer.y + outer.height >= inner.y + inner.height;
}

} // namespace

void ShotCanvas::resize(Size size, double ratio)
{
    std::vector<std::uint8_t> points(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 4);
    for (int y = 0; y < std::min(size.height, m_size.height); ++y) {
        const auto from = m_points.begin() + static_cast<std::ptrdiff_t>(y) * m_size.width * 4;
        std::copy(from, from + std::min(size.width, m_size.width) * 4,
                  points.begin() + static_cast<std::ptrdiff_t>(y) * size.width * 4);
    }
    m_points = std::move(points);
    m_size = size;
    m_grid = PixelGrid(ratio);
    js_shots_resize(size.width, size.height, m_grid.toImageSize(size.width), m_grid.toImageSize(size.height));
    for (const Figure &figure : m_figures)
        draw(figure);
    m_left = m_top = 0;
    m_right = size.width;
    m_bottom = size.height;
    show();
}

void ShotCanvas::clear(std::uint32_t paper)
{
    fill({0, 0, m_size.width, m_size.height}, paper);
}

void ShotCanvas::recolour(const PaneColours &was, const PaneColours &now)
{
    const auto mapped = [&](std::uint32_t rgb) {
        return rgb == was.shotPaper ? now.shotPaper : rgb == was.figurePen ? now.figurePen : rgb;
    };
    for (Figure &figure : m_figures) {
        figure.pen = mapped(figure.pen);
        figure.inside = mapped(figure.inside);
    }
    if (now.shotInk) {
        for (std::size_t i = 0; i < m_points.size(); i += 4) {
            if (m_points[i + 3] != 0) {
                m_points[i] = static_cast<std::uint8_t>(*now.shotInk >> 16);
                m_points[i + 1] = static_cast<std::uint8_t>(*now.shotInk >> 8);
                m_points[i + 2] = static_cast<std::uint8_t>(*now.shotInk);
            }
        }
    }
    resize(m_size, m_grid.scale);
}

void ShotCanvas::show()
{
    if (m_right > m_left && m_bottom > m_top)
        js_points(m_points.data(), m_size.width, m_left, m_top, m_right, m_bottom);
    m_left = m_top = m_right = m_bottom = 0;
}

void ShotCanvas::fill(const Rect &area, std::uint32_t rgb)
{
    rectangle(area, rgb, rgb);
}

void ShotCanvas::rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside)
{
    // What this covers need not be drawn again on another screen.
    std::erase_if(m_figures, [&](const Figure &earlier) { return covers(area, earlier.area); });
    m_figures.push_back({pen == inside ? Shape::Fill : Shape::Rectangle, area, pen, inside});
    draw(m_figures.back());
    clearPoints(area, false);
}

void ShotCanvas::ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside)
{
    m_figures.push_back({Shape::Ellipse, area, pen, inside});
    draw(m_figures.back());
    clearPoints(area, true);
}

void ShotCanvas::plot(int x, int y, std::uint32_t rgb)
{
    if (x < 0 || y < 0 || x >= m_size.width || y >= m_size.height)
        return;
    auto *pixel = &m_points[(static_cast<std::size_t>(y) * m_size.width + x) * 4];
    pixel[0] = static_cast<std::uint8_t>(rgb >> 16);
    pixel[1] = static_cast<std::uint8_t>(rgb >> 8);
    pixel[2] = static_cast<std::uint8_t>(rgb);
    pixel[3] = 0xFF;
    touch(x, y);
}

std::uint32_t ShotCanvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_size.width || y >= m_size.height)
        return 0xFFFFFF;
    const auto *pixel = &m_points[(static_cast<std::size_t>(y) * m_size.width + x) * 4];
    if (pixel[3] != 0)
        return static_cast<std::uint32_t>(pixel[0] << 16 | pixel[1] << 8 | pixel[2]);
    return static_cast<std::uint32_t>(js_figure_pixel(m_grid.centre(x), m_grid.centre(y)));
}

void ShotCanvas::text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper)
{
    js_figure_text(m_grid.toImage(x), m_grid.toImage(y), text.data(), static_cast<int>(text.size()),
                   m_grid.toImageSize(pixelSize), asInt(ink), asInt(paper));
}

int ShotCanvas::measure(std::string_view text, int pixelSize) const
{
    return PageFont::measure(text, pixelSize);
}

Canvas::LineMetrics ShotCanvas::lineMetrics(int pixelSize) const
{
    return PageFont::lineMetrics(pixelSize);
}

void ShotCanvas::draw(const Figure &figure) const
{
    const Rect &a = figure.area;
    const int left = m_grid.toImage(a.x), top = m_grid.toImage(a.y);
    const int right = m_grid.toImage(a.x + a.width), bottom = m_grid.toImage(a.y + a.height);
    const int pen = m_grid.block;
    switch (figure.shape) {
    case Shape::Fill:
        js_figure_fill(left, top, right - left, bottom - top, asInt(figure.inside));
        break;
    case Shape::Rectangle:
        js_figure_fill(left, top, right - left, bottom - top, asInt(figure.pen));
        js_figure_fill(left + pen, top + pen, right - left - 2 * pen, bottom - top - 2 * pen, asInt(figure.inside));
        break;
    case Shape::Ellipse:
        drawEllipse(left, top, right, bottom, figure);
        break;
    }
}

void ShotCanvas::drawEllipse(int left, int top, int right, int bottom, const Figure &figure) const
{
    // Row by row in whole screen pixels, as the desktops draw it: a pen as wide as a program pixel and
    // no blended edge, so that every pixel is the pen's or the inside's colour.
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0, pen = m_grid.block;
    // Where the row through the middle of pixel row y crosses an ellipse of these half axes: [from, to).
    const auto span = [&](int y, double ax, double ay) -> std::pair<int, int> {
        const double dy = (y + 0.5 - cy) / ay;
        if (ax <= 0 || ay <= 0 || dy * dy > 1)
            return {0, 0};
        const double half = ax * std::sqrt(1 - dy * dy);
        return {static_cast<int>(std::ceil(cx - half - 0.5)), static_cast<int>(std::floor(cx + half - 0.5)) + 1};
    };
    for (int y = top; y < bottom; ++y) {
        const auto [outerFrom, outerTo] = span(y, rx, ry);
        if (outerFrom >= outerTo)
            continue;
        const auto [innerFrom, innerTo] = span(y, rx - pen, ry - pen);
        if (innerFrom >= innerTo) {
            js_figure_fill(outerFrom, y, outerTo - outerFrom, 1, asInt(figure.pen));
            continue;
        }
        js_figure_fill(outerFrom, y, innerFrom - outerFrom, 1, asInt(figure.pen));
        js_figure_fill(innerFrom, y, innerTo - innerFrom, 1, asInt(figure.inside));
        js_figure_fill(innerTo, y, outerTo - innerTo, 1, asInt(figure.pen));
    }
}

void ShotCanvas::clearPoints(const Rect &area, bool elliptic)
{
    const double cx = area.x + area.width / 2.0, cy = area.y + area.height / 2.0;
    const double rx = area.width / 2.0, ry = area.height / 2.0;
    for (int y = std::max(area.y, 0); y < std::min(area.y + area.height, m_size.height); ++y) {
        for (int x = std::max(area.x, 0); x < std::min(area.x + area.width, m_size.width); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            auto &alpha = m_points[(static_cast<std::size_t>(y) * m_size.width + x) * 4 + 3];
            if (alpha != 0 && (!elliptic || dx * dx + dy * dy <= 1.0)) {
                alpha = 0;
                touch(x, y);
            }
        }
    }
}

void ShotCanvas::touch(int x, int y)
{
    if (m_right <= m_left) {
        m_left = x;
        m_top = y;
        m_right = x + 1;
        m_bottom = y + 1;
        return;
    }
    m_left = std::min(m_left, x);
    m_top = std::min(m_top, y);
    m_right = std::max(m_right, x + 1);
    m_bottom = std::max(m_bottom, y + 1);
}
