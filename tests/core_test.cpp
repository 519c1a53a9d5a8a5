// The simulation core and the report without Qt.

#include "body.h"
#include "numbertext.h"
#include "piestimate.h"
#include "report.h"
#include "resultreport.h"
#include "shotgenerator.h"
#include "simulation.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <clocale>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <utility>

namespace {

// As the main loop drives a run: a shot, then the stop rule, until it stops or after the given shots.
void shoot(Simulation &simulation, const Body &body, PiEstimate &pi, int shots)
{
    for (int i = 0; i < shots && simulation.running(); ++i) {
        simulation.shoot(body);
        simulation.applyStopRule(pi);
    }
}

Body body(int dimensions, int radius = 200)
{
    Body b;
    b.setDimensions(dimensions);
    b.setRadius(radius);
    return b;
}

// Manual runs one after the other on one generator, never reseeded; values from a reference written apart.
TEST(Simulation, ExactRunsFollowTheGenerator)
{
    const struct { const char *name; int dimensions, radius; double hits; int x, y; } rows[] = {
        {"1 dimension: one value a shot", 1, 200, 20000, -149, 0},
        {"2 dimensions", 2, 200, 15751, -98, -45},
        {"3 dimensions", 3, 200, 10430, -112, -200},
        {"10 dimensions, radius 3", 10, 3, 64, 0, 0},
        {"13 dimensions, radius 1", 13, 1, 29, 0, 0},
        {"20 dimensions, radius 1", 20, 1, 0, 0, 0},
        {"99 dimensions, radius 32000: v itself", 99, 32000, 0, 650, -7914},
    };
    ShotGenerator generator;
    Simulation simulation(generator);
    PiEstimate pi;
    simulation.setAutoStop(false);
    simulation.setTargetShots(20000);
    for (const auto &row : rows) {
        simulation.start();
        shoot(simulation, body(row.dimensions, row.radius), pi, 100000);
        EXPECT_EQ(std::tuple(simulation.shots(), simulation.hits(), simulation.shotX(), simulation.shotY()),
                  std::tuple(20000.0, row.hits, row.x, row.y)) << row.name;
    }
}

// Automatic: stop once variance < threshold and shots > minShots; manual: once shots >= target.
TEST(Simulation, StopRules)
{
    const struct { const char *name; int dimensions; bool automatic; double target; int minShots;
                   double threshold; double shots, hits; bool running; } rows[] = {
        {"automatic, the defaults", 2, true, 50000, 50, 5e-6, 33649, 26446, false},
        {"manual fractional target", 2, false, 10.5, 50, 5e-6, 11, 9, false},
        {"manual target 0: the shot comes first", 2, false, 0, 50, 5e-6, 1, 0, false},
        {"automatic, all hit: after minShots + 1", 1, true, 0, 50, 5e-6, 51, 51, false},
        {"automatic, none hits: minShots counts shots", 10, true, 0, 50, 5e-6, 51, 0, false},
        {"automatic, one shot's variance is NaN", 1, true, 0, 0, 5e-6, 2, 2, false},
        {"automatic, threshold 0 is never reached", 1, true, 0, 50, 0, 60000, 60000, true},
    };
    for (const auto &row : rows) {
        ShotGenerator generator;
        Simulation simulation(generator);
        PiEstimate pi;
        simulation.setAutoStop(row.automatic);
        simulation.setTargetShots(row.target);
        simulation.setMinShots(row.minShots);
        simulation.setThreshold(row.threshold);
        simulation.start();
        shoot(simulation, body(row.dimensions), pi, 60000);
        EXPECT_EQ(std::tuple(simulation.shots(), simulation.hits(), simulation.running()),
                  std::tuple(row.shots, row.hits, row.running)) << row.name;
    }
}

// shots / target * 100, the division first, truncated toward zero; 0 when not finite, else clamped to int.
TEST(Simulation, ProgressPercent)
{
    const struct { const char *name; int shots; double target; int percent; } rows[] = {
        {"29 of 100 is just below 29", 29, 100, 28},
        {"toward zero", 1, -300, 0},
        {"no target", 1, 0, 0},
        {"nothing of no target", 0, 0, 0},
        {"above the int range", 1, 1e-9, INT_MAX},
        {"below it", 1, -1e-9, INT_MIN},
    };
    for (const auto &row : rows) {
        ShotGenerator generator;
        Simulation simulation(generator);
        simulation.start();
        for (int i = 0; i < row.shots; ++i)
            simulation.shoot(Body());
        simulation.setTargetShots(row.target);
        EXPECT_EQ(simulation.progressPercent(), row.percent) << row.name;
    }
}

// printf in the "C" locale, whatever locale the process has.
std::string printfC(const char *format, int decimals, double value)
{
    char text[400];
#ifdef _WIN32
    // No uselocale here, and no "de_DE.UTF-8" to leave "C" for.
    std::snprintf(text, sizeof text, format, decimals, value);
#else
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    const locale_t previous = ::uselocale(c);
    std::snprintf(text, sizeof text, format, decimals, value);
    ::uselocale(previous);
#endif
    return text;
}

// Under a German locale: as printf in "C" writes them, NaN as "nan"; on screen a zero has no sign.
TEST(NumberText, ReportAndScreenAtEveryPrecision)
{
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
    const struct { const char *name; double value; bool unsignedOnScreen; } rows[] = {
        {"0", 0.0, false},
        {"-0", -0.0, true},
        {"rounds to -0", -1e-20, true},
        {"nan", nan, false},
        {"-nan", -nan, false},
        {"inf", inf, false},
        {"-inf", -inf, false},
        {"DBL_MAX", DBL_MAX, false},
    };
    for (const auto &row : rows) {
        for (int decimals : {0, 3, 5, 10, 15}) {
            SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(decimals));
            const std::string report = std::isnan(row.value) ? "nan" : printfC("%.*f", decimals, row.value);
            EXPECT_EQ(NumberText::printfFixed(row.value, decimals), report);
            EXPECT_EQ(NumberText::fixed(row.value, decimals), row.unsignedOnScreen ? report.substr(1) : report);
        }
        const std::string scientific = std::isnan(row.value) ? "nan" : printfC("%.*e", 3, row.value);
        EXPECT_EQ(NumberText::scientific(row.value, 3), scientific) << row.name;
    }
    std::setlocale(LC_ALL, "C");
}

// A new report in a fresh folder under each umask: its bytes, and the mode a plain create gives.
TEST(Report, NewReportBytesAndMode)
{
    for (const auto &[mask, mode] : {std::pair(022, 0644), std::pair(077, 0600)}) {
        SCOPED_TRACE(mask);
        TempFolder work;
        const mode_t before = ::umask(static_cast<mode_t>(mask));
        const double nan = -std::numeric_limits<double>::quiet_NaN();
        const AtomicFile::Outcome outcome = ResultReport::write(
            {.radius = 200, .dimensions = 2, .volume = 80000, .shots = 3, .hits = 2, .hitRatio = 2 / 3.0,
             .variance = nan, .pi = 8 / 3.0});
        ::umask(before);
        EXPECT_EQ(readFile(ResultReport::fileName),
                  reportBytes("80000.00000", "3", "2", "66.6666666667", "nan", "2.666666666666667"))
            << static_cast<int>(outcome.failure);
        // Under node the files are node's, created under its own umask, not the one set here.
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
        EXPECT_EQ(fs::status(ResultReport::fileName).permissions(), fs::perms(mode));
#endif
    }
}

} // namespace
