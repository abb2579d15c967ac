#pragma once

#include <SFML/Window/Event.hpp>

#include <deque>
#include <functional>

// Stands in for the window's event queue when a test drives
// GameManager::RunFrame.
class EventQueue
{
public:
    EventQueue& Push(sf::Event::EventType type)
    {
        sf::Event event{};
        event.type = type;
        m_events.push_back(event);
        return *this;
    }

    std::function<bool(sf::Event&)> Poller()
    {
        return [this](sf::Event& event) {
            if (m_events.empty())
                return false;
            event = m_events.front();
            m_events.pop_front();
            return true;
        };
    }

    std::size_t Size() const { return m_events.size(); }

private:
    std::deque<sf::Event> m_events;
};
