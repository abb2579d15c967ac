#include "entity/Entity.h"

#include "manager/GameManager.h"

Entity::Entity()
    : m_gameManager(GameManager::Instance())
{
}

Entity::~Entity() = default;
