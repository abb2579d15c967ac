#include "entity/PlayerDirectionHeight.h"

#include "manager/GameManager.h"
#include "utility/MathHelper.h"

#include <cmath>

namespace
{
const float HELP_LINE_LENGTH = 40.0f;
// The help line starts a little ahead of the dragon's centre.
const float HELP_LINE_OFFSET_X = 10.0f;
}

const float PlayerDirectionHeight::MAX_ANGLE = static_cast<float>(MathHelper::PI_F * 0.5);
const float PlayerDirectionHeight::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR
    = static_cast<float>(4.5 / Player::NORMAL_START_SPEED);

PlayerDirectionHeight::PlayerDirectionHeight(
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

PlayerDirectionHeight::~PlayerDirectionHeight() = default;

bool PlayerDirectionHeight::Process()
{
    Player::Process();
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    if (m_targetAngle != m_angle)
    {
        const float turn = static_cast<float>(m_speed * ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR) * elapsed;
        SetAngle(TurnToward(m_angle, m_targetAngle, turn));
    }
    // Shown along the velocity, which is at most 45 degrees off level.
    GetSprite().setRotation(AngleToRotation(std::atan2(m_sinAngle, 1.0f)));
    Move(sf::Vector2<float>(m_speed * elapsed, m_speed * m_sinAngle * elapsed));
    return true;
}

void PlayerDirectionHeight::SetPos(const sf::Vector2<float>& pos)
{
    Player::SetPos(pos);
    PlaceHelpLine();
}

void PlayerDirectionHeight::SetTargetValue(float value)
{
    m_targetValue = value;
    SetTargetAngle(TargetValueToAngle(value, MAX_ANGLE));
}

void PlayerDirectionHeight::SetTargetAngle(float angle)
{
    m_targetAngle = angle;
    m_helpLine.setRotation(AngleToRotation(m_targetAngle));
}

float PlayerDirectionHeight::GetAngle() const
{
    return m_angle;
}

void PlayerDirectionHeight::SetAngle(float angle)
{
    if (angle == m_angle)
        return;
    m_angle = angle;
    m_cosAngle = std::cos(m_angle);
    m_sinAngle = std::sin(m_angle);
}

void PlayerDirectionHeight::PlaceHelpLine()
{
    const sf::Vector2f& centre = GetSprite().getPosition();
    m_helpLine.setPosition(centre.x + HELP_LINE_OFFSET_X, centre.y);
}
