#pragma once

#include "palette.h"

// What Windows says of its colours: its high-contrast setting and the system
// colours that come with it.
namespace DesktopPalette {

Palette read();

} // namespace DesktopPalette
