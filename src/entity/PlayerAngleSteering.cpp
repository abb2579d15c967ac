#include "entity/PlayerAngleSteering.h"

#include "utility/MathHelper.h"

#include <cmath>

namespace
{
const float HELP_LINE_LENGTH = 40.0f;
}

PlayerAngleSteering::PlayerAngleSteering(sf::Texture const& texture, sf::Image const& pixels,
    sf::Vector2<float> const& pos, float speed, float maxAngle, float turnPerSpeed, float helpLineOffsetX)
    : Player(texture, pixels, pos, speed)
    , m_angle(0.0f)
    , m_targetAngle(0.0f)
    , m_cosAngle(1.0f)
    , m_sinAngle(0.0f)
    , m_maxAngle(maxAngle)
    , m_turnPerSpeed(turnPerSpeed)
    , m_helpLineOffsetX(helpLineOffsetX)
{
    BuildHelpLine(HELP_LINE_LENGTH);
    PlayerAngleSteering::SetTargetValue(m_targetValue);
    PlayerAngleSteering::SetPos(pos);
}

PlayerAngleSteering::~PlayerAngleSteering() = default;

void PlayerAngleSteering::SetPos(const sf::Vector2<float>& pos)
{
    Player::SetPos(pos);
    const sf::Vector2f& centre = GetSprite().getPosition();
    m_helpLine.setPosition(centre.x + m_helpLineOffsetX, centre.y);
}

void PlayerAngleSteering::SetTargetValue(float value)
{
    m_targetValue = value;
    // The same as maxAngle x (1 - 2 value); 0.5 gives exactly 0.
    SetTargetAngle(2.0f * (1.0f - value) * m_maxAngle - m_maxAngle);
}

void PlayerAngleSteering::SetTargetAngle(float angle)
{
    m_targetAngle = angle;
    m_helpLine.setRotation(AngleToRotation(m_targetAngle));
}

float PlayerAngleSteering::GetAngle() const
{
    return m_angle;
}

void PlayerAngleSteering::SetAngle(float angle)
{
    if (angle == m_angle)
        return;
    m_angle = angle;
    m_cosAngle = std::cos(m_angle);
    m_sinAngle = std::sin(m_angle);
    OnAngleChanged();
}

void PlayerAngleSteering::TurnTowardTarget(float elapsedSeconds)
{
    if (m_targetAngle == m_angle)
        return;
    const float turn = static_cast<float>(m_speed * m_turnPerSpeed) * elapsedSeconds;
    const float diff = m_targetAngle - m_angle;
    if (turn > std::fabs(diff))
        SetAngle(m_targetAngle);
    else
        SetAngle(diff < 0.0f ? m_angle - turn : m_angle + turn);
}

void PlayerAngleSteering::OnAngleChanged()
{
}

float PlayerAngleSteering::AngleToRotation(float angle)
{
    return static_cast<float>(angle * MathHelper::RAD_TO_DEG);
}
