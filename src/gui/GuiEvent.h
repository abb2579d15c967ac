#pragma once

#include <SFML/Window/Event.hpp>

#include <functional>
#include <string>

class GuiElement;

// The kind of a GUI event.
enum GuiEventType
{
    GuiMouseButton = 0,
    GuiMouseMoved = 1,
    GuiButtonClicked = 2
};

// The record handed to every GUI callback. Made by GuiEventHelper; the two
// mouse kinds carry the pointer position relative to the source element.
class GuiEvent
{
public:
    // Payload of a GuiMouseButton event: the window event's type (pressed or
    // released), its button, and the element-relative position.
    struct MouseButtonData
    {
        sf::Event::EventType eventType;
        sf::Mouse::Button button;
        int x;
        int y;
    };

    GuiEvent();
    virtual ~GuiEvent() = default;

    // One line for diagnostics.
    std::string DebugOutput() const;

    GuiEventType type;
    // Not owned; the manager's null element for events that hit no element.
    GuiElement* source;
    union
    {
        MouseButtonData mouseButton;
        sf::Event::MouseMoveEvent mouseMove;
    };
};

typedef std::function<void(GuiEvent const&)> GuiEventCallback;
