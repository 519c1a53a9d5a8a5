#pragma once

#include <array>
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
        m_state = m_state * multiplier + increment;
        return output(m_state);
    }

    // What the k-th call of next() from now would return, 1 <= k <= maxAhead,
    // without stepping. Every k is one multiply-add away from the current state,
    // so a shot's coordinates need not wait for each other.
    int peek(int k) const
    {
        return output(ahead[static_cast<std::size_t>(k)].multiplier * m_state
                      + ahead[static_cast<std::size_t>(k)].increment);
    }

    // As k calls of next(), 0 <= k <= maxAhead.
    void skip(int k)
    {
        m_state = ahead[static_cast<std::size_t>(k)].multiplier * m_state
            + ahead[static_cast<std::size_t>(k)].increment;
    }

    static constexpr int maxAhead = 128;

private:
    static constexpr std::uint32_t multiplier = 214013u;
    static constexpr std::uint32_t increment = 2531011u;

    static int output(std::uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFFu); }

    // k steps at once: state_k = a^k * state + c * (a^(k-1) + ... + a + 1).
    struct Step
    {
        std::uint32_t multiplier;
        std::uint32_t increment;
    };
    static constexpr std::array<Step, maxAhead + 1> ahead = [] {
        std::array<Step, maxAhead + 1> steps{};
        steps[0] = {1u, 0u};
        for (std::size_t k = 1; k < steps.size(); ++k)
            steps[k] = {steps[k - 1].multiplier * multiplier,
                        steps[k - 1].increment * multiplier + increment};
        return steps;
    }();

    std::uint32_t m_state = 1;
};
