#pragma once

#include <QString>

#include <vector>

class Body;
class PiEstimate;
class Simulation;

// The status page as texts at their places, formatted the way the pane draws
// them: numbers with the point as decimal separator whatever the locale, every
// value followed by the blanks that cover a longer earlier value.
namespace StatusPage {

// Room of the program's text buffer: 300 characters, the terminator included.
constexpr int maxTextLength = 299;

struct Text
{
    int line; // top at lineHeight * line + 10
    int x;
    QString text;

    bool operator==(const Text &) const = default;
};

std::vector<Text> texts(const Body &body, const Simulation &simulation, const PiEstimate &pi);

// The page as a screen reader reads it: label and value of a line joined, the
// blanks that cover longer earlier values dropped, empty page lines left out.
QString readingText(const std::vector<Text> &page);

} // namespace StatusPage
