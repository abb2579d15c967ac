#include "entity/PlayerDirectionHeight.h"

#include "manager/GameManager.h"
#include "utility/MathHelper.h"

#include <cmath>

namespace
{
// The help line starts a little ahead of the dragon's centre.
const float HELP_LINE_OFFSET_X = 10.0f;
}

const float PlayerDirectionHeight::MAX_ANGLE = static_cast<float>(MathHelper::PI_F * 0.5);
const float PlayerDirectionHeight::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR
    = static_cast<float>(4.5 / Player::NORMAL_START_SPEED);

PlayerDirectionHeight::PlayerDirectionHeight(
    sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed)
    : PlayerAngleSteering(
        texture, pixels, pos, speed, MAX_ANGLE, ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR, HELP_LINE_OFFSET_X)
{
}

PlayerDirectionHeight::~PlayerDirectionHeight() = default;

bool PlayerDirectionHeight::Process()
{
    Player::Process();
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    TurnTowardTarget(elapsed);
    // The direction of the velocity below: at most 45 degrees off level.
    GetSprite().setRotation(AngleToRotation(std::atan2(m_sinAngle, 1.0f)));
    Move(sf::Vector2<float>(m_speed * elapsed, m_speed * m_sinAngle * elapsed));
    return true;
}
