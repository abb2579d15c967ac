#pragma once

#include "entity/Bobbing.h"
#include "entity/SpriteEntity.h"

class IScrolledView;
class Player;

// Bobs in place; touching it scores a point.
class Collectible : public SpriteEntity
{
public:
    // The position is the top-left corner.
    Collectible(const IScrolledView* scrolledView, sf::Texture const& texture, sf::Vector2<float> const& pos);
    ~Collectible() override;

    // False once the entity is 20 px past the left edge of the scrolled view.
    bool Process() override;

    // The sprites' rotated boxes overlap.
    bool DoesCollideWithPlayer(const Player* player) const;

private:
    const IScrolledView* m_scrolledView;
    Bobbing m_bobbing;
};
