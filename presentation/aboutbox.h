#pragma once

#include "dialogcontrol.h"

#include <array>

// The about dialog without its toolkit: program icon, version, where help is
// found, release month. Only its OK button closes it; it has no close box and
// ignores Escape.
namespace AboutBox {

inline constexpr const char *title = "about Monte-Carlo";
inline constexpr int width = 186; // dialog units
inline constexpr int height = 103;
inline constexpr int iconId = 1015;

extern const std::array<DialogControl, 8> controls;

} // namespace AboutBox
