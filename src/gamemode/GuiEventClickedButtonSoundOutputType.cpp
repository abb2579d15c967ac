#include "gamemode/GuiEventClickedButtonSoundOutputType.h"

#include "gamemode/CalibrationMode.h"
#include "manager/GameManager.h"

GuiEventClickedButtonSoundOutputType::GuiEventClickedButtonSoundOutputType(CalibrationMode* mode, int value)
    : m_mode(mode), m_value(value)
{
}

void GuiEventClickedButtonSoundOutputType::operator()(GuiEvent const&) const
{
    GameManager::Instance()->GetPreferences().SetSoundOutputType(static_cast<FMOD_OUTPUTTYPE>(m_value));
    m_mode->Next();
}
