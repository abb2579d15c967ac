#pragma once

#include "entity/IEntity.h"

#include <SFML/System/Vector2.hpp>

#include <boost/noncopyable.hpp>

class GameManager;

// An entity with a position, a size and a hit test.
class Entity : private boost::noncopyable, public IEntity
{
public:
    Entity();

    ~Entity() override;

    virtual void SetPos(const sf::Vector2<float>& pos) = 0;
    virtual const sf::Vector2<float>& GetPos() const = 0;
    virtual float GetWidth() = 0;
    virtual float GetHeight() = 0;
    virtual bool Contains(const sf::Vector2<float>& point) const = 0;

protected:
    GameManager* m_gameManager;
};
