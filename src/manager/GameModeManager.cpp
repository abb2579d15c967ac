#include "manager/GameModeManager.h"

#include "utility/ExceptionBase.h"

#include <boost/ptr_container/exception.hpp>

#include <algorithm>
#include <utility>

namespace
{
const char* const BELOW_TOP_MESSAGE = "The game mode handed over is already on the mode stack below the current mode";
const char* const ON_STACK_MESSAGE = "The game mode handed over as a sub-mode is already on the mode stack";
}

GameModeManager::~GameModeManager()
{
    for (GameMode* mode : m_replaced)
        if (mode != m_nextMode && !IsOnStack(mode))
            delete mode;
    m_replaced.clear();
    if (!IsOnStack(m_nextMode))
        delete m_nextMode;
    m_nextMode = nullptr;
    while (!m_stack.empty())
        m_stack.pop_front();
}

void GameModeManager::SetNextGameMode(GameMode* mode)
{
    if (IsBelowTop(mode))
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage(BELOW_TOP_MESSAGE));
    // Not deleted yet: the replaced mode may be handed over again before the
    // switch (the calibration screen hands over the mode it continues with).
    if (m_nextMode != nullptr && m_nextMode != mode &&
        std::find(m_replaced.begin(), m_replaced.end(), m_nextMode) == m_replaced.end())
        m_replaced.push_back(m_nextMode);
    m_nextMode = mode;
}

void GameModeManager::SetGameMode(GameMode* mode)
{
    if (mode == nullptr)
        throw boost::bad_pointer("Null pointer in 'push_back()'");
    if (IsBelowTop(mode))
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage(BELOW_TOP_MESSAGE));
    const bool replacesItself = !m_stack.empty() && m_stack.back().get() == mode;
    if (!m_stack.empty())
    {
        m_stack.back()->TearDown();
        // A mode that hands itself over replaces itself and must survive.
        if (replacesItself)
            m_stack.back().release();
        PopTop();
    }
    Push(mode);
    m_stack.back()->Initialize();
}

bool GameModeManager::Process()
{
    while (m_nextMode != nullptr)
    {
        GameMode* next = m_nextMode;
        m_nextMode = nullptr;
        SetGameMode(next);
    }
    DisposeReplaced();
    if (m_stack.empty())
        return false;
    if (m_changed)
    {
        m_changed = false;
        return false;
    }
    m_stack.back()->Process();
    if (m_changed)
    {
        m_changed = false;
        return false;
    }
    return true;
}

void GameModeManager::HandleEvent(const sf::Event& event)
{
    if (!m_stack.empty())
        m_stack.back()->HandleEvent(event);
}

void GameModeManager::Draw()
{
    if (!m_stack.empty())
        m_stack.back()->Draw();
}

void GameModeManager::GoToSubMode(GameMode* mode)
{
    if (mode == nullptr)
        throw boost::bad_pointer("Null pointer in 'push_back()'");
    if (IsOnStack(mode))
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage(ON_STACK_MESSAGE));
    Push(mode);
    m_stack.back()->Initialize();
    m_changed = true;
}

void GameModeManager::GoToParentMode()
{
    if (m_stack.size() > 1)
    {
        m_stack.back()->TearDown();
        PopTop();
    }
    m_changed = true;
}

GameMode* GameModeManager::GetNextGameMode() const
{
    return m_nextMode;
}

GameMode* GameModeManager::GetParentMode()
{
    if (m_stack.size() < 2)
        BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("No parent mode exists"));
    return m_stack[m_stack.size() - 2].get();
}

bool GameModeManager::IsOnStack(GameMode const* mode) const
{
    return mode != nullptr && std::any_of(m_stack.begin(), m_stack.end(), [mode](std::unique_ptr<GameMode> const& entry) {
               return entry.get() == mode;
           });
}

bool GameModeManager::IsBelowTop(GameMode const* mode) const
{
    return IsOnStack(mode) && m_stack.back().get() != mode;
}

bool GameModeManager::IsWaiting(GameMode const* mode) const
{
    return mode != nullptr &&
           (mode == m_nextMode || std::find(m_replaced.begin(), m_replaced.end(), mode) != m_replaced.end());
}

void GameModeManager::Push(GameMode* mode)
{
    try
    {
        m_stack.emplace_back();
    }
    catch (...)
    {
        // Refused before the stack took it: delete it unless it still waits.
        if (!IsWaiting(mode))
            delete mode;
        throw;
    }
    m_stack.back().reset(mode);
}

void GameModeManager::PopTop()
{
    if (IsWaiting(m_stack.back().get()))
        m_stack.back().release();
    m_stack.pop_back();
}

void GameModeManager::DisposeReplaced()
{
    std::vector<GameMode*> replaced;
    replaced.swap(m_replaced);
    for (GameMode* mode : replaced)
        if (mode != m_nextMode && !IsOnStack(mode))
            delete mode;
}
