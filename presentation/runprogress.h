#pragma once

#include <chrono>
#include <optional>
#include <string>

class Session;

// When a screen reader is told how far a run has come, for every front end:
// every ten seconds from the run's start, never more often, so that a long run
// is followed without a stream of numbers crowding out its start and end.
class RunProgress
{
public:
    static constexpr std::chrono::seconds pace{10};

    // Asked at every refresh: the sentence to tell now, if any.
    std::optional<std::string> tell(const Session &session, std::chrono::steady_clock::time_point now);

private:
    // The run's start as first seen, or when its progress was last told; none at rest.
    std::optional<std::chrono::steady_clock::time_point> m_told;
};
