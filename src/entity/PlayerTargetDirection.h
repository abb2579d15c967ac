#pragma once

#include "entity/Player.h"

// The voice sets a heading; the dragon turns toward it and flies along its
// heading at its full speed.
class PlayerTargetDirection : public Player
{
public:
    static const float MAX_ANGLE;
    // Radians per second of turn for each pixel per second of speed.
    static const float ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR;

    PlayerTargetDirection(
        sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed);

    ~PlayerTargetDirection() override;
    bool Process() override;
    void SetPos(const sf::Vector2<float>& pos) override;
    void SetTargetValue(float value) override;

    void SetTargetAngle(float angle);
    float GetAngle() const;
    // Turns the sprite along the heading too.
    void SetAngle(float angle);

private:
    void PlaceHelpLine();

    float m_angle;
    float m_targetAngle;
    float m_cosAngle;
    float m_sinAngle;
};
