#include "GuiPointer.h"

#include "gui/GuiCanvas.h"
#include "gui/GuiEventHelper.h"
#include "gui/GuiManager.h"
#include "support/GuiProbe.h"
#include "support/ScratchFolder.h"
#include "support/ThrownRecord.h"
#include "utility/ContentNotLoadedException.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A view 10 times finer than the window: window pixel (129, 75) is the view's (12.9, 7.5).
const sf::View FINE_VIEW(sf::FloatRect(0.0f, 0.0f, 102.4f, 60.0f));

// The default view scrolled 250 px right and 40 px down.
sf::View ScrolledView()
{
    sf::View view = GuiWindow().getDefaultView();
    view.move(250.0f, 40.0f);
    return view;
}
}

TEST(GuiEventHelper, element_relative_positions_truncate_toward_zero)
{
    std::vector<std::string> log;
    GuiProbe element(log, "e", false, sf::Vector2f(10.0f, 5.0f));
    struct Case
    {
        int pixelX, pixelY;
        int x, y;
    };
    const Case cases[] = { { 129, 75, 2, 2 }, { 95, 50, 0, 0 }, { 100, 50, 0, 0 }, { 89, 39, -1, -1 } };
    for (const Case& c : cases)
    {
        PointerAtPixel(c.pixelX, c.pixelY, FINE_VIEW);
        GuiEvent pressed = GuiEventHelper::AutoCreateEvent(&element, MouseButton(sf::Event::MouseButtonPressed));
        EXPECT_EQ(GuiMouseButton, pressed.type);
        EXPECT_EQ(sf::Event::MouseButtonPressed, pressed.mouseButton.eventType);
        EXPECT_EQ(sf::Mouse::Left, pressed.mouseButton.button);
        EXPECT_EQ(sf::Vector2i(c.x, c.y), sf::Vector2i(pressed.mouseButton.x, pressed.mouseButton.y)) << c.pixelX;
        GuiEvent moved = GuiEventHelper::AutoCreateEvent(&element, MouseMoved());
        EXPECT_EQ(GuiMouseMoved, moved.type);
        EXPECT_EQ(sf::Vector2i(c.x, c.y), sf::Vector2i(moved.mouseMove.x, moved.mouseMove.y)) << c.pixelX;
    }
}

TEST(GuiManager, mouse_events_that_no_element_takes_reach_the_handler_from_the_null_element)
{
    GuiManager gui;
    std::vector<std::string> heard;
    gui.SetGuiEventHandler([&](const GuiEvent& event) { heard.push_back(event.DebugOutput()); });
    PointerAtPixel(37, 42, ScrolledView());
    gui.HandleEvent(MouseButton(sf::Event::MouseButtonPressed, sf::Mouse::Right));
    gui.HandleEvent(MouseMoved());
    gui.HandleEvent(MouseMoved());
    sf::Event wheel{};
    wheel.type = sf::Event::MouseWheelScrolled;
    gui.HandleEvent(wheel);
    gui.HandleEvent(KeyPressed());
    const std::vector<std::string> expected = {
        "[GuiEvent] for GuiNullElementType(''): MouseButtonPressed, button: 1, pos: [287|82]",
        "[GuiEvent] for GuiNullElementType(''): GuiMouseMoved, pos: [287|82]",
        "[GuiEvent] for GuiNullElementType(''): GuiMouseMoved, pos: [287|82]",
    };
    EXPECT_EQ(expected, heard);

    GuiManager silent;
    silent.HandleEvent(MouseMoved());
}

