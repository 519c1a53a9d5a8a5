#pragma once

// The measured ball of integer radius r in d dimensions, centred in the cube of
// side 2r that encloses it.
// The operations rely on 1 <= radius <= 32000 and dimensions >= 1; the settings
// dialog keeps other values out, the setters store whatever they are given.
class Body
{
public:
    int radius() const { return m_radius; }
    double volume() const { return m_volume; }
    int dimensions() const { return m_dimensions; }

    void setRadius(int radius) { m_radius = radius; }
    void setDimensions(int dimensions) { m_dimensions = dimensions; }

    int sideLength() const { return 2 * m_radius; }

    // volume = (2r)^d * p; not clamped, so it may overflow to infinity.
    void updateVolume(double hitRatio);

private:
    int m_radius = 200;
    double m_volume = 0.0;
    int m_dimensions = 2;
};
