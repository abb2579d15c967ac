#include "gamemode/GuiEventClickedButtonSoundOutputDriverNo.h"

#include "gamemode/CalibrationMode.h"
#include "manager/GameManager.h"

GuiEventClickedButtonSoundOutputDriverNo::GuiEventClickedButtonSoundOutputDriverNo(CalibrationMode* mode, int value)
    : m_mode(mode), m_value(value)
{
}

void GuiEventClickedButtonSoundOutputDriverNo::operator()(GuiEvent const&) const
{
    GameManager::Instance()->GetPreferences().SetSoundOutputDriverNo(m_value);
    m_mode->Next();
}
