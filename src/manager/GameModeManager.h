#pragma once

#include "gamemode/GameMode.h"

#include <SFML/Window/Event.hpp>

#include <boost/core/noncopyable.hpp>

#include <deque>
#include <memory>

// The stack of game modes; its back is the current mode. A requested mode is
// switched in only at the start of the next Process(), so a request made during
// the event pass takes effect in the same frame and one made during processing
// in the next.
class GameModeManager : private boost::noncopyable
{
public:
    GameModeManager() = default;
    // Deletes the modes from the bottom up, without TearDown().
    ~GameModeManager();

    // Ownership passes with the call. A pending mode that a different one
    // replaces before the switch is deleted; handing the same mode again keeps it.
    void SetNextGameMode(GameMode* mode);
    // Tears down and deletes the top mode (only the top), pushes and initialises the new one.
    void SetGameMode(GameMode* mode);
    // Switches in the pending mode and processes the current one; true when the frame is to be drawn.
    bool Process();
    void HandleEvent(const sf::Event& event);
    void Draw();

    // Pushes a mode over the current one, which stays initialised below it.
    void GoToSubMode(GameMode* mode);
    // Removes the top mode when one lies below it; the frame is skipped either way.
    void GoToParentMode();
    GameMode* GetParentMode();

private:
    bool IsOnStack(GameMode const* mode) const;

    std::deque<std::unique_ptr<GameMode>> m_stack;
    GameMode* m_nextMode = nullptr;
    bool m_changed = false;
};
