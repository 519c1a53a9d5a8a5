#pragma once

#include "rect.h"

// A dialog's text control in the dialog's own font: the templates were made for
// a narrower font than the desktop may give, so a text wider than its place
// grows to the right, or moves left where the dialog's edge comes first.
namespace TextFit {

// Dialog units kept free at a dialog's right edge.
inline constexpr int dialogMargin = 3;

// place and textWidth in pixels; room: where the dialog's free part ends.
Rect widened(Rect place, int textWidth, int room);

} // namespace TextFit
