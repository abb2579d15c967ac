// Measures every fixed text of the game in the game's own fonts against the room that the
// screens' fixed pixel layouts give it.
#include "GameWindow.h"

#include "gui/ComposedStretchableDrawableConstructor.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
const std::string DATA_DIR = std::string(VELMORA_SOURCE_DIR) + "/data/";
const unsigned LABEL_SIZE = 24;
const unsigned TITLE_SIZE = 64;
const float LABEL_TOP = 5.0f;
const float INFO_LEFT = 10.0f, INFO_TOP = 10.0f;
const float SCREEN_WIDTH = 1024.0f, SCREEN_HEIGHT = 600.0f;

sf::Vector2u ImageSize(const std::string& file)
{
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(DATA_DIR + "images/" + file)) << file;
    return image.getSize();
}

struct Fonts
{
    Fonts()
    {
        GameWithWindow();
        EXPECT_TRUE(standard.loadFromFile(DATA_DIR + "fonts/Loyal.ttf"));
        EXPECT_TRUE(header.loadFromFile(DATA_DIR + "fonts/Dragonfly.ttf"));
    }
    sf::Font standard;
    sf::Font header;
};

// The pixels a text covers when it is placed as the screens place it: at position,
// with its origin at (origin x, 0).
sf::FloatRect Ink(const sf::Font& font, unsigned size, const std::string& text, float x, float y, bool centred)
{
    sf::Text shown(text, font, size);
    if (centred)
        shown.setOrigin(std::trunc(shown.getLocalBounds().width * 0.5f), 0.0f);
    shown.setPosition(x, y);
    return shown.getGlobalBounds();
}

void ExpectInside(const sf::FloatRect& room, const sf::FloatRect& ink, const std::string& what)
{
    EXPECT_GE(ink.left, room.left) << what << ": width " << ink.width << " in " << room.width;
    EXPECT_LE(ink.left + ink.width, room.left + room.width) << what << ": width " << ink.width << " in " << room.width;
    EXPECT_GE(ink.top, room.top) << what << ": height " << ink.height << " in " << room.height;
    EXPECT_LE(ink.top + ink.height, room.top + room.height) << what << ": height " << ink.height << " in " << room.height;
}

// The frame of every panel: its inner width for a size asked with the borders added.
struct DragonFrame
{
    DragonFrame() : picture(114, 114), description(Description::Create3x3(picture.texture, {0, 0, 114, 114}, 48, 59, 54, 53, true)) {}
    typedef ComposedStretchableDrawableConstructor Description;
    float InnerWidth(unsigned asked) const
    {
        return static_cast<float>(description->GetPossibleWidth(asked) - description->GetLeftBorder() -
                                  description->GetRightBorder());
    }
    float Borders() const { return static_cast<float>(description->GetLeftBorder() + description->GetRightBorder()); }
    Picture picture;
    std::unique_ptr<Description> description;
};

float ButtonSlotY(int slot)
{
    return 170.0f + 55.0f * static_cast<float>(slot);
}
}

TEST(FontFit, labels_stay_between_the_caps_and_clear_of_the_knob_at_its_start)
{
    Fonts fonts;
    const float cap = static_cast<float>(ImageSize("gui/button_drop_start.png").x);
    const float barHeight = static_cast<float>(ImageSize("gui/button1.png").y);
    const sf::Vector2u knob = ImageSize("gui/button_drop_element.png");
    // The knob is centred on the start cap's centre.
    const float knobRight = static_cast<float>(static_cast<unsigned>(cap) / 2 - knob.x / 2 + knob.x);
    const float roomLeft = std::max(cap, knobRight);

    const struct
    {
        int width;
        std::vector<std::string> labels;
    } bars[] = {
        {200, {"Start Game", "Calibration", "Exit", "Restart", "Back to menu", "Pitch", "Volume",
               "Configure Soundcard", "Back to Menu", "Back to Game", "Set it", "Back", "Finish",
               "Start calibration again", "back", "Directional Height", "Target Direction", "Target Height",
               "ALSA", "No sound", "Auto detect", "Direct Sound", "ASIO"}},
        {305, {"PulseAudio", "Windows Multimedia WaveOut"}},
        {350, {"No sound"}},
    };
    for (const auto& bar : bars)
    {
        const sf::FloatRect room(roomLeft, 0.0f, cap + static_cast<float>(bar.width) - roomLeft, barHeight);
        for (const std::string& label : bar.labels)
        {
            const sf::FloatRect ink = Ink(fonts.standard, LABEL_SIZE, label,
                                          cap + static_cast<float>(bar.width / 2), LABEL_TOP, true);
            ExpectInside(room, ink, "\"" + label + "\" on a " + std::to_string(bar.width) + " px bar");
        }
    }
}

