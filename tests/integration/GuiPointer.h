#pragma once

#include "GameWindow.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>

#include <functional>

// The GUI reads the real pointer in the window's current view: these helpers
// put the pointer on a window pixel and build the events that go with it.

inline sf::RenderWindow& GuiWindow()
{
    return *GameWithWindow()->GetRenderWindow();
}

// Makes view the window's current view and puts the pointer on the window pixel.
inline void PointerAtPixel(int x, int y, const sf::View& view)
{
    sf::RenderWindow& window = GuiWindow();
    window.setView(view);
    sf::Mouse::setPosition(sf::Vector2i(x, y), window);
}

inline void PointerAtPixel(int x, int y)
{
    PointerAtPixel(x, y, GuiWindow().getDefaultView());
}

inline sf::Event MouseMoved()
{
    sf::Event event{};
    event.type = sf::Event::MouseMoved;
    return event;
}

inline sf::Event MouseButton(sf::Event::EventType type, sf::Mouse::Button button = sf::Mouse::Left)
{
    sf::Event event{};
    event.type = type;
    event.mouseButton.button = button;
    return event;
}

inline sf::Event KeyPressed()
{
    sf::Event event{};
    event.type = sf::Event::KeyPressed;
    event.key.code = sf::Keyboard::A;
    return event;
}

// What the window shows after clearing it white and drawing, in the window's
// current view (the drawing may change views as long as it restores them).
inline sf::Image Shot(const std::function<void()>& draw)
{
    sf::RenderWindow& window = GuiWindow();
    window.clear(sf::Color::White);
    draw();
    sf::Texture capture;
    capture.create(window.getSize().x, window.getSize().y);
    capture.update(window);
    return capture.copyToImage();
}
