#pragma once

#include <string>

class Body;
class Session;

// What a screen reader says of the two painted panes; what it reads of the
// status pane's page is StatusReading's.
namespace ScreenReader {

inline constexpr const char *statusName = "Statistik";
inline constexpr const char *shotName = "Schussbild";
// Said of the status pane after its name and the caret's line, in place of the
// whole page: how to read on. The page stays a command away (Orca's say-all).
inline constexpr const char *statusHint = "Pfeiltasten lesen weiter";

// The figure and, during a run, how many of its points are plotted.
std::string shotDescription(const Session &session, long long plotted);

// One sentence when a run starts, and when it ends what it found: points, hits
// and pi in two dimensions, else the volume, as the page's next refresh shows them.
std::string announcement(const Session &session);

// How far the run in progress has come: a manual run its share of the points, an
// automatic one the points shot.
std::string progress(const Session &session);

} // namespace ScreenReader
