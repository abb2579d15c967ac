#include "entity/PlayerTargetDirection.h"

#include "manager/GameManager.h"
#include "utility/MathHelper.h"

#include <cmath>

namespace
{
const float HELP_LINE_LENGTH = 40.0f;
}

const float PlayerTargetDirection::MAX_ANGLE = static_cast<float>(MathHelper::PI_F * 0.35);
const float PlayerTargetDirection::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR
    = static_cast<float>(5.0 / Player::NORMAL_START_SPEED);

PlayerTargetDirection::PlayerTargetDirection(
    sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed)
    : Player(texture, pixels, pos, speed)
    , m_angle(0.0f)
    , m_targetAngle(0.0f)
    , m_cosAngle(1.0f)
    , m_sinAngle(0.0f)
{
    BuildHelpLine(HELP_LINE_LENGTH);
    Player::SetPos(pos);
    PlaceHelpLine();
    m_targetAngle = TargetValueToAngle(m_targetValue, MAX_ANGLE);
    m_helpLine.setRotation(AngleToRotation(m_targetAngle));
}

PlayerTargetDirection::~PlayerTargetDirection() = default;

bool PlayerTargetDirection::Process()
{
    Player::Process();
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    if (m_targetAngle != m_angle)
    {
        const float turn = static_cast<float>(m_speed * ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR) * elapsed;
        SetAngle(TurnToward(m_angle, m_targetAngle, turn));
    }
    Move(sf::Vector2<float>(m_speed * m_cosAngle * elapsed, m_speed * m_sinAngle * elapsed));
    return true;
}

void PlayerTargetDirection::SetPos(const sf::Vector2<float>& pos)
{
    Player::SetPos(pos);
    PlaceHelpLine();
}

void PlayerTargetDirection::SetTargetValue(float value)
{
    m_targetValue = value;
    SetTargetAngle(TargetValueToAngle(value, MAX_ANGLE));
}

void PlayerTargetDirection::SetTargetAngle(float angle)
{
    m_targetAngle = angle;
    m_helpLine.setRotation(AngleToRotation(m_targetAngle));
}

float PlayerTargetDirection::GetAngle() const
{
    return m_angle;
}

void PlayerTargetDirection::SetAngle(float angle)
{
    if (angle == m_angle)
        return;
    m_angle = angle;
    m_cosAngle = std::cos(m_angle);
    m_sinAngle = std::sin(m_angle);
    GetSprite().setRotation(AngleToRotation(m_angle));
}

void PlayerTargetDirection::PlaceHelpLine()
{
    m_helpLine.setPosition(GetSprite().getPosition());
}
