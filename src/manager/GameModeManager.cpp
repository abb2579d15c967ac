#include "manager/GameModeManager.h"

#include "utility/ExceptionBase.h"

#include <boost/ptr_container/exception.hpp>

#include <algorithm>
#include <utility>

GameModeManager::~GameModeManager()
{
    if (!IsOnStack(m_nextMode))
        delete m_nextMode;
    m_nextMode = nullptr;
    while (!m_stack.empty())
        m_stack.pop_front();
}

void GameModeManager::SetNextGameMode(GameMode* mode)
{
    // The calibration screen may hand over the mode it continues with more than once.
    if (m_nextMode != nullptr && m_nextMode != mode && !IsOnStack(m_nextMode))
        delete m_nextMode;
    m_nextMode = mode;
}

void GameModeManager::SetGameMode(GameMode* mode)
{
    if (mode == nullptr)
        throw boost::bad_pointer("Null pointer in 'push_back()'");
    std::unique_ptr<GameMode> owned(mode);
    if (!m_stack.empty())
    {
        m_stack.back()->TearDown();
        // A mode that hands itself over replaces itself and must survive.
        if (m_stack.back().get() == mode)
            m_stack.back().release();
        m_stack.pop_back();
    }
    m_stack.push_back(std::move(owned));
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
    std::unique_ptr<GameMode> owned(mode);
    m_stack.push_back(std::move(owned));
    m_stack.back()->Initialize();
    m_changed = true;
}

void GameModeManager::GoToParentMode()
{
    if (m_stack.size() > 1)
    {
        m_stack.back()->TearDown();
        m_stack.pop_back();
    }
    m_changed = true;
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
