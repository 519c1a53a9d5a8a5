#pragma once

class Body;
class PiEstimate;
class ShotGenerator;

// One Monte Carlo run: the counts, the statistics derived from them, the latest
// shot, the stop settings and the running flag. Counts are doubles that step by
// 1.0; all arithmetic is plain IEEE double, so NaN and -0.0 are ordinary values.
class Simulation
{
public:
    explicit Simulation(ShotGenerator &generator);

    double hits() const { return m_hits; }
    double shots() const { return m_shots; }
    double hitRatio() const { return m_hitRatio; }
    int shotX() const { return m_shotX; }
    int shotY() const { return m_shotY; }
    double variance() const { return m_variance; }
    double threshold() const { return m_threshold; }
    int minShots() const { return m_minShots; }
    bool autoStop() const { return m_autoStop; }
    bool running() const { return m_running; }
    double targetShots() const { return m_targetShots; }

    void setAutoStop(bool autoStop) { m_autoStop = autoStop; }
    void setTargetShots(double targetShots) { m_targetShots = targetShots; }
    void setThreshold(double threshold) { m_threshold = threshold; }
    void setMinShots(int minShots) { m_minShots = minShots; }

    // (v mod 2r) - r for the next generator value v: -r ... r - 1.
    // Precondition: 1 <= radius <= 32000 (2r must be a positive divisor).
    int randomCoordinate(int radius);

    // One shot into the body's cube; draws 1 value in one dimension, d otherwise.
    // Precondition: 1 <= body.radius() <= 32000.
    void shoot(const Body &body);

    void updateHitRatio();
    void updateVariance();
    void applyStopRule(PiEstimate &pi);

    void start();
    void stop(PiEstimate &pi);

    // shots / targetShots * 100 truncated toward zero; 0 when not finite,
    // clamped to the int range when the quotient lies outside it.
    int progressPercent() const;

private:
    ShotGenerator &m_generator;

    double m_hits = 0.0;
    double m_shots = 0.0;
    double m_hitRatio = 0.0;
    int m_shotX = 0;
    int m_shotY = 0;
    double m_variance = 0.0;
    double m_threshold = 0.000005;
    int m_minShots = 50;
    bool m_autoStop = true;
    bool m_running = false;
    double m_targetShots = 50000.0;
};
