#include "entity/PlayerTargetDirection.h"

#include "manager/GameManager.h"
#include "utility/MathHelper.h"

const float PlayerTargetDirection::MAX_ANGLE = static_cast<float>(MathHelper::PI_F * 0.35);
const float PlayerTargetDirection::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR
    = static_cast<float>(5.0 / Player::NORMAL_START_SPEED);

PlayerTargetDirection::PlayerTargetDirection(
    sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed)
    : PlayerAngleSteering(texture, pixels, pos, speed, MAX_ANGLE, ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR, 0.0f)
{
}

PlayerTargetDirection::~PlayerTargetDirection() = default;

bool PlayerTargetDirection::Process()
{
    Player::Process();
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    TurnTowardTarget(elapsed);
    Move(sf::Vector2<float>(m_speed * m_cosAngle * elapsed, m_speed * m_sinAngle * elapsed));
    return true;
}

void PlayerTargetDirection::OnAngleChanged()
{
    GetSprite().setRotation(AngleToRotation(m_angle));
}