TEST(GuiCanvas, under_the_pointer_it_consumes_mouse_events_and_raises_its_own)
{
    std::vector<std::string> log;
    GuiManager gui;
    std::vector<std::string> global;
    std::vector<std::string> local;
    gui.SetGuiEventHandler([&](const GuiEvent& event) { global.push_back(event.DebugOutput()); });
    GuiProbe* below = new GuiProbe(log, "below");
    gui.AddElement(below);
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(100.0f, 100.0f), 50.0f, 40.0f, "panel");
    gui.AddElement(canvas);

    struct Step
    {
        int x, y;
        sf::Event event;
        bool propagate;
        const char* below;
        int global, local;
    };
    const Step steps[] = {
        { 120, 110, MouseMoved(), true, "below:1", 1, 1 },
        { 100, 100, MouseButton(sf::Event::MouseButtonPressed), true, "below:1", 1, 1 },
        // The far edges are outside: the null element reports the move.
        { 150, 139, MouseMoved(), true, "below:0", 1, 0 },
        { 149, 139, KeyPressed(), true, "below:0", 0, 0 },
        { 149, 139, MouseMoved(), false, "below:1", 0, 1 },
    };
    for (const Step& step : steps)
    {
        canvas->SetLocalGuiEventHandler([&](const GuiEvent& event) { local.push_back(event.DebugOutput()); },
            step.propagate);
        PointerAtPixel(step.x, step.y);
        gui.HandleEvent(step.event);
        EXPECT_EQ(step.below, JoinLog(log)) << step.x << ", " << step.y;
        EXPECT_EQ(static_cast<std::size_t>(step.global), global.size()) << step.x << ", " << step.y;
        EXPECT_EQ(static_cast<std::size_t>(step.local), local.size()) << step.x << ", " << step.y;
        global.clear();
        local.clear();
    }

    // Positions relative to the canvas; the last step left propagation off.
    PointerAtPixel(100, 100);
    gui.HandleEvent(MouseButton(sf::Event::MouseButtonReleased));
    PointerAtPixel(149, 139);
    gui.HandleEvent(MouseMoved());
    const std::vector<std::string> expected = {
        "[GuiEvent] for GuiCanvasType('panel'): MouseButtonReleased, button: 0, pos: [0|0]",
        "[GuiEvent] for GuiCanvasType('panel'): GuiMouseMoved, pos: [49|39]",
    };
    EXPECT_EQ(expected, local);
    EXPECT_TRUE(global.empty());
    EXPECT_EQ("below:1 below:1", JoinLog(log));

    // Told that an element in front took it, the canvas stays quiet; hidden, it sees nothing.
    local.clear();
    EXPECT_FALSE(canvas->HandleEvent(MouseMoved(), true));
    canvas->SetVisible(false);
    EXPECT_FALSE(canvas->HandleEvent(MouseMoved(), false));
    EXPECT_TRUE(local.empty());
}

TEST(GuiManager, cursor_follows_the_pointer_and_shows_on_demand)
{
    ScratchFolder folder(true);
    folder.WriteImage("data/images/cursor.png", 3, 3, sf::Color::Red);
    GameManager* game = GameWithWindow();
    game->GetContentManager().LoadImage("cursor_test", "cursor.png");
    GuiManager gui;
    gui.AddCursor("standard", "cursor_gone");
    gui.AddCursor("standard", "cursor_test");
    gui.SetCursor("standard", false);
    PointerAtPixel(200, 150);
    gui.Process();
    EXPECT_EQ(sf::Color::White, Shot([&] { gui.Draw(); }).getPixel(200, 150));
    gui.ShowCursor(true);
    const sf::Image shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::Red, shot.getPixel(200, 150));
    EXPECT_EQ(sf::Color::Red, shot.getPixel(202, 152));
    EXPECT_EQ(sf::Color::White, shot.getPixel(199, 150));
    EXPECT_EQ(sf::Color::White, shot.getPixel(203, 153));
}

TEST(GuiManager, refuses_a_cursor_that_is_not_there_with_its_key)
{
    GameWithWindow();
    GuiManager gui;
    EXPECT_EQ("pointy", (RecordOf<ErrorName, ContentNotLoadedException>)([&] { gui.SetCursor("pointy"); }));
    gui.AddCursor("standard", "cursor_never_loaded");
    EXPECT_EQ("cursor_never_loaded",
        (RecordOf<ErrorName, ContentNotLoadedException>)([&] { gui.SetCursor("standard", true); }));
}
