#include "entity/Bobbing.h"

#include <cmath>

namespace
{
const float SPEED_LIMIT = 20.0f;
}

float Bobbing::Advance(float elapsedSeconds)
{
    m_verticalSpeed += m_verticalAcceleration * elapsedSeconds;
    if (std::fabs(m_verticalSpeed) > SPEED_LIMIT)
    {
        m_verticalAcceleration = -m_verticalAcceleration;
        m_verticalSpeed = std::copysign(SPEED_LIMIT, m_verticalSpeed);
    }
    return m_verticalSpeed;
}
