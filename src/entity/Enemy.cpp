#include "entity/Enemy.h"

#include "entity/IScrolledView.h"
#include "entity/Player.h"
#include "manager/GameManager.h"
#include "utility/Collision.h"

namespace
{
const float HORIZONTAL_SPEED = -40.0f;
const float LEAVE_MARGIN = 20.0f;
const unsigned char ALPHA_LIMIT = 127;
}

Enemy::Enemy(const IScrolledView* scrolledView, sf::Texture const& texture, sf::Image const& pixels,
    sf::Vector2<float> const& pos)
    : SpriteEntity(texture, pos, sf::Vector2<float>(1.0f, 1.0f), 0.0f, sf::Color::White)
    , m_scrolledView(scrolledView)
    , m_pixels(pixels)
{
}

Enemy::~Enemy() = default;

bool Enemy::Process()
{
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    const float verticalSpeed = m_bobbing.Advance(elapsed);
    Move(sf::Vector2<float>(HORIZONTAL_SPEED * elapsed, verticalSpeed * elapsed));
    return GetPos().x + GetWidth() + LEAVE_MARGIN > m_scrolledView->GetShiftX();
}

bool Enemy::DoesCollideWithPlayer(const Player* player) const
{
    return Collision::PixelPerfectTest(
        player->GetSprite(), player->GetPixels(), GetSprite(), m_pixels, ALPHA_LIMIT);
}
