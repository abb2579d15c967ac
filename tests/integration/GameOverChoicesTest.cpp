// Needs the X server and the sound server of tools/headless.sh.
#include "ModeScreens.h"

#include "gui/ComposedStretchableDrawableConstructor.h"
#include "gui/GuiEventHelper.h"
#include "gui/GuiNullElement.h"
#include "support/EventQueue.h"
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

int CountNear(const sf::Image& image, const sf::IntRect& area, sf::Color colour, int tolerance)
{
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
        {
            const sf::Color pixel = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            if (std::abs(pixel.r - colour.r) <= tolerance && std::abs(pixel.g - colour.g) <= tolerance &&
                std::abs(pixel.b - colour.b) <= tolerance)
                ++count;
        }
    return count;
}

// Black left of the panels: the calibration.
bool IsCalibration(const sf::Image& picture)
{
    return CountNear(picture, sf::IntRect(0, 120, 40, 460), sf::Color::Black, 8) == 40 * 460;
}

// The cream inside the centred panel: the menu.
bool IsMenu(const sf::Image& picture)
{
    return CountNear(picture, sf::IntRect(320, 420, 40, 20), sf::Color(251, 239, 204), 30) > 700;
}

// The game-over dialog's button of that name, clicked.
void Choose(PlayMode& mode, const std::string& name)
{
    GuiNullElement source;
    source.SetName(name);
    mode.HandleGuiEvent(GuiEventHelper::CreateGuiButtonClickedEvent(&source));
}
}

TEST(GameOverChoices, menu_leads_to_the_main_menu)
{
    PlayScene scene;
    WindowAtOrigin();
    Choose(scene.Mode(), "menu");
    Frame(MouseMoved());
    EXPECT_TRUE(IsMenu(WindowShot()));
}

TEST(GameOverChoices, calibration_leads_to_the_calibration_which_goes_back_to_a_new_game)
{
    // The scene's preferences hold a calibration, so screen 0 has its way back.
    PlayScene scene;
    WindowAtOrigin();
    Choose(scene.Mode(), "calibration");
    Frame(MouseMoved());
    ASSERT_TRUE(IsCalibration(WindowShot()));

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
    EXPECT_FALSE(IsCalibration(picture));
    EXPECT_FALSE(IsMenu(picture));
}
