#include "desktoppalette.h"

#include "contrast.h"

#include <QPalette>

#include <algorithm>
#include <utility>

namespace DesktopPalette {

Palette of(const QPalette &palette)
{
    const auto rgb = [&](QPalette::ColorRole role) {
        return static_cast<std::uint32_t>(palette.color(QPalette::Active, role).rgb() & 0xFFFFFF);
    };
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> texts[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::HighlightedText, QPalette::Highlight},
    };
    Palette desktop;
    desktop.highContrast = std::all_of(std::begin(texts), std::end(texts), [&](const auto &pair) {
        return Contrast::ratio(rgb(pair.first), rgb(pair.second)) >= Contrast::read;
    });
    desktop.window = rgb(QPalette::Window);
    desktop.text = rgb(QPalette::WindowText);
    desktop.highlight = rgb(QPalette::Highlight);
    return desktop;
}

} // namespace DesktopPalette
