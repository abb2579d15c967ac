#pragma once

#include "gui/GuiElement.h"
#include "utility/LockedList.h"

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <vector>

class GuiManager;

// The owning list of the manager's top-level elements and of each canvas's
// children. Additions and removals made while it is walked are queued; only
// a processing pass (and the manager's event pass for its top list) applies
// them.
class GuiElementList : public LockedList<GuiElement>
{
public:
    GuiElementList();
    ~GuiElementList() override;

    using LockedList<GuiElement>::AddElement;
    using LockedList<GuiElement>::AddElements;

    // Registers the manager with every element, those still queued included.
    void RegisterGuiManager(GuiManager* manager);
    // Moves every element, those still queued included, so that a child
    // added during a walk stays in place when its container moves meanwhile.
    void MoveAbsolutePositionOfElements(const sf::Vector2<float>& delta);
    // Takes ownership; the element is registered and moved by origin at once,
    // even when it has to wait in the queue. A null element is refused.
    void AddElement(const sf::Vector2<float>& origin, GuiElement* element);
    void AddElements(const sf::Vector2<float>& origin, const std::vector<GuiElement*>& elements);
    // Offers the event to every element (newest first when reverse), each told
    // whether one before it consumed the event. True when one of them did.
    bool HandleEventForElements(bool reverse, const sf::Event& event, bool handled);
    void DrawElements();
    void ProcessElementsAndQueue();

private:
    GuiManager* m_guiManager;
};
