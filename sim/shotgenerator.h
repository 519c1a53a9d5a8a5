#pragma once

#include <cstdint>

// The only source of randomness: a 32-bit linear congruential generator,
// state = state * 214013 + 2531011 (mod 2^32), that is never reseeded, so every
// process replays the same sequence of shots.
class ShotGenerator
{
public:
    // Bits 16 to 30 of the new state: 0 ... 32767.
    int next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t m_state = 1;
};
