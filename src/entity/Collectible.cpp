#include "entity/Collectible.h"

#include "entity/IScrolledView.h"
#include "entity/Player.h"
#include "manager/GameManager.h"
#include "utility/Collision.h"

namespace
{
const float LEAVE_MARGIN = 20.0f;
}

Collectible::Collectible(
    const IScrolledView* scrolledView, sf::Texture const& texture, sf::Vector2<float> const& pos)
    : SpriteEntity(texture, pos, sf::Vector2<float>(1.0f, 1.0f), 0.0f, sf::Color::White)
    , m_scrolledView(scrolledView)
{
}

Collectible::~Collectible() = default;

bool Collectible::Process()
{
    const float elapsed = m_gameManager->GetElapsedTimeInSeconds();
    const float verticalSpeed = m_bobbing.Advance(elapsed);
    Move(sf::Vector2<float>(0.0f, verticalSpeed * elapsed));
    return GetPos().x + GetWidth() + LEAVE_MARGIN > m_scrolledView->GetShiftX();
}

bool Collectible::DoesCollideWithPlayer(const Player* player) const
{
    return Collision::BoundingBoxTest(player->GetSprite(), GetSprite());
}
