#include "gamemode/GameMode.h"

#include "manager/GameManager.h"

GameMode::GameMode(ModeType modeType)
    : m_gameManager(GameManager::Instance()),
      m_renderWindow(m_gameManager->GetRenderWindow()),
      m_preferences(&m_gameManager->GetPreferences()),
      m_modeType(modeType)
{
}

GameMode::ModeType GameMode::GetModeType() const
{
    return m_modeType;
}
