#pragma once

#include "manager/GameManager.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

// The game's 1024x600 window, opened once per test process: entities read the
// window's view and draw on it, and textures need its OpenGL context.
inline GameManager* GameWithWindow()
{
    GameManager* manager = GameManager::Instance();
    if (manager->GetRenderWindow() == nullptr)
        manager->CreateRenderWindow(sf::VideoMode(1024, 600, 32), "SFML Graphics", sf::Style::Close,
            sf::ContextSettings(24, 8, 0, 2, 0));
    return manager;
}

inline void SetFrameTime(float seconds)
{
    GameManager::Instance()->SetElapsedTimeForTesting(seconds);
}

// An image and the texture made from it, as the content manager keeps them.
struct Picture
{
    Picture(unsigned width, unsigned height, sf::Color color = sf::Color::White)
    {
        GameWithWindow();
        pixels.create(width, height, color);
        texture.loadFromImage(pixels);
    }

    sf::Image pixels;
    sf::Texture texture;
};
