#include "gui/GuiEventHelper.h"

#include "gui/GuiElement.h"
#include "manager/GameManager.h"
#include "utility/ExceptionBase.h"
#include "utility/MathHelper.h"

#include <string>

bool GuiEventHelper::IsMouseEvent(const sf::Event& event)
{
    switch (event.type)
    {
    case sf::Event::MouseWheelMoved:
    case sf::Event::MouseWheelScrolled:
    case sf::Event::MouseButtonPressed:
    case sf::Event::MouseButtonReleased:
    case sf::Event::MouseMoved:
        return true;
    default:
        return false;
    }
}

bool GuiEventHelper::CanAutoCreateEvent(const sf::Event& event)
{
    return event.type == sf::Event::MouseButtonPressed || event.type == sf::Event::MouseButtonReleased
        || event.type == sf::Event::MouseMoved;
}

bool GuiEventHelper::IsMouseOnElement(GuiElement* element)
{
    return MathHelper::Contains(GameManager::Instance()->GetMousePosInView(), element->GetAbsolutePosition(),
        element->GetWidth(), element->GetHeight());
}

GuiEvent GuiEventHelper::CreateGuiButtonClickedEvent(GuiElement* source)
{
    GuiEvent event;
    event.type = GuiButtonClicked;
    event.source = source;
    return event;
}

GuiEvent GuiEventHelper::CreateGuiMouseButtonEvent(
    GuiElement* source, sf::Event::EventType type, const sf::Event::MouseButtonEvent& button)
{
    GuiEvent event;
    event.type = GuiMouseButton;
    event.source = source;
    const sf::Vector2<int> relative = RelativePointer(source);
    event.mouseButton.eventType = type;
    event.mouseButton.button = button.button;
    event.mouseButton.x = relative.x;
    event.mouseButton.y = relative.y;
    return event;
}

GuiEvent GuiEventHelper::CreateGuiMouseMoveEvent(GuiElement* source, const sf::Event::MouseMoveEvent& move)
{
    GuiEvent event;
    event.type = GuiMouseMoved;
    event.source = source;
    event.mouseMove = move;
    const sf::Vector2<int> relative = RelativePointer(source);
    event.mouseMove.x = relative.x;
    event.mouseMove.y = relative.y;
    return event;
}

GuiEvent GuiEventHelper::AutoCreateEvent(GuiElement* source, const sf::Event& event)
{
    if (event.type == sf::Event::MouseButtonPressed || event.type == sf::Event::MouseButtonReleased)
        return CreateGuiMouseButtonEvent(source, event.type, event.mouseButton);
    if (event.type == sf::Event::MouseMoved)
        return CreateGuiMouseMoveEvent(source, event.mouseMove);
    BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("AutoCreateEvent didn't create anything for type "
                              + std::to_string(static_cast<int>(event.type))));
}

sf::Vector2<int> GuiEventHelper::RelativePointer(GuiElement* source)
{
    // Truncated toward zero, like every float-to-whole conversion of the game: -0.5 gives 0.
    const sf::Vector2<float> relative = GameManager::Instance()->GetMousePosInView() - source->GetAbsolutePosition();
    return sf::Vector2<int>(static_cast<int>(relative.x), static_cast<int>(relative.y));
}
