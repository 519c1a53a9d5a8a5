#pragma once

#include "rect.h"

#include <cstdint>
#include <optional>

class Body;
class Session;

// What the shot pane shows. While a run is active every paint plots the latest
// shot as one pixel in the current colour; otherwise it draws the square with
// its inscribed circle, whose white inside covers the points of the run. One
// body unit is one pane pixel, y grows downwards.
namespace ShotPicture {

// Pixels between the pane's top left corner and the square's.
inline constexpr int margin = 10;

// The pane pixel of a body coordinate, the same for x and y.
int toPane(const Body &body, int k);

// The square, which also bounds the circle: right and bottom exclusive.
Rect figure(const Session &session);

// The pane's part worth keeping a picture of, from its top left corner: the
// figure and one pixel beyond, which a pixel drawn as a larger block may touch.
int keptSide(const Session &session);

// The shots of the run so far.
long long shots(const Session &session);

struct Plot
{
    int x;
    int y;
    std::uint32_t rgb; // 0x00RRGGBB

    bool operator==(const Plot &) const = default;
};

// What a paint draws now: the latest shot while a run is active, else nothing
// (the figure is drawn).
std::optional<Plot> plot(const Session &session);

} // namespace ShotPicture
