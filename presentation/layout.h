#pragma once

#include "rect.h"

// The client area below the menu bar: the shot pane on the left, the status
// pane from the split on. The status pane is as wide as the whole client area
// and clipped at its right edge, so it shows right - split pixels.
namespace Layout {

// x where the status pane begins: right - trunc(right / 2.5).
int paneSplit(int right);

struct Panes
{
    Rect status;
    Rect shots;

    bool operator==(const Panes &) const = default;
};

Panes panes(int right, int bottom);

} // namespace Layout
