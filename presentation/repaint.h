#pragma once

// What a front end must repaint after a step: each pane asked for is painted at
// the next drain, from the class background when erase is set. When a run
// started or ended, announce asks it to tell a screen reader
// ScreenReader::announcement, as nothing on screen says so.
struct Repaint
{
    bool shotPane = false;
    bool statusPane = false;
    bool erase = false;
    bool announce = false;

    bool operator==(const Repaint &) const = default;
};
