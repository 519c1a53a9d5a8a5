#include "statuscanvas.h"

#include "pagefont.h"

#include <emscripten.h>

EM_JS(void, js_status_fill, (int x, int y, int width, int height, int rgb),
      { Module.page.statusFill(x, y, width, height, rgb); });
EM_JS(void, js_status_text, (int x, int y, const char *text, int length, int pixelSize, int ink, int paper),
      { Module.page.statusText(x, y, UTF8ToString(text, length), pixelSize, ink, paper); });

void StatusCanvas::fill(const Rect &area, std::uint32_t rgb)
{
    if (area.x <= 0 && area.y <= 0)
        m_paper = rgb;
    js_status_fill(area.x, area.y, area.width, area.height, static_cast<int>(rgb));
}

void StatusCanvas::rectangle(const Rect &area, std::uint32_t, std::uint32_t inside)
{
    fill(area, inside);
}

void StatusCanvas::ellipse(const Rect &area, std::uint32_t, std::uint32_t inside)
{
    fill(area, inside);
}

void StatusCanvas::plot(int x, int y, std::uint32_t rgb)
{
    fill({x, y, 1, 1}, rgb);
}

std::uint32_t StatusCanvas::pixel(int, int) const
{
    return m_paper;
}

void StatusCanvas::text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper)
{
    js_status_text(x, y, text.data(), static_cast<int>(text.size()), pixelSize, static_cast<int>(ink),
                   static_cast<int>(paper));
}

int StatusCanvas::measure(std::string_view text, int pixelSize) const
{
    return PageFont::measure(text, pixelSize);
}

Canvas::LineMetrics StatusCanvas::lineMetrics(int pixelSize) const
{
    return PageFont::lineMetrics(pixelSize);
}
