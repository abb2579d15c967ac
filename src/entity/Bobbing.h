#pragma once

// The up-and-down swing of enemies and collectibles: from rest it speeds up
// downwards, and each time the speed passes the limit it is held there and the
// push turns round, so it swings between -20 and +20 px/s.
class Bobbing
{
public:
    // Advances by one frame and returns the vertical speed for it, px/s.
    float Advance(float elapsedSeconds);

private:
    float m_verticalSpeed = 0.0f;
    float m_verticalAcceleration = 60.0f;
};
