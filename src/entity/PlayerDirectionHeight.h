#pragma once

#include "entity/Player.h"

// The voice sets a climb angle; the forward speed stays the full speed and the
// height changes at speed x sin(angle).
class PlayerDirectionHeight : public Player
{
public:
    static const float MAX_ANGLE;
    // Radians per second of turn for each pixel per second of speed.
    static const float ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR;

    PlayerDirectionHeight(
        sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed);

    ~PlayerDirectionHeight() override;
    bool Process() override;
    void SetPos(const sf::Vector2<float>& pos) override;
    void SetTargetValue(float value) override;

    void SetTargetAngle(float angle);
    float GetAngle() const;
    // The sprite is turned by Process, along the velocity rather than the angle.
    void SetAngle(float angle);

private:
    void PlaceHelpLine();

    float m_angle;
    float m_targetAngle;
    float m_cosAngle;
    float m_sinAngle;
};
