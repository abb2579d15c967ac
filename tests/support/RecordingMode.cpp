#include "support/RecordingMode.h"

#include "manager/GameManager.h"

#include <utility>

RecordingMode::RecordingMode(std::string name, std::vector<std::string>& log, ModeType type)
    : GameMode(type), m_name(std::move(name)), m_log(log)
{
}

RecordingMode::~RecordingMode()
{
    Log("dtor");
}

void RecordingMode::Initialize()
{
    Log("init");
    if (onInitialize)
        onInitialize();
}

void RecordingMode::TearDown()
{
    Log("teardown");
}

void RecordingMode::Process()
{
    Log("process");
    elapsedSeen.push_back(m_gameManager->GetElapsedTimeInSeconds());
    if (onProcess)
        onProcess();
}

void RecordingMode::HandleEvent(const sf::Event& event)
{
    Log(event.type == sf::Event::Closed ? "Closed" : "event");
    ++m_events;
    if (onEvent)
        onEvent(m_events);
}

void RecordingMode::Draw()
{
    Log("draw");
}

void RecordingMode::Log(std::string const& what)
{
    m_log.push_back(m_name + " " + what);
}
