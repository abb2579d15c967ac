#include "entity/EntityList.h"

#include <cstddef>

EntityList::EntityList() = default;

EntityList::~EntityList() = default;

void EntityList::HandleEvent(const sf::Event& event)
{
    LockEntities();
    for (auto const& element : GetElements())
        element->HandleEvent(event);
    UnlockEntities();
}

bool EntityList::Process()
{
    LockEntities();
    for (auto const& element : GetElements())
    {
        if (!element->Process())
            RemoveAndDeleteElement(element.get());
    }
    UnlockEntities();
    ApplyQueuedChanges();
    return true;
}

void EntityList::Draw()
{
    // Not locked; indexed so that a member added meanwhile cannot invalidate the walk.
    for (std::size_t i = 0; i < GetElements().size(); ++i)
        GetElements()[i]->Draw();
}
