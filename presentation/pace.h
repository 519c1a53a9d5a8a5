#pragma once

// How often every front end refreshes the page and shows its pictures.
namespace Pace {

// The tick: the numbers and the page refreshed 20 times a second.
inline constexpr int tickMilliseconds = 50;

// A retained picture is shown at most once a frame (about 60 Hz): showing it
// per shot would cost far more than the shot.
inline constexpr int frameMilliseconds = 16;

// A page, which has no event drain per shot, runs a run for this long in each
// frame: that plays it at about the desktop program's pace, where every pass
// also drains the events, and leaves the rest of the frame to the page.
inline constexpr double pageRunMilliseconds = 5;

} // namespace Pace
