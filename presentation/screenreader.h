#pragma once

#include <string>

class Body;
class Session;

// What a screen reader says of the two painted panes; the status pane's text is
// StatusPage::readingText of the page shown.
namespace ScreenReader {

inline constexpr const char *statusName = "Statistik";
inline constexpr const char *statusDescription = "Körper, Schüsse, Treffer, Varianz und Näherung von PI";
inline constexpr const char *shotName = "Schussbild";

// The figure and, during a run, how many of its points are plotted.
std::string shotDescription(const Body &body, bool running, long long plotted);

// One sentence when a run starts, and when it ends what it found: points, hits
// and pi in two dimensions, else the volume, as the page's next refresh shows them.
std::string announcement(const Session &session);

} // namespace ScreenReader
