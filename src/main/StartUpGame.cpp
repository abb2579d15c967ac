#include "main/StartUpGame.h"

#include "main/LoadContent.h"
#include "manager/GameManager.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/VideoMode.hpp>
#include <SFML/Window/WindowStyle.hpp>

#include <string>

GameManager* StartUpGame()
{
    // First, so that the frame clock starts with the program.
    GameManager* gameManager = GameManager::Instance();

    sf::ContextSettings settings(24, 8, 8, 2, 0);
    std::string title("SFML Graphics");
    sf::VideoMode mode(1024, 600, 32);
    // Close button only: the window cannot be resized.
    gameManager->CreateRenderWindow(mode, title, sf::Style::Close, settings);

    sf::RenderWindow* window = gameManager->GetRenderWindow();
    window->setVerticalSyncEnabled(true);
    // The GUI draws its own cursor.
    window->setMouseCursorVisible(false);

    // Configures the sound system and starts the capture.
    gameManager->GetPreferences().Load();
    LoadContent();
    return gameManager;
}
