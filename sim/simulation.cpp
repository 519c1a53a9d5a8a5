#include "simulation.h"

#include "body.h"
#include "piestimate.h"
#include "shotgenerator.h"

#include <cassert>
#include <climits>
#include <cmath>
#include <cstdint>

Simulation::Simulation(ShotGenerator &generator)
    : m_generator(generator)
{
}

int Simulation::randomCoordinate(int radius)
{
    assert(radius >= 1);
    return m_generator.next() % (2 * radius) - radius;
}

void Simulation::shoot(const Body &body)
{
    const int r = body.radius();
    const int d = body.dimensions();
    // One generator value in one dimension, d otherwise: x, y, then the rest.
    m_shotX = randomCoordinate(r);
    m_shotY = d >= 2 ? randomCoordinate(r) : 0;
    // Exact in 64 bits: at most 99 * 32000^2.
    std::int64_t sum = std::int64_t{m_shotX} * m_shotX + std::int64_t{m_shotY} * m_shotY;
    for (int i = 3; i <= d; ++i) {
        const std::int64_t k = randomCoordinate(r);
        sum += k * k;
    }
    if (sum <= std::int64_t{r} * r)
        m_hits += 1.0;
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
