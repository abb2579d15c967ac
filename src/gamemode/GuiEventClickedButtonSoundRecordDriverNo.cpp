#include "gamemode/GuiEventClickedButtonSoundRecordDriverNo.h"

#include "gamemode/CalibrationMode.h"
#include "manager/GameManager.h"

GuiEventClickedButtonSoundRecordDriverNo::GuiEventClickedButtonSoundRecordDriverNo(CalibrationMode* mode, int value)
    : m_mode(mode), m_value(value)
{
}

void GuiEventClickedButtonSoundRecordDriverNo::operator()(GuiEvent const&) const
{
    GameManager::Instance()->GetPreferences().SetSoundRecordDriverNo(m_value);
    m_mode->Next();
}
