#include "entity/Note.h"

#include "manager/GameManager.h"
#include "utility/Random.h"

#include <cmath>

namespace
{
const float HORIZONTAL_SPEED = -80.0f;
const float START_SPEED_LIMIT = 10.0f;
const float WOBBLE_SPEED_LIMIT = 40.0f;
const float WOBBLE_ACCELERATION = 80.0f;
const float LIFE_SECONDS = 1.0f;
}

Note::Note(sf::Texture const& texture, sf::Vector2<float> const& pos)
    : SpriteEntity(texture, pos, sf::Vector2<float>(1.0f, 1.0f), 0.0f, sf::Color::White)
    , m_verticalSpeed(Random::Float(START_SPEED_LIMIT, -START_SPEED_LIMIT))
    , m_verticalAcceleration(m_verticalSpeed < 0.0f ? WOBBLE_ACCELERATION : -WOBBLE_ACCELERATION)
    , m_life(LIFE_SECONDS)
{
    const sf::IntRect& rect = GetSprite().getTextureRect();
    GetSprite().setOrigin(rect.width * 0.5f, rect.height * 0.5f);
}

Note::~Note() = default;

bool Note::Process()
{
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    m_verticalSpeed += m_verticalAcceleration * elapsed;
    // Only the push reverses; the speed swings a little past the limit.
    if (std::fabs(m_verticalSpeed) > WOBBLE_SPEED_LIMIT)
        m_verticalAcceleration = -m_verticalAcceleration;
    Move(sf::Vector2<float>(HORIZONTAL_SPEED * elapsed, m_verticalSpeed * elapsed));
    m_life -= elapsed;
    if (m_life < 0.0f)
        m_life = 0.0f;
    GetSprite().setColor(sf::Color(0, 0, 0, static_cast<sf::Uint8>(m_life * 255.0f)));
    return m_life > 0.0f;
}
