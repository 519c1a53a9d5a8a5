#pragma once

#include "clock.h"

#include <emscripten.h>

// The page's clock: milliseconds since it loaded, as its frames are timed.
class FrameClock : public Clock
{
public:
    double milliseconds() override { return emscripten_get_now(); }
};
