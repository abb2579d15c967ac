#pragma once

#include "manager/GameManager.h"
#include "support/GameDriver.h"

#include <SFML/Graphics/RenderWindow.hpp>

// The window that other tests opened in this test process bears the game's
// title, so the driver could take it for the game's, and it lies over the
// game's window, taking the pointer's events: it is renamed and hidden meanwhile.
class OwnWindowAside
{
public:
    OwnWindowAside() : m_window(GameManager::Instance()->GetRenderWindow())
    {
        if (m_window == nullptr || !m_window->isOpen())
            return;
        m_window->setTitle("velmora test process");
        m_window->setVisible(false);
    }
    ~OwnWindowAside()
    {
        if (m_window == nullptr || !m_window->isOpen())
            return;
        m_window->setTitle(GameDriver::WINDOW_TITLE);
        m_window->setVisible(true);
    }
    OwnWindowAside(const OwnWindowAside&) = delete;
    OwnWindowAside& operator=(const OwnWindowAside&) = delete;

private:
    sf::RenderWindow* m_window;
};
