#pragma once

#include <string>
#include <vector>

class Body;
class PiEstimate;
class Session;
class Simulation;

// The status page as texts at their places, formatted the way the pane draws
// them: numbers with the point as decimal separator whatever the locale, every
// value followed by the blanks that cover a longer earlier value, no text
// longer than the text buffer.
namespace StatusPage {

struct Text
{
    int line; // top at lineHeight * line + StatusPicture::top
    int x;
    std::string text; // UTF-8

    bool operator==(const Text &) const = default;
};

std::vector<Text> texts(const Body &body, const Simulation &simulation, const PiEstimate &pi);
std::vector<Text> texts(const Session &session);

} // namespace StatusPage
