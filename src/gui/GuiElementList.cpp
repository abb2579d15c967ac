#include "gui/GuiElementList.h"

#include <boost/ptr_container/exception.hpp>

#include <algorithm>
#include <cstddef>

GuiElementList::GuiElementList()
    : m_guiManager(nullptr)
{
}

GuiElementList::~GuiElementList() = default;

void GuiElementList::RegisterGuiManager(GuiManager* manager)
{
    m_guiManager = manager;
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_elements[i]->RegisterGuiManager(manager);
    for (std::size_t i = 0; i < m_pendingAdditions.size(); ++i)
        m_pendingAdditions[i]->RegisterGuiManager(manager);
}

void GuiElementList::MoveAbsolutePositionOfElements(const sf::Vector2<float>& delta)
{
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_elements[i]->MoveAbsolutePosition(delta);
    for (std::size_t i = 0; i < m_pendingAdditions.size(); ++i)
        m_pendingAdditions[i]->MoveAbsolutePosition(delta);
}

void GuiElementList::AddElement(const sf::Vector2<float>& origin, GuiElement* element)
{
    // Refused at once also while locked: a queued null would only fail later.
    if (element == nullptr)
        throw boost::bad_pointer("Null pointer in 'push_back()'");
    LockedList<GuiElement>::AddElement(element);
    element->RegisterGuiManager(m_guiManager);
    element->MoveAbsolutePosition(origin);
}

void GuiElementList::AddElements(const sf::Vector2<float>& origin, const std::vector<GuiElement*>& elements)
{
    // Checked before any is taken, so that none ends up in the list unregistered.
    if (std::find(elements.begin(), elements.end(), nullptr) != elements.end())
        throw boost::bad_pointer("Null pointer in 'push_back()'");
    LockedList<GuiElement>::AddElements(elements);
    for (GuiElement* element : elements)
    {
        element->RegisterGuiManager(m_guiManager);
        element->MoveAbsolutePosition(origin);
    }
}

bool GuiElementList::HandleEventForElements(bool reverse, const sf::Event& event, bool handled)
{
    LockEntities();
    bool result = false;
    bool handledSoFar = handled;
    const std::size_t count = m_elements.size();
    // No early exit: every element sees the event, told whether one before it took it.
    for (std::size_t i = 0; i < count; ++i)
    {
        GuiElement* element = m_elements[reverse ? count - 1 - i : i].get();
        if (element->HandleEvent(event, handledSoFar))
        {
            result = true;
            handledSoFar = true;
        }
    }
    UnlockEntities();
    return result;
}

void GuiElementList::DrawElements()
{
    LockEntities();
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_elements[i]->Draw();
    UnlockEntities();
}

void GuiElementList::ProcessElementsAndQueue()
{
    LockEntities();
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_elements[i]->Process();
    UnlockEntities();
    ApplyQueuedChanges();
}
