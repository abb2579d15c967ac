#pragma once

#include "gui/GuiElement.h"

#include <functional>
#include <string>
#include <vector>

// A GUI element that writes what happens to it into a shared log: "name:0" or
// "name:1" for each event offered (the handled flag it was given), "name+" when
// processed, "name~" when drawn and "name-" when destroyed. It consumes events
// when told to, and runs an optional action when offered an event.
class GuiProbe : public GuiElement
{
public:
    GuiProbe(std::vector<std::string>& log, std::string name, bool consumes = false,
        sf::Vector2<float> position = sf::Vector2<float>(0.0f, 0.0f))
        : GuiElement(GuiButtonType, position, name)
        , m_log(log)
        , m_consumes(consumes)
    {
    }

    ~GuiProbe() override { m_log.push_back(GetName() + "-"); }

    bool HandleEvent(const sf::Event&, bool handled) override
    {
        m_log.push_back(GetName() + (handled ? ":1" : ":0"));
        // A copy runs, so that the action may clear or replace itself.
        std::function<void()> action = onEvent;
        if (action)
            action();
        return m_consumes;
    }

    void Process() override { m_log.push_back(GetName() + "+"); }
    void Draw() override { m_log.push_back(GetName() + "~"); }

    GuiManager* GetGuiManager() const { return m_guiManager; }

    std::function<void()> onEvent;

private:
    std::vector<std::string>& m_log;
    bool m_consumes;
};

inline std::string JoinLog(std::vector<std::string>& log)
{
    std::string text;
    for (const std::string& entry : log)
        text += (text.empty() ? "" : " ") + entry;
    log.clear();
    return text;
}

inline sf::Event EventOf(sf::Event::EventType type)
{
    sf::Event event{};
    event.type = type;
    return event;
}
