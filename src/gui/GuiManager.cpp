#include "gui/GuiManager.h"

#include "gui/GuiEventHelper.h"
#include "manager/GameManager.h"
#include "utility/ContentNotLoadedException.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

GuiManager::GuiManager()
    : m_gameManager(GameManager::Instance())
    , m_showCursor(false)
    , m_origin(0.0f, 0.0f)
{
    m_elements.RegisterGuiManager(this);
}

GuiManager::~GuiManager() = default;

void GuiManager::AddElement(GuiElement* element)
{
    m_elements.AddElement(m_origin, element);
}

void GuiManager::AddElements(const std::vector<GuiElement*>& elements)
{
    m_elements.AddElements(m_origin, elements);
}

void GuiManager::RemoveAndDeleteElement(GuiElement* element)
{
    m_elements.RemoveAndDeleteElement(element);
}

void GuiManager::RemoveAndDeleteElements(const std::vector<GuiElement*>& elements)
{
    m_elements.RemoveAndDeleteElements(elements);
}

void GuiManager::HandleEvent(const sf::Event& event)
{
    const bool handled = m_elements.HandleEventForElements(true, event, false);
    if (!handled && GuiEventHelper::IsMouseEvent(event) && GuiEventHelper::CanAutoCreateEvent(event)
        && m_globalHandler)
        m_globalHandler(GuiEventHelper::AutoCreateEvent(&m_nullElement, event));
    // What the callbacks of this event added or removed is in place before the next one.
    m_elements.ApplyQueuedChanges();
}

void GuiManager::PropagateEvent(const GuiEvent& event)
{
    if (m_globalHandler)
        m_globalHandler(event);
}

void GuiManager::Process()
{
    m_elements.ProcessElementsAndQueue();
    m_cursorSprite.setPosition(m_gameManager->GetMousePosInView());
}

void GuiManager::Draw()
{
    m_elements.DrawElements();
    if (m_showCursor)
        m_gameManager->GetRenderWindow()->draw(m_cursorSprite);
}

void GuiManager::ShowCursor(bool show)
{
    m_showCursor = show;
}

void GuiManager::SetGuiEventHandler(const GuiEventCallback& handler)
{
    m_globalHandler = handler;
}

void GuiManager::AddCursor(std::string name, std::string imageName)
{
    m_cursors[name] = imageName;
}

void GuiManager::SetCursor(std::string name)
{
    // An unknown name is reported by itself: an empty image key would say nothing.
    auto found = m_cursors.find(name);
    if (found == m_cursors.end())
        BOOST_THROW_EXCEPTION(ContentNotLoadedException() << ErrorName(name));
    const sf::Texture& image = m_gameManager->GetContentManager().GetTexture(found->second);
    m_cursorSprite.setTexture(image, false);
    m_cursorSprite.setTextureRect(
        sf::IntRect(0, 0, static_cast<int>(image.getSize().x), static_cast<int>(image.getSize().y)));
}

void GuiManager::SetCursor(std::string name, bool show)
{
    SetCursor(name);
    m_showCursor = show;
}
