// Needs the X server and the sound server of tools/headless.sh.
#include "ModeScreens.h"

#include "gamemode/CalibrationMode.h"
#include "gamemode/MenuMode.h"
#include "gamemode/PlayMode.h"
#include "gui/ComposedStretchableDrawableConstructor.h"
#include "manager/PreferencesFile.h"

#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace
{
const int BUTTON_WIDTH = 200;

// An element that notes every window event offered to it.
class EventSpy : public GuiElement
{
public:
    explicit EventSpy(std::vector<sf::Event::EventType>& seen)
        : GuiElement(GuiDrawableType, sf::Vector2<float>(0.0f, 0.0f), ""), m_seen(seen)
    {
    }
    bool HandleEvent(const sf::Event& event, bool) override
    {
        m_seen.push_back(event.type);
        return false;
    }
    void Process() override {}
    void Draw() override {}

private:
    std::vector<sf::Event::EventType>& m_seen;
};

// The panel's inner canvas in the window, as the menu lays it out on a
// 1024-pixel view: the panel centred on 512, 100 pixels below the top.
struct MenuPlaces
{
    MenuPlaces()
    {
        const ComposedStretchableDrawableConstructor& frame =
            GameManager::Instance()->GetContentManager().GetComposedStretchableDrawableConstructor(
                "gui/canvas_dragon");
        const unsigned width = frame.GetPossibleWidth(frame.GetLeftBorder() + frame.GetRightBorder() + 400);
        const float innerWidth = static_cast<float>(width - frame.GetLeftBorder() - frame.GetRightBorder());
        const int left = 512 - static_cast<int>(width) / 2 + static_cast<int>(frame.GetLeftBorder());
        inner = sf::Vector2<float>(static_cast<float>(left), 100.0f + static_cast<float>(frame.GetTopBorder()) - 10.0f);
        const float cx = std::trunc(0.5f * innerWidth);
        buttonX = std::trunc(cx - 0.5f * ButtonWidth(BUTTON_WIDTH));
        const sf::Texture& cap = GameManager::Instance()->GetContentManager().GetTexture("gui/button_drop_start");
        const float capWidth = static_cast<float>(cap.getSize().x);
        fieldX = inner.x + std::trunc(cx - 0.5f * (BUTTON_WIDTH + capWidth));
    }
    sf::Vector2<float> Button(float y) const { return inner + sf::Vector2<float>(buttonX, y); }

    sf::Vector2<float> inner;
    float buttonX;
    // The option field's left edge in the window.
    float fieldX;
};

std::unique_ptr<MenuMode> InitialisedMenu()
{
    GameForModes();
    auto menu = std::make_unique<MenuMode>();
    menu->Initialize();
    return menu;
}
}

TEST(MenuMode, option_index_gives_the_stored_player_type_and_0_outside_the_options)
{
    const struct
    {
        int index;
        GamePreferences::PlayerType type;
    } table[] = {
        {-1, GamePreferences::PlayerDirectionHeightType}, {0, GamePreferences::PlayerDirectionHeightType},
        {1, GamePreferences::PlayerTargetDirectionType},  {2, GamePreferences::PlayerTargetHeightType},
        {3, GamePreferences::PlayerDirectionHeightType},
    };
    for (const auto& row : table)
        EXPECT_EQ(row.type, MenuMode::PlayerTypeOfIndex(row.index)) << row.index;
}

TEST(MenuMode, escape_closes_the_window_and_still_reaches_the_gui)
{
    ScratchFolder folder(true);
    auto menu = InitialisedMenu();
    std::vector<sf::Event::EventType> seen;
    menu->GetGuiManager()->AddElement(new EventSpy(seen));

    menu->HandleEvent(KeyPress(sf::Keyboard::A));
    EXPECT_TRUE(GameManager::Instance()->GetRenderWindow()->isOpen()) << "only Escape closes";
    menu->HandleEvent(KeyPress(sf::Keyboard::Escape));
    EXPECT_FALSE(GameManager::Instance()->GetRenderWindow()->isOpen());
    EXPECT_EQ(std::vector<sf::Event::EventType>({sf::Event::KeyPressed, sf::Event::KeyPressed}), seen);

    menu.reset();
    GameForModes();
}

TEST(MenuMode, title_is_centred_on_512_and_the_panel_buttons_lie_100_pixels_below_the_top)
{
    ScratchFolder folder(true);
    auto menu = InitialisedMenu();
    const MenuPlaces places;
    const struct
    {
        float y;
        const char* name;
    } buttons[] = {{0.0f, "play"}, {300.0f, "calibration"}, {360.0f, "exit"}};
    for (const auto& button : buttons)
    {
        ClickSpy spy;
        menu->GetGuiManager()->SetGuiEventHandler(spy.Handler());
        SlideButton(*menu, places.Button(button.y), ButtonWidth(BUTTON_WIDTH));
        EXPECT_EQ(std::vector<std::string>({button.name}), spy.clicked);
    }

    // The title's ink, black on white, with the cursor out of the way.
    PointerAtPixel(1020, 590);
    menu->Process();
    const sf::Image shot = Shot([&] { menu->GetGuiManager()->Draw(); });
    int left = 1024;
    int right = -1;
    for (unsigned y = 0; y < 90; ++y)
        for (unsigned x = 0; x < 1024; ++x)
            if (shot.getPixel(x, y).r < 128)
            {
                left = std::min(left, static_cast<int>(x));
                right = std::max(right, static_cast<int>(x));
            }
    ASSERT_LT(left, right) << "no title drawn";
    const sf::Text title("Velmora", GameManager::Instance()->GetContentManager().GetFont("header"), 64);
    // Centred by its bounds, which start at the glyphs' left bearing.
    EXPECT_NEAR(512.0f + title.getLocalBounds().left, (left + right + 1) / 2.0f, 2.0f);
}

