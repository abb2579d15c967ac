#pragma once

#include "entity/PlayerAngleSteering.h"

// The voice sets a heading; the dragon turns toward it and flies along its
// heading at its full speed.
class PlayerTargetDirection : public PlayerAngleSteering
{
public:
    static const float MAX_ANGLE;
    // Radians per second of turn for each pixel per second of speed.
    static const float ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR;

    PlayerTargetDirection(
        sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed);

    ~PlayerTargetDirection() override;
    bool Process() override;

protected:
    // The sprite is turned along the heading.
    void OnAngleChanged() override;
};
