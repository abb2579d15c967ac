#pragma once

#include "entity/EntityList.h"
#include "gamemode/GameMode.h"
#include "gui/GuiManager.h"
#include "manager/GamePreferences.h"

class GuiEvent;
class GuiKeylessOptionField;

// The main menu: title, a panel with "Start Game", the choice of the steering
// mode, "Calibration" and "Exit", over the menu picture. Worked with the
// pointer alone; Escape closes the program.
class MenuMode : public GameMode
{
public:
    MenuMode();
    ~MenuMode() override;

    void Initialize() override;
    void TearDown() override;
    void Process() override;
    void HandleEvent(const sf::Event& event) override;
    void Draw() override;

    void HandleGuiEvent(GuiEvent const& event);
    GuiManager* GetGuiManager();

    // The steering variant stored for an option index; 0 outside the three options.
    static GamePreferences::PlayerType PlayerTypeOfIndex(int index);

private:
    EntityList m_entities;
    GuiManager m_guiManager;
    // Owned by the panel's inner canvas.
    GuiKeylessOptionField* m_playerTypeField;
};
