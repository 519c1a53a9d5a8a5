// The status page for any state the program can reach through its records:
// a body of radius 1 to 32000 and 1 to 99 dimensions whose volume comes from an
// arbitrary hit ratio, a run of a few shots with any target and stop setting,
// and an arbitrary pi estimate. Every text fits the buffer, is Latin-1 (the
// pane draws through it), has no decimal comma, and the numbers shown are the
// values held.

#include "body.h"
#include "fuzzcheck.h"
#include "piestimate.h"
#include "shotgenerator.h"
#include "simulation.h"
#include "statuspage.h"

#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

namespace {

const StatusPage::Text &textAt(const std::vector<StatusPage::Text> &texts, int line, int x)
{
    for (const auto &text : texts) {
        if (text.line == line && text.x == x)
            return text;
    }
    FUZZ_CHECK(!"no text at this place");
    std::abort();
}

// The text starts with the value: fixed with the given decimals, or, when too
// long for that, scientific with 3 decimals.
void checkShowsValue(const QString &text, double value, int decimals)
{
    const std::string ascii = text.toStdString();
    if (std::isnan(value)) {
        FUZZ_CHECK(ascii.starts_with("nan"));
        return;
    }
    if (std::isinf(value)) {
        FUZZ_CHECK(ascii.starts_with(value > 0 ? "inf" : "-inf"));
        return;
    }
    char *end = nullptr;
    const double shown = strtod_l(ascii.c_str(), &end, Fuzz::cLocale());
    FUZZ_CHECK(end != ascii.c_str());
    const std::string number(ascii.c_str(), static_cast<std::size_t>(end - ascii.c_str()));
    const std::size_t point = number.find('.');
    const std::size_t e = number.find('e');
    if (e != std::string::npos) {
        FUZZ_CHECK(point != std::string::npos && e - point - 1 == 3);
        // Compared by mantissa: near the largest double the rounded text itself
        // ("1.798e+308") lies beyond the double range.
        const double mantissa = strtod_l(number.substr(0, e).c_str(), nullptr, Fuzz::cLocale());
        const int exponent = std::atoi(number.c_str() + e + 1);
        FUZZ_CHECK(std::fabs(mantissa) >= 1.0 && std::fabs(mantissa) < 10.0);
        FUZZ_CHECK(std::fabs(mantissa - value / std::pow(10.0, exponent)) <= 5e-4 * (1.0 + 1e-9));
    } else {
        const std::size_t places = point == std::string::npos ? 0 : number.size() - point - 1;
        FUZZ_CHECK(places == static_cast<std::size_t>(decimals));
        const double allowed = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * DBL_EPSILON;
        FUZZ_CHECK(std::fabs(shown - value) <= allowed);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::useGermanLocaleIfInstalled();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Fuzz::Reader input(data, size);
    // The settings dialog admits radius 1 to 32000 and 1 to 99 dimensions.
    const int radius = 1 + static_cast<int>(input.next<std::uint32_t>() % 32000u);
    const int dimensions = 1 + static_cast<int>(input.next<std::uint32_t>() % 99u);
    const double volumeRatio = input.next<double>();
    const double piHits = input.next<double>();
    const double piShots = input.next<double>();
    const double targetShots = input.next<double>();
    const auto flags = input.next<std::uint8_t>();
    const auto shotCount = input.next<std::uint8_t>();

    Body body;
    body.setRadius(radius);
    body.setDimensions(dimensions);
    body.updateVolume(volumeRatio);

    ShotGenerator generator;
    Simulation simulation(generator);
    PiEstimate pi;
    simulation.setAutoStop(flags & 1);
    simulation.setTargetShots(targetShots);
    simulation.start();
    for (int i = 0; i < shotCount; ++i) {
        simulation.shoot(body);
        if (flags & 2)
            simulation.applyStopRule(pi);
    }
    simulation.updateHitRatio();
    simulation.updateVariance();
    if (flags & 4)
        simulation.stop(pi);
    if (flags & 8)
        pi.update(piHits, piShots);

    const auto texts = StatusPage::texts(body, simulation, pi);
    FUZZ_CHECK(texts.size() == 21);
    std::set<std::pair<int, int>> places;
    for (const auto &text : texts) {
        FUZZ_CHECK(text.text.size() <= StatusPage::maxTextLength);
        FUZZ_CHECK(!text.text.contains(u','));
        for (QChar c : text.text)
            FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() <= 0xFF && c.unicode() != 0x7F);
        FUZZ_CHECK(places.insert({text.line, text.x}).second);
    }

    constexpr int valueX = 140;
    checkShowsValue(textAt(texts, 2, valueX).text, radius, 0);
    checkShowsValue(textAt(texts, 3, valueX).text, 2.0 * radius, 0);
    checkShowsValue(textAt(texts, 4, valueX).text, dimensions, 0);
    checkShowsValue(textAt(texts, 5, valueX).text, body.volume(), 3);
    checkShowsValue(textAt(texts, 9, valueX).text, simulation.shots(), 0);
    checkShowsValue(textAt(texts, 10, valueX).text, simulation.hits(), 0);
    checkShowsValue(textAt(texts, 11, valueX).text, simulation.hitRatio() * 100.0, 5);
    checkShowsValue(textAt(texts, 12, valueX).text, simulation.variance(), 10);
    if (dimensions == 2)
        checkShowsValue(textAt(texts, 17, 20).text, pi.value(), 15);

    const QString headline = textAt(texts, 7, 10).text;
    if (!simulation.autoStop()) {
        const QString progress = QStringLiteral("(") + QString::number(simulation.progressPercent())
            + QStringLiteral(" %)");
        FUZZ_CHECK(headline.contains(progress));
    }
    return 0;
}
