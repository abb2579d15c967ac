#pragma once

#include "entity/IEntity.h"
#include "utility/LockedList.h"

// An owning list of entities that is itself an entity. Members that finish
// are removed and destroyed at the end of the processing pass; additions and
// removals made while the list is walked wait for the end of the next
// processing pass.
class EntityList : public LockedList<IEntity>, public IEntity
{
public:
    EntityList();
    ~EntityList() override;

    void HandleEvent(const sf::Event& event) override;
    // Always true: a list nested in another list stays.
    bool Process() override;
    void Draw() override;
};
