#include "manager/GameManager.h"

#include "utility/ExceptionBase.h"

#include <SFML/Window/Mouse.hpp>

#include <iostream>

namespace
{
const int ANALYZER_SAMPLE_RATE = 48000;
const int ANALYZER_SPECTRUM_SIZE = 8192;
}

GameManager* GameManager::instance = nullptr;

GameManager* GameManager::Instance()
{
    if (instance == nullptr)
        instance = new GameManager();
    return instance;
}

GameManager::GameManager()
    : m_soundMicrophoneAnalyzer(m_soundSystem, ANALYZER_SAMPLE_RATE, ANALYZER_SPECTRUM_SIZE)
{
}

GameManager::~GameManager()
{
    m_renderWindow.reset();
    m_soundMicrophoneAnalyzer.Stop();
    m_savedViews.clear();
    // The sound system is destroyed before the content manager; free the
    // stored sounds while it still lives.
    m_contentManager.ReleaseSounds();
}

void GameManager::ResetForTesting()
{
    delete instance;
    instance = nullptr;
}

void GameManager::CreateRenderWindow(sf::VideoMode mode, const std::string& title, unsigned long style,
                                     const sf::ContextSettings& settings)
{
    m_renderWindow = std::make_unique<sf::RenderWindow>(mode, title, static_cast<sf::Uint32>(style), settings);
}

ContentManager& GameManager::GetContentManager()
{
    return m_contentManager;
}

SoundSystem& GameManager::GetSoundSystem()
{
    if (!m_soundSystem.HasSystem())
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("Sound system not created"));
    return m_soundSystem;
}

SoundMicrophoneAnalyzer& GameManager::GetSoundMicrophoneAnalyzer()
{
    return m_soundMicrophoneAnalyzer;
}

GamePreferences& GameManager::GetPreferences()
{
    return m_preferences;
}

sf::RenderWindow* GameManager::GetRenderWindow()
{
    return m_renderWindow.get();
}

sf::Vector2<float> GameManager::GetMousePosInView()
{
    return m_renderWindow->mapPixelToCoords(sf::Mouse::getPosition(*m_renderWindow));
}

const sf::View& GameManager::GetCurrentView()
{
    return m_renderWindow->getView();
}

float GameManager::GetCurrentViewWidth()
{
    return GetCurrentView().getSize().x;
}

float GameManager::GetCurrentViewHeight()
{
    return GetCurrentView().getSize().y;
}

void GameManager::SetViewAndSaveOld(const sf::View& view)
{
    const sf::View& current = GetCurrentView();
    m_savedViews.push_back(std::make_unique<sf::View>(current.getCenter(), current.getSize()));
    m_renderWindow->setView(view);
}

void GameManager::RevertView()
{
    // An unpaired revert would read past the saved views.
    if (m_savedViews.empty())
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("No saved view to revert to"));
    const sf::View& saved = *m_savedViews.back();
    m_renderWindow->setView(sf::View(saved.getCenter(), saved.getSize()));
    m_savedViews.pop_back();
}

void GameManager::StartLoop()
{
    auto pollEvent = [this](sf::Event& event) { return m_renderWindow->pollEvent(event); };
    while (m_renderWindow->isOpen())
    {
        if (!RunFrame(pollEvent))
        {
            m_renderWindow->close();
            return;
        }
    }
}

bool GameManager::RunFrame(const std::function<bool(sf::Event&)>& pollEvent)
{
    sf::Event event;
    while (pollEvent(event))
    {
        m_gameModeManager.HandleEvent(event);
        // The rest of the queue, the processing, the drawing and the timing of this frame are skipped.
        if (event.type == sf::Event::Closed)
            return false;
    }

    if (m_gameModeManager.Process())
        m_gameModeManager.Draw();

    FinishFrame(m_frameClock.restart().asSeconds());
    return true;
}

void GameManager::FinishFrame(float elapsedSeconds)
{
    m_elapsedTime = elapsedSeconds;
    if (m_elapsedTime == 0.0f)
        std::cerr << "Elapsed time was 0?" << std::endl;

    m_framesThisSecond += 1.0f;
    m_timeThisSecond += m_elapsedTime;
    // Strictly above one second: at exactly 1.0 the interval goes on.
    if (m_timeThisSecond > 1.0f)
    {
        if (m_framesThisSecond > 0.0f)
            m_averageFramerateLastSecond = m_framesThisSecond / m_timeThisSecond;
        m_framesThisSecond = 0.0f;
        m_timeThisSecond = 0.0f;
    }

    ++m_currentFrameNo;
}

void GameManager::Process()
{
    m_gameModeManager.Process();
}

void GameManager::Draw()
{
    m_gameModeManager.Draw();
}

void GameManager::SetNextGameMode(GameMode* mode)
{
    m_gameModeManager.SetNextGameMode(mode);
}

GameMode* GameManager::GetNextGameModeForTesting() const
{
    return m_gameModeManager.GetNextGameMode();
}

void GameManager::GoToSubMode(GameMode* mode)
{
    m_gameModeManager.GoToSubMode(mode);
}

void GameManager::GoToParentMode()
{
    m_gameModeManager.GoToParentMode();
}

GameMode* GameManager::GetParentMode()
{
    return m_gameModeManager.GetParentMode();
}

const float& GameManager::GetElapsedTimeInSeconds() const
{
    return m_elapsedTime;
}

float GameManager::GetFramerate() const
{
    return 1.0f / m_elapsedTime;
}

float GameManager::GetAverageFramerateLastSecond() const
{
    return m_averageFramerateLastSecond;
}

const std::uint32_t& GameManager::GetCurrentFrameNo() const
{
    return m_currentFrameNo;
}

void GameManager::SetElapsedTimeForTesting(float seconds)
{
    m_elapsedTime = seconds;
}
