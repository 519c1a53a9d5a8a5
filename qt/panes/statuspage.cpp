#include "statuspage.h"

#include "body.h"
#include "numbertext.h"
#include "piestimate.h"
#include "simulation.h"

#include <QStringList>

#include <algorithm>
#include <string>
#include <tuple>

namespace StatusPage {

namespace {

constexpr int headingX = 10;
constexpr int labelX = 20;
constexpr int valueX = 140;

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

// Fixed-point as far as the buffer allows; a number too long for it (a volume
// of about 10^270 and more) is shown as "1.234e+300" instead.
QString number(double value, int decimals, int room)
{
    std::string text = NumberText::fixed(value, decimals);
    if (static_cast<int>(text.size()) > room)
        text = NumberText::scientific(value, 3);
    return QString::fromStdString(text);
}

QString integer(int value)
{
    return QString::fromStdString(NumberText::integer(value));
}

} // namespace

std::vector<Text> texts(const Body &body, const Simulation &simulation, const PiEstimate &pi)
{
    const QString dimensions = integer(body.dimensions());
    const QString volumeUnit = QStringLiteral("  px^") + dimensions + blanks(19);
    const QString headline = simulation.autoStop()
        ? QStringLiteral("Monte-Carlo-Simulation:") + blanks(19)
        : QStringLiteral("Monte-Carlo-Simulation:    (") + integer(simulation.progressPercent())
            + QStringLiteral(" %)") + blanks(8);
    const QString piText = body.dimensions() == 2
        ? number(pi.value(), 15, maxTextLength - 13) + blanks(13)
        : QStringLiteral("Berechnung nur bei 2 Dimensionen möglich");

    return {
        {0, headingX, QStringLiteral("Körperinformationen:")},
        {2, labelX, QStringLiteral("Radius:")},
        {3, labelX, QStringLiteral("Seitenlänge:")},
        {4, labelX, QStringLiteral("Dimensionen:")},
        {5, labelX, QStringLiteral("Kreisfläche:")},
        {2, valueX, integer(body.radius()) + QStringLiteral("  px") + blanks(10)},
        {3, valueX, integer(body.sideLength()) + QStringLiteral("  px") + blanks(10)},
        {4, valueX, dimensions + blanks(13)},
        {5, valueX, number(body.volume(), 3, maxTextLength - int(volumeUnit.size())) + volumeUnit},
        {7, headingX, headline},
        {9, labelX, QStringLiteral("geschossen (n):")},
        {10, labelX, QStringLiteral("getroffen (m):")},
        {11, labelX, QStringLiteral("Wahrscheinl. (p):")},
        {12, labelX, QStringLiteral("Varianz:")},
        {9, valueX, number(simulation.shots(), 0, maxTextLength - 14) + blanks(14)},
        {10, valueX, number(simulation.hits(), 0, maxTextLength - 14) + blanks(14)},
        {11, valueX, number(simulation.hitRatio() * 100.0, 5, maxTextLength - 13) + QStringLiteral(" %")
                         + blanks(11)},
        {12, valueX, number(simulation.variance(), 10, maxTextLength - 14) + blanks(14)},
        {14, headingX, QStringLiteral("Berechnung von PI:")},
        {16, labelX, QStringLiteral("PI = 4 * (m / n)")},
        {17, labelX, piText},
    };
}

QString readingText(const std::vector<Text> &page)
{
    std::vector<Text> ordered = page;
    std::sort(ordered.begin(), ordered.end(), [](const Text &a, const Text &b) {
        return std::tie(a.line, a.x) < std::tie(b.line, b.x);
    });
    QStringList lines;
    int line = -1;
    for (const Text &text : ordered) {
        const QString words = text.text.simplified();
        if (text.line != line)
            lines.append(words);
        else
            lines.last() += QLatin1Char(' ') + words;
        line = text.line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace StatusPage
