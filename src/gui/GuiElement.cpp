#include "gui/GuiElement.h"

#include "gui/GuiEventHelper.h"
#include "gui/GuiManager.h"
#include "manager/GameManager.h"

GuiElement::GuiElement(const Type& type, const sf::Vector2<float>& position, const std::string& name)
    : m_gameManager(nullptr)
    , m_guiManager(nullptr)
    , m_type(type)
    , m_propagateToManager(true)
    , m_relativePosition(position)
    , m_absolutePosition(position)
    , m_name(name)
    , m_visible(true)
{
    m_gameManager = GameManager::Instance();
}

GuiElement::~GuiElement() = default;

const std::string& GuiElement::GetName() const
{
    return m_name;
}

const GuiElement::Type& GuiElement::GetType() const
{
    return m_type;
}

void GuiElement::MoveRelativePosition(const sf::Vector2<float>& delta)
{
    m_relativePosition += delta;
    MoveAbsolutePosition(delta);
}

float GuiElement::GetWidth() const
{
    return 0.0f;
}

float GuiElement::GetHeight() const
{
    return 0.0f;
}

void GuiElement::MoveAbsolutePosition(const sf::Vector2<float>& delta)
{
    m_absolutePosition += delta;
    MoveChildren(delta);
}

void GuiElement::MoveChildren(const sf::Vector2<float>&)
{
}

void GuiElement::RegisterGuiManagerForChildren(GuiManager*)
{
}

void GuiElement::RegisterGuiManager(GuiManager* manager)
{
    m_guiManager = manager;
    RegisterGuiManagerForChildren(manager);
}

bool GuiElement::IsVisible() const
{
    return m_visible;
}

void GuiElement::SetVisible(bool visible)
{
    m_visible = visible;
}

void GuiElement::SetName(const std::string& name)
{
    m_name = name;
}

const sf::Vector2<float>& GuiElement::GetRelativePosition() const
{
    return m_relativePosition;
}

const sf::Vector2<float>& GuiElement::GetAbsolutePosition() const
{
    return m_absolutePosition;
}

void GuiElement::SetLocalGuiEventHandler(const GuiEventCallback& handler, bool propagate)
{
    m_localHandler = handler;
    m_propagateToManager = propagate;
}

void GuiElement::PropagateEvent(const GuiEvent& event)
{
    if (m_localHandler)
        m_localHandler(event);
    // An element outside any managed tree has nobody further to tell.
    if (m_propagateToManager && m_guiManager != nullptr)
        m_guiManager->PropagateEvent(event);
}

bool GuiElement::HandleMouseEvent(const sf::Event& event)
{
    if (!(GetWidth() > 0.0f))
        return false;
    if (!(GetHeight() > 0.0f))
        return false;
    if (!GuiEventHelper::IsMouseEvent(event))
        return false;
    if (!GuiEventHelper::IsMouseOnElement(this))
        return false;
    if (!GuiEventHelper::CanAutoCreateEvent(event))
        return false;
    PropagateEvent(GuiEventHelper::AutoCreateEvent(this, event));
    return true;
}
