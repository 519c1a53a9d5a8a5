// Shots per second of the simulation core against a bare loop of the work no
// shot can avoid: the generator steps, the modulo, the squares and the test.

#include "body.h"
#include "piestimate.h"
#include "shotgenerator.h"
#include "simulation.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const std::vector<int> kDimensions = {2, 10};

// One main-loop pass without the display: the shot, then the automatic stop rule.
void shotCore(benchmark::State &state)
{
    ShotGenerator generator;
    Simulation simulation(generator);
    PiEstimate pi;
    Body body;
    body.setDimensions(static_cast<int>(state.range(0)));
    // No variance is below 0, so the run never stops and every pass pays the full rule.
    simulation.setThreshold(0.0);
    simulation.start();
    for (auto _ : state) {
        simulation.shoot(body);
        simulation.applyStopRule(pi);
    }
    if (!simulation.running())
        state.SkipWithError("the run stopped; the figures would include idle passes");
    benchmark::DoNotOptimize(simulation.hits());
    state.SetItemsProcessed(state.iterations());
}

// The floor: d generator steps, each reduced to a coordinate, squared, summed and
// compared. Integer sums are exact here (d * 32000^2 fits in 64 bits), so no doubles.
template <bool UseDivide>
void shotFloor(benchmark::State &state)
{
    const int dimensions = static_cast<int>(state.range(0));
    int radius = Body().radius();
    // Hide the radius from the optimiser: the core cannot fold it into a constant either.
    benchmark::DoNotOptimize(radius);
    const auto modulus = static_cast<std::uint32_t>(2 * radius);
    // Same exact multiply-by-reciprocal as the core: valid for v < 2^15, modulus < 2^17.
    const std::uint64_t reciprocal = ((std::uint64_t{1} << 32) + modulus - 1) / modulus;
    const std::int64_t radiusSquared = std::int64_t{radius} * radius;

    std::uint32_t x = 1;
    std::int64_t hits = 0;
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (int i = 0; i < dimensions; ++i) {
            x = x * 214013u + 2531011u;
            const std::uint32_t v = (x >> 16) & 0x7FFFu;
            std::uint32_t remainder;
            if constexpr (UseDivide)
                remainder = v % modulus;
            else
                remainder = v - static_cast<std::uint32_t>((v * reciprocal) >> 32) * modulus;
            const std::int64_t k = static_cast<std::int64_t>(remainder) - radius;
            sum += k * k;
        }
        hits += sum <= radiusSquared ? 1 : 0;
        benchmark::DoNotOptimize(hits);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(shotCore)->Arg(2)->Arg(10);
BENCHMARK_TEMPLATE(shotFloor, false)->Name("shotReference")->Arg(2)->Arg(10);
BENCHMARK_TEMPLATE(shotFloor, true)->Name("shotReferenceDivide")->Arg(2)->Arg(10);

// Passes every report on to the display chosen by the usual --benchmark_* flags
// and keeps each benchmark's items/s for the summary.
class CollectingReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context &context) override { return m_display->ReportContext(context); }

    void ReportRuns(const std::vector<Run> &reports) override
    {
        m_display->ReportRuns(reports);
        for (const Run &run : reports) {
            if (run.error_occurred)
                continue;
            // With repetitions the median stands for the benchmark; otherwise the last run.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            const auto rate = run.counters.find("items_per_second");
            if (rate == run.counters.end())
                continue;
            if (median || !m_fromMedian[name]) {
                m_rates[name] = rate->second.value;
                m_fromMedian[name] = median;
            }
        }
    }

    void Finalize() override { m_display->Finalize(); }

    // 0 when the benchmark did not run (filtered out or failed).
    double rate(const char *family, int dimensions) const
    {
        std::string name = family;
        name += '/';
        name += std::to_string(dimensions);
        const auto found = m_rates.find(name);
        return found == m_rates.end() ? 0.0 : found->second;
    }

private:
    // Owned by the library, which creates it once and never frees it.
    BenchmarkReporter *m_display = benchmark::CreateDefaultDisplayReporter();
    std::map<std::string, double> m_rates;
    std::map<std::string, bool> m_fromMedian;
};

void printSummary(const CollectingReporter &reporter)
{
    std::printf("\n");
    for (int d : kDimensions) {
        const double core = reporter.rate("shotCore", d);
        const double reference = reporter.rate("shotReference", d);
        const double divide = reporter.rate("shotReferenceDivide", d);
        if (core <= 0.0 || reference <= 0.0)
            continue;
        std::printf("shots/s %dD core: %.1f M, reference: %.1f M, ratio core/reference: %.2f",
                    d, core / 1e6, reference / 1e6, core / reference);
        if (divide > 0.0)
            std::printf(" (reference with %%: %.1f M, ratio %.2f)", divide / 1e6, core / divide);
        std::printf("\n");
    }
    std::printf("goal: core at least 0.50 of the reference\n");
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);
    return 0;
}
