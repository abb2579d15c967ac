#pragma once

#include "gamemode/GameMode.h"

#include <functional>
#include <string>
#include <vector>

// A game mode that writes every call it receives into a shared log
// ("A init", "A event", "A Closed", "A process", ...), and runs optional
// actions from its initialisation, its event handler or its processing.
class RecordingMode : public GameMode
{
public:
    RecordingMode(std::string name, std::vector<std::string>& log, ModeType type = MenuModeType);
    ~RecordingMode() override;

    void Initialize() override;
    void TearDown() override;
    void Process() override;
    void HandleEvent(const sf::Event& event) override;
    void Draw() override;

    // Called with the number of the event (from 1) that this mode has received.
    std::function<void(int)> onEvent;
    std::function<void()> onInitialize;
    std::function<void()> onProcess;
    // Elapsed time seen by each Process().
    std::vector<float> elapsedSeen;

private:
    void Log(std::string const& what);

    std::string m_name;
    std::vector<std::string>& m_log;
    int m_events = 0;
};
