#include "simulation.h"

#include "body.h"
#include "piestimate.h"
#include "shotgenerator.h"

#include <cassert>
#include <climits>
#include <cmath>

Simulation::Simulation(ShotGenerator &generator)
    : m_generator(generator)
{
}

int Simulation::randomCoordinate(int radius)
{
    prepareModulus(radius);
    return coordinate(m_generator.next(), radius);
}

void Simulation::prepareModulus(int radius)
{
    assert(radius >= 1 && radius <= 32000);
    const auto modulus = static_cast<std::uint32_t>(2 * radius);
    if (modulus != m_modulus) {
        m_modulus = modulus;
        m_reciprocal = ((std::uint64_t{1} << 32) + modulus - 1) / modulus;
    }
}

int Simulation::coordinate(int v, int radius) const
{
    const auto value = static_cast<std::uint32_t>(v);
    const auto quotient = static_cast<std::uint32_t>((value * m_reciprocal) >> 32);
    return static_cast<int>(value - quotient * m_modulus) - radius;
}

void Simulation::shoot(const Body &body)
{
    const int r = body.radius();
    const int d = body.dimensions();
    prepareModulus(r);
    // One generator value in one dimension, d otherwise: x, y, then the rest.
    const int draws = d >= 2 ? d : 1;
    if (draws > ShotGenerator::maxAhead) {
        shootStepByStep(r, d);
        return;
    }
    m_shotX = coordinate(m_generator.peek(1), r);
    m_shotY = d >= 2 ? coordinate(m_generator.peek(2), r) : 0;
    // Integer squares summed exactly: at most 99 * 32000^2, far below 2^53, so
    // the comparison is the one in doubles.
    std::int64_t sum = std::int64_t{m_shotX} * m_shotX + std::int64_t{m_shotY} * m_shotY;
    for (int i = 3; i <= d; ++i) {
        const std::int64_t k = coordinate(m_generator.peek(i), r);
        sum += k * k;
    }
    m_generator.skip(draws);
    count(sum <= std::int64_t{r} * r);
}

void Simulation::shootStepByStep(int r, int d)
{
    m_shotX = coordinate(m_generator.next(), r);
    m_shotY = d >= 2 ? coordinate(m_generator.next(), r) : 0;
    double sum = static_cast<double>(m_shotX) * m_shotX + static_cast<double>(m_shotY) * m_shotY;
    for (int i = 3; i <= d; ++i) {
        const int k = coordinate(m_generator.next(), r);
        sum += static_cast<double>(k) * k;
    }
    count(sum <= static_cast<double>(r) * r);
}

void Simulation::count(bool hit)
{
    // Without a branch: about one shot in five misses, at random.
    m_hits += static_cast<double>(hit);
    m_shots += 1.0;
}

void Simulation::updateHitRatio()
{
    m_hitRatio = (m_shots > 0.0 && m_hits > 0.0) ? m_hits / m_shots : 0.0;
}

void Simulation::updateVariance()
{
    // No guard: one shot gives 0/0 = NaN, no shot gives 0/-1 = -0.0.
    m_variance = (m_hitRatio - m_hitRatio * m_hitRatio) / (m_shots - 1.0);
}

void Simulation::applyStopRule(PiEstimate &pi)
{
    if (m_autoStop) {
        updateHitRatio();
        updateVariance();
        if (m_variance < m_threshold && m_shots > static_cast<double>(m_minShots))
            stop(pi);
    } else if (m_shots >= m_targetShots) {
        stop(pi);
    }
}

void Simulation::start()
{
    m_hits = 0.0;
    m_shots = 0.0;
    m_hitRatio = 0.0;
    m_variance = 0.0;
    m_shotX = 0;
    m_shotY = 0;
    m_running = true;
}

void Simulation::stop(PiEstimate &pi)
{
    m_running = false;
    updateHitRatio();
    pi.update(m_hits, m_shots);
}

int Simulation::progressPercent() const
{
    const double percent = m_shots / m_targetShots * 100.0;
    if (!std::isfinite(percent))
        return 0;
    if (percent >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (percent <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(percent);
}
