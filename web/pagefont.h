#pragma once

#include "canvas.h"

#include <string_view>

// The font the page is laid out in, as the browser measures it: the one the
// page ships, so that every device measures the same.
namespace PageFont {

int measure(std::string_view text, int pixelSize);
Canvas::LineMetrics lineMetrics(int pixelSize);

} // namespace PageFont
