#pragma once

#include "repaint.h"
#include "shotpicture.h"

#include <vector>

// What Session::advance did: the repaints of all its passes and ticks in one,
// and each shot to plot, in the order the passes fired them.
struct Advance
{
    Repaint repaint{};
    std::vector<ShotPicture::Plot> plots;
    int ticks = 0;
};
