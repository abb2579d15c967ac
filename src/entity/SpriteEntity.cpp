#include "entity/SpriteEntity.h"

#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"
#include "utility/MathHelper.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

SpriteEntity::SpriteEntity(sf::Sprite* sprite)
    : m_sprite(sprite)
{
    if (!m_sprite)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("SpriteEntity without a sprite"));
    m_position = m_sprite->getPosition();
}

SpriteEntity::SpriteEntity(sf::Texture const& texture, sf::Vector2<float> const& pos,
    sf::Vector2<float> const& scale, float rotation, sf::Color const& color)
    : m_sprite(std::make_unique<sf::Sprite>(texture))
    , m_position(pos)
{
    m_sprite->setPosition(pos);
    m_sprite->setScale(scale);
    m_sprite->setRotation(rotation);
    m_sprite->setColor(color);
}

SpriteEntity::~SpriteEntity() = default;

void SpriteEntity::Draw()
{
    m_gameManager->GetRenderWindow()->draw(*m_sprite);
}

void SpriteEntity::HandleEvent(const sf::Event&)
{
}

bool SpriteEntity::Process()
{
    return true;
}

void SpriteEntity::SetPos(const sf::Vector2<float>& pos)
{
    m_position = pos;
    m_sprite->setPosition(std::trunc(pos.x), std::trunc(pos.y));
}

const sf::Vector2<float>& SpriteEntity::GetPos() const
{
    return m_position;
}

float SpriteEntity::GetWidth()
{
    return static_cast<float>(m_sprite->getTextureRect().width);
}

float SpriteEntity::GetHeight()
{
    return static_cast<float>(m_sprite->getTextureRect().height);
}

bool SpriteEntity::Contains(const sf::Vector2<float>& point) const
{
    const sf::IntRect& rect = m_sprite->getTextureRect();
    const sf::Vector2f& scale = m_sprite->getScale();
    return MathHelper::Contains(
        point, m_sprite->getPosition(), sf::Vector2<float>(rect.width * scale.x, rect.height * scale.y));
}

void SpriteEntity::Move(const sf::Vector2<float>& delta)
{
    SetPos(GetPos() + delta);
}

sf::Vector2<float> SpriteEntity::GetUpperLeftPos() const
{
    return m_sprite->getPosition() - m_sprite->getOrigin();
}

void SpriteEntity::SetImage(const sf::Texture& texture)
{
    m_sprite->setTexture(texture, false);
}

sf::Sprite& SpriteEntity::GetSprite()
{
    return *m_sprite;
}

const sf::Sprite& SpriteEntity::GetSprite() const
{
    return *m_sprite;
}
