#pragma once

#include "gui/GuiEvent.h"

#include <SFML/Window/Event.hpp>

class GuiElement;

// Decides which window events concern the mouse and builds GUI events.
// Positions come from the pointer in the current view, never from the
// window event's own pixel coordinates.
class GuiEventHelper
{
public:
    GuiEventHelper() = default;
    virtual ~GuiEventHelper() = default;

    // Wheel, button press, button release and move.
    static bool IsMouseEvent(const sf::Event& event);
    // Button press, button release and move.
    static bool CanAutoCreateEvent(const sf::Event& event);
    static bool IsMouseOnElement(GuiElement* element);

    static GuiEvent CreateGuiButtonClickedEvent(GuiElement* source);
    static GuiEvent CreateGuiMouseButtonEvent(
        GuiElement* source, sf::Event::EventType type, const sf::Event::MouseButtonEvent& button);
    static GuiEvent CreateGuiMouseMoveEvent(GuiElement* source, const sf::Event::MouseMoveEvent& move);
    // Throws ExceptionBase for an event that CanAutoCreateEvent refuses.
    static GuiEvent AutoCreateEvent(GuiElement* source, const sf::Event& event);

private:
    static sf::Vector2<int> RelativePointer(GuiElement* source);
};
