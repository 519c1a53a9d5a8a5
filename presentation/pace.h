#pragma once

// How often every front end refreshes the page and shows its pictures.
namespace Pace {

// The tick: the numbers and the page refreshed 20 times a second.
inline constexpr int tickMilliseconds = 50;

// A retained picture is shown at most once a frame (about 60 Hz): showing it
// per shot would cost far more than the shot.
inline constexpr int frameMilliseconds = 16;

} // namespace Pace
