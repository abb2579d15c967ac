#pragma once

#include "entity/Bobbing.h"
#include "entity/SpriteEntity.h"

#include <SFML/Graphics/Image.hpp>

class IScrolledView;
class Player;

// Bobs up and down while flying slowly left; touching the dragon ends the game.
class Enemy : public SpriteEntity
{
public:
    // The position is the top-left corner. pixels are the image the texture
    // was made from, read by the collision test; both stay the caller's.
    Enemy(const IScrolledView* scrolledView, sf::Texture const& texture, sf::Image const& pixels,
        sf::Vector2<float> const& pos);
    ~Enemy() override;

    // False once the entity is 20 px past the left edge of the scrolled view.
    bool Process() override;

    // Where both sprites have pixels with alpha above 127.
    bool DoesCollideWithPlayer(const Player* player) const;

private:
    const IScrolledView* m_scrolledView;
    const sf::Image& m_pixels;
    Bobbing m_bobbing;
};
