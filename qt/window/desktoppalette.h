#pragma once

#include "palette.h"

class QPalette;

// What a Qt desktop says of its colours. Qt 6.4 has no high-contrast setting
// on Linux: a palette asks for high contrast when every text in it stands out
// from its background at least 7:1, the selection too. The usual palettes
// (Fusion, Breeze, Adwaita, dark or light) mark a selection with a middle
// blue under white text, far below that.
namespace DesktopPalette {

Palette of(const QPalette &palette);

} // namespace DesktopPalette
