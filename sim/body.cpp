#include "body.h"

#include <cmath>

void Body::updateVolume(double hitRatio)
{
    m_volume = std::pow(static_cast<double>(sideLength()), m_dimensions) * hitRatio;
}
