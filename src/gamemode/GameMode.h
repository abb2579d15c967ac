#pragma once

#include <SFML/Window/Event.hpp>

#include <boost/core/noncopyable.hpp>

namespace sf
{
class RenderWindow;
}
class GameManager;
class GamePreferences;

// Base of every screen. A mode is constructed by whoever requests it, handed to
// GameManager::SetNextGameMode (which takes ownership), initialised when it is
// switched in, then given events, processed and drawn once per frame until it
// is torn down and deleted. Construct modes only after the render window exists.
class GameMode : private boost::noncopyable
{
public:
    enum ModeType
    {
        MenuModeType = 0,
        CalibrationModeType = 1,
        PlayModeType = 2
    };

    explicit GameMode(ModeType modeType);
    virtual ~GameMode() = default;

    virtual void Initialize() = 0;
    virtual void TearDown() = 0;
    virtual void Process() = 0;
    virtual void HandleEvent(const sf::Event& event) = 0;
    // Clears the window, draws the frame and displays it.
    virtual void Draw() = 0;

    ModeType GetModeType() const;

protected:
    GameManager* m_gameManager;
    sf::RenderWindow* m_renderWindow;
    GamePreferences* m_preferences;
    ModeType m_modeType;
};
