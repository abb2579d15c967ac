#pragma once

#include "entity/PlayerAngleSteering.h"

// The voice sets a climb angle; the forward speed stays the full speed and the
// height changes at speed x sin(angle).
class PlayerDirectionHeight : public PlayerAngleSteering
{
public:
    static const float MAX_ANGLE;
    // Radians per second of turn for each pixel per second of speed.
    static const float ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR;

    PlayerDirectionHeight(
        sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed);

    ~PlayerDirectionHeight() override;
    // Turns the sprite along the velocity, not along the angle.
    bool Process() override;
};
