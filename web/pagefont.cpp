#include "pagefont.h"

#include <emscripten.h>

EM_JS(int, js_measure, (const char *text, int length, int pixelSize),
      { return Module.page.measure(UTF8ToString(text, length), pixelSize); });
EM_JS(int, js_line_height, (int pixelSize), { return Module.page.lineHeight(pixelSize); });

namespace PageFont {

int measure(std::string_view text, int pixelSize)
{
    return js_measure(text.data(), static_cast<int>(text.size()), pixelSize);
}

Canvas::LineMetrics lineMetrics(int pixelSize)
{
    // The page sets its lines one under the other, as the desktops' fonts with no extra leading.
    return {js_line_height(pixelSize), 0};
}

} // namespace PageFont
