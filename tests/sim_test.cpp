#include "body.h"
#include "piestimate.h"
#include "shotgenerator.h"
#include "simulation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

// A fresh process: generator at state 1, defaults everywhere.
struct Process
{
    ShotGenerator generator;
    Body body;
    Simulation simulation{generator};
    PiEstimate pi;

    // Drives one run the way the main loop does: shoot, then the stop rule.
    void run(double maxShots = 1e7)
    {
        simulation.start();
        while (simulation.running() && simulation.shots() < maxShots) {
            simulation.shoot(body);
            simulation.applyStopRule(pi);
        }
    }
};

TEST(ShotGenerator, ReplaysTheSameSequenceInEveryProcess)
{
    ShotGenerator generator;
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected)
        EXPECT_EQ(generator.next(), value);
}

TEST(ShotGenerator, LookingAheadAgreesWithStepping)
{
    ShotGenerator generator;
    generator.next();
    ShotGenerator stepped = generator;
    for (int k = 1; k <= ShotGenerator::maxAhead; ++k)
        ASSERT_EQ(generator.peek(k), stepped.next()) << k;
    generator.skip(ShotGenerator::maxAhead);
    EXPECT_EQ(generator.next(), stepped.next());
}

TEST(Simulation, ShotsBeyondTheLookAheadDrawTheSameValues)
{
    // 130 dimensions take the step-by-step path; it must consume and count alike.
    for (int dimensions : {ShotGenerator::maxAhead, ShotGenerator::maxAhead + 2}) {
        ShotGenerator generator;
        Simulation simulation(generator);
        Body body;
        body.setRadius(1);
        body.setDimensions(dimensions);
        simulation.start();
        simulation.shoot(body);
        ShotGenerator replay;
        int sum = 0;
        for (int i = 0; i < dimensions; ++i) {
            const int k = replay.next() % 2 - 1;
            sum += k * k;
        }
        EXPECT_EQ(simulation.hits(), sum <= 1 ? 1.0 : 0.0) << dimensions;
        EXPECT_EQ(generator.next(), replay.next()) << dimensions;
    }
}

TEST(Body, GeometryAndVolume)
{
    Body body;
    EXPECT_EQ(body.sideLength(), 400);
    EXPECT_EQ(body.toScreen(-200), 10);
    EXPECT_EQ(body.toScreen(0), 210);
    EXPECT_EQ(body.toScreen(199), 409);

    body.updateVolume(1.0);
    EXPECT_EQ(body.volume(), 160000.0);
    body.updateVolume(26446.0 / 33649.0);
    EXPECT_NEAR(body.volume(), 125749.948, 0.0005);

    body.setDimensions(1);
    body.updateVolume(0.5);
    EXPECT_EQ(body.volume(), 200.0);

    body.setRadius(32000);
    body.setDimensions(65);
    body.updateVolume(1.0);
    EXPECT_TRUE(std::isinf(body.volume()));
}

TEST(Simulation, RandomCoordinateMatchesThePlainModulo)
{
    // The reciprocal form must agree with v % 2r for every 15-bit v and radius.
    for (int radius : {1, 2, 3, 7, 199, 200, 201, 1000, 16383, 16384, 16385, 31999, 32000}) {
        ShotGenerator reference;
        ShotGenerator generator;
        Simulation simulation(generator);
        for (int i = 0; i < 40000; ++i) {
            const int v = reference.next();
            ASSERT_EQ(simulation.randomCoordinate(radius), v % (2 * radius) - radius)
                << "radius " << radius << " v " << v;
        }
    }
}

TEST(Simulation, FirstTwoShotsOfAProcess)
{
    Process p;
    p.simulation.start();
    p.simulation.shoot(p.body);
    EXPECT_EQ(p.simulation.shotX(), -159);
    EXPECT_EQ(p.simulation.shotY(), -133);
    EXPECT_EQ(p.simulation.hits(), 0.0);
    EXPECT_EQ(p.simulation.shots(), 1.0);
    p.simulation.shoot(p.body);
    EXPECT_EQ(p.simulation.shotX(), 134);
    EXPECT_EQ(p.simulation.shotY(), -100);
    EXPECT_EQ(p.simulation.hits(), 1.0);
    // The shot refreshes nothing derived.
    EXPECT_EQ(p.simulation.hitRatio(), 0.0);
}

TEST(Simulation, AutomaticRunsContinueTheSequence)
{
    Process p;
    p.run();
    EXPECT_FALSE(p.simulation.running());
    EXPECT_EQ(p.simulation.shots(), 33649.0);
    EXPECT_EQ(p.simulation.hits(), 26446.0);
    EXPECT_EQ(p.pi.value(), 3.143748699812773);
    EXPECT_LT(p.simulation.variance(), 5e-6);
    EXPECT_GT(p.simulation.variance(), 4.9999e-6);
    p.body.updateVolume(p.simulation.hitRatio());
    EXPECT_NEAR(p.body.volume(), 125749.948, 0.0005);

    p.run();
    EXPECT_EQ(p.simulation.shots(), 34116.0);
    EXPECT_EQ(p.simulation.hits(), 26673.0);
}

