#include "entity/PlayerTargetHeight.h"

#include "manager/GameManager.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

namespace
{
const float HELP_LINE_LENGTH = 200.0f;
const int EDGE_MARGIN = 20;
}

const float PlayerTargetHeight::HEIGHT_CHANGE_SPEED_PER_S_MULTIPLICATOR = 1.0f;

PlayerTargetHeight::PlayerTargetHeight(
    sf::Texture const& texture, sf::Image const& pixels, sf::Vector2<float> const& pos, float speed)
    : Player(texture, pixels, pos, speed)
    , m_targetHeight(0.0f)
    , m_minHeight(static_cast<float>(EDGE_MARGIN))
    , m_maxHeight(
          static_cast<float>(static_cast<int>(m_gameManager->GetRenderWindow()->getSize().y) - EDGE_MARGIN))
    , m_heightRange(m_maxHeight - m_minHeight)
{
    BuildHelpLine(HELP_LINE_LENGTH);
    Player::SetPos(pos);
    m_targetHeight = m_targetValue * m_heightRange + m_minHeight;
    PlaceHelpLine();
}

PlayerTargetHeight::~PlayerTargetHeight() = default;

bool PlayerTargetHeight::Process()
{
    Player::Process();
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    const float step = m_speed * elapsed;
    float vertical = 0.0f;
    const float y = GetPos().y;
    if (m_targetHeight != y)
    {
        const float diff = m_targetHeight - y;
        // Land exactly on the target rather than overshoot it.
        if (m_speed * HEIGHT_CHANGE_SPEED_PER_S_MULTIPLICATOR * elapsed > std::fabs(diff))
            vertical = diff;
        else
            vertical = diff < 0.0f ? -step : step;
    }
    Move(sf::Vector2<float>(step, vertical));
    return true;
}

void PlayerTargetHeight::SetPos(const sf::Vector2<float>& pos)
{
    Player::SetPos(pos);
    PlaceHelpLine();
}

void PlayerTargetHeight::SetTargetValue(float value)
{
    m_targetValue = value;
    m_targetHeight = (1.0f - value) * m_heightRange + m_minHeight;
    PlaceHelpLine();
}

void PlayerTargetHeight::SetTargetHeight(float height)
{
    m_targetHeight = height;
    PlaceHelpLine();
}

void PlayerTargetHeight::PlaceHelpLine()
{
    m_helpLine.setPosition(GetSprite().getPosition().x, m_targetHeight);
}
