#pragma once

#include "entity/Entity.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>

// An entity that owns one sprite. The position is kept exactly; the sprite
// stands at it truncated to whole pixels, so that small moves add up.
class SpriteEntity : public Entity
{
public:
    // Takes ownership of the sprite; its current position becomes the kept one.
    explicit SpriteEntity(sf::Sprite* sprite);
    // Rotation in degrees. The sprite stands at the exact position until the first SetPos.
    SpriteEntity(sf::Texture const& texture, sf::Vector2<float> const& pos, sf::Vector2<float> const& scale,
        float rotation, sf::Color const& color);

    void Draw() override;
    ~SpriteEntity() override;
    void HandleEvent(const sf::Event& event) override;
    bool Process() override;
    void SetPos(const sf::Vector2<float>& pos) override;
    const sf::Vector2<float>& GetPos() const override;
    float GetWidth() override;
    float GetHeight() override;
    // Half-open box at the sprite's position (origin not subtracted), of its drawn size.
    bool Contains(const sf::Vector2<float>& point) const override;

    virtual void Move(const sf::Vector2<float>& delta);

    sf::Vector2<float> GetUpperLeftPos() const;
    // Keeps the sprite's sub-rectangle.
    void SetImage(const sf::Texture& texture);
    sf::Sprite& GetSprite();
    const sf::Sprite& GetSprite() const;

private:
    std::unique_ptr<sf::Sprite> m_sprite;
    sf::Vector2<float> m_position;
};
