// Needs the X server and the sound server of tools/headless.sh.
#include "ModeScreens.h"

#include "gui/ComposedStretchableDrawableConstructor.h"
#include "support/EventQueue.h"
#include "support/GameScreens.h"
#include "support/PlayScene.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{
// One frame of the game's main loop, with the one window event.
void Frame(const sf::Event& event)
{
    EventQueue events;
    events.Push(event.type);
    GameManager::Instance()->RunFrame(events.Poller());
}

sf::Image WindowShot()
{
    sf::RenderWindow& window = *GameManager::Instance()->GetRenderWindow();
    sf::Texture texture;
    texture.create(window.getSize().x, window.getSize().y);
    texture.update(window);
    return texture.copyToImage();
}

// The dialog's buttons are centred on its inner canvas, which stands at
// (307, 129) and is 399 pixels wide in the 1024x600 window.
const sf::Vector2<float> INNER_CANVAS(307.0f, 129.0f);
const float INNER_CENTRE_X = 399.0f * 0.5f;
const float RESTART_Y = 200.0f;
const float MENU_Y = 260.0f;
const float CALIBRATION_Y = 320.0f;

sf::Vector2<float> DialogButton(float y)
{
    return INNER_CANVAS + sf::Vector2<float>(INNER_CENTRE_X - ButtonWidth(200) / 2.0f, y);
}

// Ends the game on an enemy and slides the dialog's button at that height
// with the pointer; the mode's own GUI and handler take it from there.
void Choose(PlayScene& scene, float y)
{
    scene.EndByEnemy();
    SlideButton(scene.Mode(), DialogButton(y), ButtonWidth(200));
}
}

TEST(GameOverChoices, each_dialog_button_slid_by_the_pointer_asks_for_its_mode)
{
    const int NONE = -1;
    const struct
    {
        const char* label;
        float y;
        bool byEnemy; // else by Escape, which shows no dialog
        int nextType;
    } rows[] = {
        {"Restart", RESTART_Y, true, GameMode::PlayModeType},
        {"Back to menu", MENU_Y, true, GameMode::MenuModeType},
        {"Calibration", CALIBRATION_Y, true, GameMode::CalibrationModeType},
        {"Restart", RESTART_Y, false, NONE},
        {"Calibration", CALIBRATION_Y, false, NONE},
    };
    for (const auto& row : rows)
    {
        PlayScene scene;
        WindowAtOrigin();
        if (row.byEnemy)
            scene.EndByEnemy();
        else
            scene.Mode().HandleEvent(KeyPress(sf::Keyboard::Escape));
        ASSERT_EQ(PlayMode::PlayStateGameOver, scene.Mode().GetState());
        SlideButton(scene.Mode(), DialogButton(row.y), ButtonWidth(200));

        const GameMode* next = GameManager::Instance()->GetNextGameModeForTesting();
        const int nextType = next == nullptr ? NONE : next->GetModeType();
        EXPECT_EQ(row.nextType, nextType) << row.label << (row.byEnemy ? " after a hit" : " after Escape");
    }
}

TEST(GameOverChoices, menu_leads_to_the_main_menu)
{
    PlayScene scene;
    WindowAtOrigin();
    Choose(scene, MENU_Y);
    Frame(MouseMoved());
    EXPECT_TRUE(GameScreens::IsMenuScreen(WindowShot()));
}

TEST(GameOverChoices, calibration_leads_to_the_calibration_which_goes_back_to_a_new_game)
{
    // The scene's preferences hold a calibration, so screen 0 has its way back.
    PlayScene scene;
    WindowAtOrigin();
    Choose(scene, CALIBRATION_Y);
    Frame(MouseMoved());
    ASSERT_TRUE(GameScreens::IsCalibrationScreen(WindowShot()));

    // "Back to Game", slot 3 of screen 0.
    const ComposedStretchableDrawableConstructor& frame =
        GameManager::Instance()->GetContentManager().GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    const unsigned borders = frame.GetLeftBorder() + frame.GetRightBorder();
    const float innerWidth = static_cast<float>(frame.GetPossibleWidth(borders + 400) - borders);
    const sf::Vector2<float> screen(50.0f + static_cast<float>(frame.GetLeftBorder()),
                                    100.0f + static_cast<float>(frame.GetTopBorder()) - 10.0f);
    const sf::Vector2<float> backToGame =
        screen + sf::Vector2<float>(std::trunc(innerWidth / 2.0f - ButtonWidth(200) / 2.0f), 170.0f + 55.0f * 3.0f);
    SlideButton(Frame, backToGame, ButtonWidth(200));
    Frame(MouseMoved());
    const sf::Image picture = WindowShot();
    EXPECT_FALSE(GameScreens::IsCalibrationScreen(picture));
    EXPECT_FALSE(GameScreens::IsMenuScreen(picture));
    EXPECT_TRUE(GameScreens::IsPlayScreen(picture));
}
