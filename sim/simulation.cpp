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
    if (draws <= ShotGenerator::maxAhead) {
        shootWith(r, d, [this](int i) { return m_generator.peek(i); });
        m_generator.skip(draws);
    } else {
        shootWith(r, d, [this](int) { return m_generator.next(); });
    }
}

// draw(i) is the i-th generator value of the shot, i = 1 ... d, asked in order.
template <typename Draw>
void Simulation::shootWith(int r, int d, Draw draw)
{
    m_shotX = coordinate(draw(1), r);
    m_shotY = d >= 2 ? coordinate(draw(2), r) : 0;
    // Integer squares summed exactly: at most 99 * 32000^2, far below 2^53, so
    // the comparison is the one in doubles.
    std::int64_t sum = std::int64_t{m_shotX} * m_shotX + std::int64_t{m_shotY} * m_shotY;
    for (int i = 3; i <= d; ++i) {
        const std::int64_t k = coordinate(draw(i), r);
        sum += k * k;
    }
    // 1 for a hit (sum <= r^2), 0 otherwise, from the sign of the difference:
    // about one shot in five misses at random, which a branch would mispredict.
    const std::int64_t hit = ((std::int64_t{r} * r - sum) >> 63) + 1;
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

void Simulation::tick(PiEstimate &pi, Body &body)
{
    if (!m_autoStop) {
        updateVariance();
        updateHitRatio();
    }
    pi.update(m_hits, m_shots);
    body.updateVolume(m_hitRatio);
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
