#pragma once

// The latest estimate of pi, 4 * (m / n), computed in any number of dimensions.
class PiEstimate
{
public:
    void update(double hits, double shots)
    {
        m_value = (hits > 0.0 && shots > 0.0) ? (hits / shots) * 4.0 : 0.0;
    }

    double value() const { return m_value; }

private:
    double m_value = 0.0;
};
