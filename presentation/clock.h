#pragma once

// The time Session::advance runs by: the front end's own (a steady clock, the
// browser's frame time), or a test's, which moves as the test says.
class Clock
{
public:
    virtual ~Clock() = default;

    // Milliseconds since any fixed point, never going back.
    virtual double milliseconds() = 0;
};
