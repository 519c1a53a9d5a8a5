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

void Simulation::prepareModulus(int modulus)
{
    m_modulus = static_cast<std::uint32_t>(modulus);
    m_reciprocal = ((std::uint64_t{1} << 32) + m_modulus - 1) / m_modulus;
}

int Simulation::randomCoordinate(int radius)
{
    assert(radius >= 1 && radius <= 32000);
    const int modulus = 2 * radius;
    if (static_cast<std::uint32_t>(modulus) != m_modulus)
        prepareModulus(modulus);
    const auto v = static_cast<std::uint32_t>(m_generator.next());
    const auto quotient = static_cast<std::uint32_t>((v * m_reciprocal) >> 32);
    return static_cast<int>(v - quotient * m_modulus) - radius;
}

void Simulation::shoot(const Body &body)
{
    const int r = body.radius();
    const int d = body.dimensions();
    m_shotX = randomCoordinate(r);
    m_shotY = d >= 2 ? randomCoordinate(r) : 0;
    double sum = static_cast<double>(m_shotX) * m_shotX + static_cast<double>(m_shotY) * m_shotY;
    for (int i = 3; i <= d; ++i) {
        const int k = randomCoordinate(r);
        sum += static_cast<double>(k) * k;
    }
    if (sum <= static_cast<double>(r) * r)
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
