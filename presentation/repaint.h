#pragma once

// What a front end must repaint after a step: each pane asked for is painted at
// the next drain, from the class background when erase is set.
struct Repaint
{
    bool shotPane = false;
    bool statusPane = false;
    bool erase = false;

    bool operator==(const Repaint &) const = default;
};