TEST(MenuMode, shows_the_gui_cursor_where_the_pointer_is)
{
    ScratchFolder folder(true);
    auto menu = InitialisedMenu();
    // Left of the panel, below the title: the menu's GUI draws nothing else there.
    const sf::IntRect area(10, 300, 16, 16);
    ExpectCursorDrawnAtPointer(*menu->GetGuiManager(), area);
}

TEST(MenuMode, start_game_stores_the_chosen_steering_mode)
{
    const struct
    {
        int stored;
        int optionsDown;
        int expected;
    } cases[] = {
        {0, 1, 1},
        {1, 1, 2},
        {2, 0, 2},
        // A stored type outside the options leaves the field at its first option.
        {7, 0, 0},
    };
    GameManager* manager = GameForModes();
    ContentManager& content = manager->GetContentManager();
    const sf::Vector2u cap = content.GetTexture("gui/button_drop_start").getSize();
    const float optionHeight = static_cast<float>(
        content.GetComposedStretchableDrawableConstructor("gui/button1").GetOriginalHeight());
    for (const auto& c : cases)
    {
        // The play screen that follows loads its sounds from data/.
        ScratchFolder folder(true);
        ASSERT_EQ(0, ::symlink(VELMORA_SOURCE_DIR "/data", folder.File("data").c_str()));
        manager->GetPreferences().SetPlayerType(static_cast<GamePreferences::PlayerType>(c.stored));
        auto* menu = new MenuMode;
        manager->SetNextGameMode(menu);
        manager->Process();
        const MenuPlaces places;

        // The option field's knob rests on the start cap of the stored option;
        // the player drags it down and lets it go, and it snaps to an option.
        const int index = c.stored >= 0 && c.stored <= 2 ? c.stored : 0;
        const int x = static_cast<int>(places.fieldX) + static_cast<int>(cap.x / 2);
        int y = static_cast<int>(places.inner.y + 120.0f) + static_cast<int>(cap.y / 2) +
                static_cast<int>(index * optionHeight);
        PointerAtPixel(x, y);
        menu->HandleEvent(MouseMoved());
        for (int moved = 0; moved < static_cast<int>(c.optionsDown * optionHeight); moved += 5)
        {
            y += 5;
            PointerAtPixel(x, y);
            menu->HandleEvent(MouseMoved());
        }
        // Off the knob sideways, which the vertical knob does not follow.
        PointerAtPixel(x + 40, y);
        menu->HandleEvent(MouseMoved());

        SlideButton(*menu, places.Button(0.0f), ButtonWidth(BUTTON_WIDTH));
        EXPECT_EQ(c.expected, manager->GetPreferences().GetPlayerType()) << c.stored;
        EXPECT_EQ(c.expected, PreferencesFile::Read("config.xml").playerType) << c.stored;
        // The play screen follows.
        manager->Process();
    }
}

TEST(MenuMode, each_button_slid_by_the_pointer_does_its_work_in_the_menu)
{
    enum Leads
    {
        ToPlay,
        ToCalibration,
        Nowhere
    };
    const struct
    {
        float y;
        const char* label;
        Leads leads;
        bool closes;
        bool savesPreferences;
    } buttons[] = {
        {0.0f, "Start Game", ToPlay, false, true},
        {300.0f, "Calibration", ToCalibration, false, false},
        // Last: the window it closes is opened again only for the next test.
        {360.0f, "Exit", Nowhere, true, false},
    };
    GameManager* manager = GameForModes();
    for (const auto& button : buttons)
    {
        // The play screen loads its sounds from data/.
        ScratchFolder folder(true);
        ASSERT_EQ(0, ::symlink(VELMORA_SOURCE_DIR "/data", folder.File("data").c_str()));
        // A calibration is stored, so the calibration screen offers its way back.
        StoreReader(true);
        auto* menu = new MenuMode;
        manager->SetNextGameMode(menu);
        manager->Process();
        folder.Remove("config.xml");
        const MenuPlaces places;
        EXPECT_EQ(0, LabelMismatch(GuiShot(*menu->GetGuiManager()), places.Button(button.y), BUTTON_WIDTH,
                                   button.label))
            << button.label;

        SlideButton(*menu, places.Button(button.y), ButtonWidth(BUTTON_WIDTH));
        GameMode* next = manager->GetNextGameModeForTesting();
        EXPECT_EQ(button.closes, !manager->GetRenderWindow()->isOpen()) << button.label;
        EXPECT_EQ(button.savesPreferences, folder.Has("config.xml")) << button.label;
        switch (button.leads)
        {
        case ToPlay:
            ASSERT_NE(nullptr, dynamic_cast<PlayMode*>(next)) << button.label;
            EXPECT_EQ(GameMode::PlayModeType, next->GetModeType());
            manager->Process();
            break;
        case ToCalibration:
        {
            auto* calibration = dynamic_cast<CalibrationMode*>(next);
            ASSERT_NE(nullptr, calibration) << button.label;
            EXPECT_EQ(GameMode::CalibrationModeType, next->GetModeType());
            manager->Process();
            // Its way back, in slot 3 of its first screen, leads to a fresh menu.
            SlideButton(*calibration, SlotPlace(*calibration->GetScreen(CalibrationMode::ScreenStart), 3, 200),
                        ButtonWidth(200));
            GameMode* after = manager->GetNextGameModeForTesting();
            ASSERT_NE(nullptr, dynamic_cast<MenuMode*>(after));
            EXPECT_EQ(GameMode::MenuModeType, after->GetModeType());
            manager->Process();
            break;
        }
        case Nowhere:
            EXPECT_EQ(nullptr, next) << button.label;
            break;
        }
    }
    GameForModes();
}
