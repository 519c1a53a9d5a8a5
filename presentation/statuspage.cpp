#include "statuspage.h"

#include "body.h"
#include "numbertext.h"
#include "piestimate.h"
#include "session.h"
#include "sessionstate.h"
#include "simulation.h"
#include "textbuffer.h"

#include <string>

namespace StatusPage {

namespace {

constexpr int headingX = 10;
constexpr int labelX = 20;
constexpr int valueX = 140;

std::string blanks(int count)
{
    return std::string(static_cast<std::size_t>(count), ' ');
}

// Fixed-point as far as the buffer allows beside the blanks that follow; a
// number too long for it (a volume of about 10^270 and more) reads "1.234e+300".
std::string number(double value, int decimals, int after)
{
    return NumberText::bounded(NumberText::fixed(value, decimals), value, TextBuffer::maxLength - after, 3);
}

std::string integer(int value)
{
    return NumberText::integer(value);
}

} // namespace

std::vector<Text> texts(const Body &body, const Simulation &simulation, const PiEstimate &pi)
{
    const std::string dimensions = integer(body.dimensions());
    const std::string volumeUnit = "  px^" + dimensions + blanks(19);
    const std::string headline = simulation.autoStop()
        ? "Monte-Carlo-Simulation:" + blanks(19)
        : "Monte-Carlo-Simulation:    (" + integer(simulation.progressPercent()) + " %)" + blanks(8);
    const std::string piText = body.dimensions() == 2 ? number(pi.value(), 15, 13) + blanks(13)
                                                      : "Berechnung nur bei 2 Dimensionen möglich";

    return {
        {0, headingX, "Körperinformationen:"},
        {2, labelX, "Radius:"},
        {3, labelX, "Seitenlänge:"},
        {4, labelX, "Dimensionen:"},
        {5, labelX, "Kreisfläche:"},
        {2, valueX, integer(body.radius()) + "  px" + blanks(10)},
        {3, valueX, integer(body.sideLength()) + "  px" + blanks(10)},
        {4, valueX, dimensions + blanks(13)},
        {5, valueX, number(body.volume(), 3, static_cast<int>(volumeUnit.size())) + volumeUnit},
        {7, headingX, headline},
        {9, labelX, "geschossen (n):"},
        {10, labelX, "getroffen (m):"},
        {11, labelX, "Wahrscheinl. (p):"},
        {12, labelX, "Varianz:"},
        {9, valueX, number(simulation.shots(), 0, 14) + blanks(14)},
        {10, valueX, number(simulation.hits(), 0, 14) + blanks(14)},
        {11, valueX, number(simulation.hitRatio() * 100.0, 5, 13) + " %" + blanks(11)},
        {12, valueX, number(simulation.variance(), 10, 14) + blanks(14)},
        {14, headingX, "Berechnung von PI:"},
        {16, labelX, "PI = 4 * (m / n)"},
        {17, labelX, piText},
    };
}

std::vector<Text> texts(const Session &session)
{
    return texts(session.state().body, session.state().simulation, session.state().pi);
}

} // namespace StatusPage
