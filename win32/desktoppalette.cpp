#include "desktoppalette.h"

#include <windows.h>

namespace DesktopPalette {

namespace {
std::uint32_t system(int index)
{
    const COLORREF colour = GetSysColor(index);
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}
} // namespace

Palette read()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    Palette desktop;
    desktop.highContrast = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)
        && (contrast.dwFlags & HCF_HIGHCONTRASTON);
    desktop.window = system(COLOR_WINDOW);
    desktop.text = system(COLOR_WINDOWTEXT);
    desktop.highlight = system(COLOR_HIGHLIGHT);
    return desktop;
}

} // namespace DesktopPalette
