#pragma once

#include "manager/ContentManager.h"
#include "manager/GameModeManager.h"
#include "manager/GamePreferences.h"
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <boost/core/noncopyable.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class GameMode;

// The hub every part reaches through Instance(): the render window, the frame
// clock and timing, the mode stack, the content, the sound system with its
// microphone analyzer, the preferences and the saved views. Created on first
// use and never destroyed by the game.
class GameManager : private boost::noncopyable
{
public:
    static GameManager* Instance();

    void CreateRenderWindow(sf::VideoMode mode, const std::string& title, unsigned long style,
                            const sf::ContextSettings& settings);
    sf::RenderWindow* GetRenderWindow();
    ContentManager& GetContentManager();
    // Throws when the sound system failed its version check.
    SoundSystem& GetSoundSystem();
    SoundMicrophoneAnalyzer& GetSoundMicrophoneAnalyzer();
    GamePreferences& GetPreferences();

    // The mouse position in the coordinates of the window's current view.
    sf::Vector2<float> GetMousePosInView();
    const sf::View& GetCurrentView();
    float GetCurrentViewWidth();
    float GetCurrentViewHeight();
    // Saves the centre and size of the current view (rotation and viewport are
    // not kept), then sets the given one. Every call is answered by RevertView,
    // which throws when no view is saved.
    void SetViewAndSaveOld(const sf::View& view);
    void RevertView();

    // Runs frames while the window is open.
    void StartLoop();
    // One pass of the main loop over an event source (the window's pollEvent in
    // StartLoop; a queue in tests). Returns false when a close event ended the
    // frame at once; the caller then closes the window.
    bool RunFrame(const std::function<bool(sf::Event&)>& pollEvent);
    // The end of a frame, given the measured duration: stores it as the elapsed
    // time, updates the average frame rate and counts the frame. Public so
    // that tests can step frames with chosen durations.
    void FinishFrame(float elapsedSeconds);

    void Process();
    void Draw();

    void SetNextGameMode(GameMode* mode);
    void GoToSubMode(GameMode* mode);
    void GoToParentMode();
    GameMode* GetParentMode();

    // The duration of the previous frame; 0.0001 during the first one.
    const float& GetElapsedTimeInSeconds() const;
    float GetFramerate() const;
    float GetAverageFramerateLastSecond() const;
    // Frames completed so far.
    const std::uint32_t& GetCurrentFrameNo() const;

    // Test seam: overrides the elapsed time that modes and entities read.
    void SetElapsedTimeForTesting(float seconds);
    // Test seam: the mode waiting to be switched in, or null.
    GameMode* GetNextGameModeForTesting() const;
    // Test seam: destroys the singleton (its modes and window with it) so that
    // the next Instance() starts afresh.
    static void ResetForTesting();

private:
    GameManager();
    ~GameManager();

    static GameManager* instance;

    std::unique_ptr<sf::RenderWindow> m_renderWindow;
    sf::Clock m_frameClock;
    GameModeManager m_gameModeManager;
    ContentManager m_contentManager;
    SoundSystem m_soundSystem;
    SoundMicrophoneAnalyzer m_soundMicrophoneAnalyzer;
    GamePreferences m_preferences;
    std::vector<std::unique_ptr<sf::View>> m_savedViews;
    float m_elapsedTime = 0.0001f;
    float m_framesThisSecond = 0.0f;
    float m_timeThisSecond = 0.0f;
    float m_averageFramerateLastSecond = 0.0f;
    std::uint32_t m_currentFrameNo = 0;
};
