#pragma once

#include "gamemode/GameMode.h"

#include <SFML/Window/Event.hpp>

#include <boost/core/noncopyable.hpp>

#include <deque>
#include <memory>
#include <vector>

// The stack of game modes; its back is the current mode. A requested mode is
// switched in only at the start of the next Process(), so a request made during
// the event pass takes effect in the same frame and one made during processing
// in the next.
//
// Ownership: every mode handed over belongs to the manager and is deleted
// exactly once. A mode on the stack belongs to the stack; a pending mode, and
// one that a later request replaced, belong to the manager until the next
// switch, so a mode handed over, replaced and handed over again is still alive
// when it is switched in. Replaced modes that were not switched in again are
// deleted at that switch.
class GameModeManager : private boost::noncopyable
{
public:
    GameModeManager() = default;
    // Deletes the modes that were handed over but never switched in, then the
    // stack from the bottom up, without TearDown().
    ~GameModeManager();

    // Ownership passes with the call. A mode already on the stack below the top
    // is refused with ExceptionBase.
    void SetNextGameMode(GameMode* mode);
    // Tears down and deletes the top mode (only the top), pushes and initialises the new one.
    void SetGameMode(GameMode* mode);
    // Switches in the pending mode and processes the current one; true when the frame is to be drawn.
    bool Process();
    void HandleEvent(const sf::Event& event);
    void Draw();

    // Pushes a mode over the current one, which stays initialised below it. A
    // mode already on the stack is refused with ExceptionBase.
    void GoToSubMode(GameMode* mode);
    // Removes the top mode when one lies below it; the frame is skipped either way.
    void GoToParentMode();
    GameMode* GetParentMode();
    // The mode waiting to be switched in, or null; it stays owned here.
    GameMode* GetNextGameMode() const;

private:
    bool IsOnStack(GameMode const* mode) const;
    bool IsBelowTop(GameMode const* mode) const;
    bool IsWaiting(GameMode const* mode) const;
    void Push(GameMode* mode);
    // Takes the top mode off the stack; it is deleted unless it still waits to be switched in.
    void PopTop();
    // Deletes the replaced modes that were not switched in again.
    void DisposeReplaced();

    std::deque<std::unique_ptr<GameMode>> m_stack;
    GameMode* m_nextMode = nullptr;
    // Pending modes that a later request replaced; owned here unless on the stack.
    std::vector<GameMode*> m_replaced;
    bool m_changed = false;
};
