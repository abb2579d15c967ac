#pragma once

#include <SFML/Window/Event.hpp>

// Something that reacts to window events.
class IHandleEvents
{
public:
    virtual ~IHandleEvents() = default;

    virtual void HandleEvent(const sf::Event& event) = 0;
};