TEST(FontFit, info_texts_fit_the_screen_canvas_above_their_first_button)
{
    Fonts fonts;
    DragonFrame frame;
    const float innerWidth = frame.InnerWidth(static_cast<unsigned>(frame.Borders()) + 400);
    const struct
    {
        const char* text;
        int firstSlot;
    } screens[] = {
        {"Choose the way you want to control the dragon\nwith.", 0},
        {"Make lower limit sound.\nUse the button 'Set it' while you hold it.", 2},
        {"Make upper limit sound.\nUse the button 'Set it' while you hold it.", 2},
        {"Calibration finished.\n\nThe right gauge is the calibrated spectrum. Test\nit by making low and high "
         "sounds. You should be\nable to make the entire calibrated spectrum.",
         1},
        {"Make no sound do determine the lower limit.\nUse the button 'Set it' while you are as quiet\nas possible.",
         2},
        {"Be as loud as you want to be in the game to\ndetermine the upper limit.\nUse the button 'Set it' while you "
         "hold it.",
         2},
        {"Calibration finished.\n\nThe right gauge is the calibrated spectrum. Test\nit by making quiet and loud "
         "sounds. You should\nbe able to make the entire calibrated spectrum.",
         1},
        {"Select sound output mode", 0},
        {"Select playback driver", 0},
        {"Select record driver", 0},
    };
    for (const auto& screen : screens)
    {
        const sf::FloatRect room(0.0f, 0.0f, innerWidth, ButtonSlotY(screen.firstSlot));
        ExpectInside(room, Ink(fonts.standard, LABEL_SIZE, screen.text, INFO_LEFT, INFO_TOP, false), screen.text);
    }
}

TEST(FontFit, menu_texts_fit_the_screen_and_the_panel)
{
    Fonts fonts;
    DragonFrame frame;
    const float half = SCREEN_WIDTH / 2.0f;
    // The title stands above the panel, which starts 100 px down.
    ExpectInside({0.0f, 0.0f, SCREEN_WIDTH, 100.0f},
                 Ink(fonts.header, TITLE_SIZE, "Velmora", half, 0.0f, true), "menu title");
    ExpectInside({0.0f, 0.0f, SCREEN_WIDTH, 100.0f},
                 Ink(fonts.header, TITLE_SIZE, "Calibration", half, 0.0f, true), "calibration title");
    // Between the start button (45 high at 0) and the option field at 120.
    const float inner = frame.InnerWidth(static_cast<unsigned>(frame.Borders()) + 400);
    ExpectInside({0.0f, 45.0f, inner, 120.0f - 45.0f},
                 Ink(fonts.standard, LABEL_SIZE, "Player steering mode:", std::trunc(inner * 0.5f), 78.0f, true),
                 "steering mode caption");
}

TEST(FontFit, play_texts_fit_the_screen_and_the_game_over_dialog)
{
    Fonts fonts;
    DragonFrame frame;
    ExpectInside({0.0f, 0.0f, SCREEN_WIDTH, SCREEN_HEIGHT},
                 Ink(fonts.standard, LABEL_SIZE, "Make a noise to start!", SCREEN_WIDTH / 2.0f, SCREEN_HEIGHT / 2.0f, true),
                 "start prompt");
    ExpectInside({0.0f, 0.0f, SCREEN_WIDTH, SCREEN_HEIGHT},
                 Ink(fonts.standard, LABEL_SIZE, "Score: 0", 10.0f, 10.0f, false), "score");

    // The dialog's inner canvas; its frame reaches 54 px above it, the first button is at 200.
    const float inner = frame.InnerWidth(500);
    const float cx = inner * 0.5f;
    const float frameTop = -static_cast<float>(frame.description->GetTopBorder());
    ExpectInside({0.0f, frameTop, inner, 90.0f - frameTop},
                 Ink(fonts.header, TITLE_SIZE, "Game over!", cx, -30.0f, true), "Game over!");
    ExpectInside({0.0f, 90.0f, inner, 200.0f - 90.0f},
                 Ink(fonts.standard, LABEL_SIZE, "To restart, first make a low note and then\na high one!", cx, 90.0f, true),
                 "restart hint");
}