TEST(Simulation, FirstManualRunStopsAtItsTarget)
{
    Process p;
    p.simulation.setAutoStop(false);
    p.run();
    EXPECT_EQ(p.simulation.shots(), 50000.0);
    EXPECT_EQ(p.simulation.hits(), 39243.0);
    EXPECT_DOUBLE_EQ(p.pi.value(), 3.13944);
}

TEST(Simulation, OneAndTenDimensionsStopAfterMinShotsPlusOne)
{
    Process one;
    one.body.setDimensions(1);
    one.run();
    EXPECT_EQ(one.simulation.shots(), 51.0);
    EXPECT_EQ(one.simulation.hits(), 51.0);
    EXPECT_EQ(one.simulation.hitRatio(), 1.0);
    EXPECT_EQ(one.simulation.variance(), 0.0);
    EXPECT_EQ(one.simulation.shotY(), 0);
    // One dimension draws one value per shot.
    ShotGenerator replay;
    for (int i = 0; i < 51; ++i)
        replay.next();
    EXPECT_EQ(one.generator.next(), replay.next());

    Process ten;
    ten.body.setDimensions(10);
    ten.run();
    EXPECT_EQ(ten.simulation.shots(), 51.0);
    EXPECT_EQ(ten.simulation.hits(), 0.0);
    EXPECT_EQ(ten.pi.value(), 0.0);
}

TEST(Simulation, AutomaticStopNeedsAFiniteVarianceBelowThreshold)
{
    Process early;
    early.body.setDimensions(1);
    early.simulation.setMinShots(0);
    early.run();
    EXPECT_EQ(early.simulation.shots(), 2.0); // the variance after one shot is NaN

    Process never;
    never.body.setDimensions(1);
    never.simulation.setThreshold(0.0);
    never.run(1000);
    EXPECT_TRUE(never.simulation.running());
}

TEST(Simulation, ManualStopRule)
{
    struct Row { const char *name; double target; double shots; };
    const Row rows[] = {
        {"fractional target", 10.5, 11},
        {"zero target", 0.0, 1},
        {"negative target", -3.0, 1},
        {"one", 1.0, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Process p;
        p.simulation.setAutoStop(false);
        p.simulation.setTargetShots(row.target);
        p.run();
        EXPECT_EQ(p.simulation.shots(), row.shots);
    }
}

TEST(Simulation, VarianceEdgeValues)
{
    Process p;
    p.simulation.start();
    p.simulation.updateVariance();
    EXPECT_EQ(p.simulation.variance(), 0.0);
    EXPECT_TRUE(std::signbit(p.simulation.variance()));
    p.simulation.shoot(p.body);
    p.simulation.updateHitRatio();
    p.simulation.updateVariance();
    EXPECT_TRUE(std::isnan(p.simulation.variance()));
}

TEST(Simulation, StartAndStopTouchOnlyTheirFields)
{
    Process p;
    p.simulation.setThreshold(0.001);
    p.simulation.setMinShots(7);
    p.run();
    p.body.updateVolume(p.simulation.hitRatio());
    const double volume = p.body.volume();
    const double pi = p.pi.value();
    p.simulation.start();
    EXPECT_TRUE(p.simulation.running());
    EXPECT_EQ(p.simulation.shots(), 0.0);
    EXPECT_EQ(p.simulation.shotX(), 0);
    EXPECT_EQ(p.simulation.threshold(), 0.001);
    EXPECT_EQ(p.simulation.minShots(), 7);
    EXPECT_EQ(p.body.volume(), volume);
    EXPECT_EQ(p.pi.value(), pi);

    p.simulation.shoot(p.body);
    p.simulation.shoot(p.body);
    p.simulation.stop(p.pi);
    EXPECT_FALSE(p.simulation.running());
    EXPECT_EQ(p.simulation.hitRatio(), p.simulation.hits() / 2.0);
    EXPECT_EQ(p.simulation.variance(), 0.0); // stop does not refresh it
}

TEST(Simulation, ProgressPercent)
{
    struct Row { const char *name; double shots; double target; int percent; };
    const Row rows[] = {
        {"29 of 100 truncates below 29", 29, 100, 28},
        {"57 of 100", 57, 100, 56},
        {"58 of 100", 58, 100, 57},
        {"done", 50000, 50000, 100},
        {"zero target", 5, 0, 0},
        {"nothing of zero", 0, 0, 0},
        {"tiny target clamps", 5, 1e-8, INT_MAX},
        {"tiny negative target clamps", 5, -1e-8, INT_MIN},
        {"infinite target", 5, INFINITY, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Process p;
        p.simulation.setAutoStop(false);
        p.simulation.setTargetShots(1e9);
        p.simulation.start();
        for (int i = 0; i < row.shots; ++i)
            p.simulation.shoot(p.body);
        p.simulation.setTargetShots(row.target);
        EXPECT_EQ(p.simulation.progressPercent(), row.percent);
    }
}

TEST(PiEstimate, Update)
{
    PiEstimate pi;
    pi.update(0.0, 10.0);
    EXPECT_EQ(pi.value(), 0.0);
    pi.update(7.0, 7.0);
    EXPECT_EQ(pi.value(), 4.0);
    pi.update(3.0, 0.0);
    EXPECT_EQ(pi.value(), 0.0);
}

} // namespace
