#pragma once

#include "entity/Player.h"

// What the two angle-steered variants share: the voice sets a target angle
// between -maxAngle (high voice, up) and +maxAngle (low voice, down), and the
// angle turns toward it at a rate tied to the speed.
class PlayerAngleSteering : public Player
{
public:
    ~PlayerAngleSteering() override;
    // Keeps the help line with the dragon.
    void SetPos(const sf::Vector2<float>& pos) override;
    void SetTargetValue(float value) override;

    void SetTargetAngle(float angle);
    float GetAngle() const;
    void SetAngle(float angle);

protected:
    // turnPerSpeed: radians per second of turn for each pixel per second of speed;
    // helpLineOffsetX: how far ahead of the dragon's centre the help line starts.
    PlayerAngleSteering(sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos,
        float speed, float maxAngle, float turnPerSpeed, float helpLineOffsetX);

    // One frame's turn toward the target angle, snapping onto it once it is within reach.
    void TurnTowardTarget(float elapsedSeconds);
    // Called when the angle has changed; the cosine and sine are already the new ones.
    virtual void OnAngleChanged();
    // Degrees for drawing. Our angles grow downwards, that is clockwise on
    // screen, which is also the way the library turns a positive rotation.
    static float AngleToRotation(float angle);

    float m_angle;
    float m_targetAngle;
    float m_cosAngle;
    float m_sinAngle;

private:
    float m_maxAngle;
    float m_turnPerSpeed;
    float m_helpLineOffsetX;
};
