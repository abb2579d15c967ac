// Needs the X server of tools/headless.sh.
#include "ModeScreens.h"

#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiKeylessButton.h"
#include "gui/GuiManager.h"
#include "support/GuiProbe.h"

#include <SFML/Graphics/RectangleShape.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A framed panel at (100, 100), 400 x 200, added to the GUI, with a probe
// that takes every event or none, and a button of width argument 200 at
// (10, 10) and (20, 60) in its inner canvas: the button lies at (120, 160).
GuiCanvasDecorated* AddPanel(GuiManager& gui, std::vector<std::string>& log, bool probeTakes)
{
    auto* panel = new GuiCanvasDecorated(sf::Vector2<float>(100.0f, 100.0f), 400.0f, 200.0f, new sf::RectangleShape,
                                         new GuiCanvas(sf::Vector2<float>(0.0f, 0.0f), 400.0f, 200.0f, ""), "panel");
    panel->GetInnerCanvas()->AddElement(new GuiProbe(log, "p", probeTakes, sf::Vector2<float>(10.0f, 10.0f)));
    panel->GetInnerCanvas()->AddElement(new GuiKeylessButton(sf::Vector2<float>(20.0f, 60.0f), 200, "Menu", "menu"));
    gui.AddElement(panel);
    return panel;
}

const sf::Vector2<float> BUTTON_PLACE(120.0f, 160.0f);
}

TEST(GuiCanvasDecorated, hidden_it_passes_nothing_on_to_what_it_holds)
{
    GameForModes();
    for (bool visible : {true, false})
    {
        // The probe writes into the log until the GUI is gone.
        std::vector<std::string> log;
        GuiManager gui;
        ClickSpy spy;
        gui.SetGuiEventHandler(spy.Handler());
        GuiCanvasDecorated* panel = AddPanel(gui, log, true);
        panel->SetVisible(visible);

        SlideButton([&gui](const sf::Event& event) { gui.HandleEvent(event); }, BUTTON_PLACE, ButtonWidth(200));
        EXPECT_EQ(visible ? std::vector<std::string>({"menu"}) : std::vector<std::string>(), spy.clicked)
            << "visible " << visible;
        PointerAtPixel(150, 150);
        EXPECT_EQ(visible, panel->HandleEvent(MouseMoved(), false)) << "visible " << visible;
        EXPECT_EQ(visible, panel->HandleEvent(KeyPressed(), false)) << "visible " << visible;
        gui.Process();
        gui.Draw();
        const std::string seen = JoinLog(log);
        EXPECT_EQ(visible, seen.find("p:") != std::string::npos) << seen;
        EXPECT_EQ(visible, seen.find("p+") != std::string::npos) << seen;
        EXPECT_EQ(visible, seen.find("p~") != std::string::npos) << seen;
    }
}

TEST(GuiCanvas, a_wheel_over_a_canvas_or_a_panel_is_ignored)
{
    GameForModes();
    for (sf::Event::EventType wheel : {sf::Event::MouseWheelMoved, sf::Event::MouseWheelScrolled})
    {
        std::vector<std::string> log;
        GuiManager gui;
        std::vector<std::string> heard;
        gui.SetGuiEventHandler([&heard](GuiEvent const& event) { heard.push_back(event.DebugOutput()); });
        GuiCanvasDecorated* panel = AddPanel(gui, log, false);
        auto* canvas = new GuiCanvas(sf::Vector2<float>(600.0f, 100.0f), 200.0f, 200.0f, "canvas");
        gui.AddElement(canvas);
        panel->SetLocalGuiEventHandler(
            [&heard](GuiEvent const& event) { heard.push_back("own " + event.DebugOutput()); }, true);

        for (int x : {150, 700})
        {
            PointerAtPixel(x, 150);
            EXPECT_NO_THROW(gui.HandleEvent(EventOf(wheel))) << wheel << " at " << x;
            EXPECT_NO_THROW(EXPECT_FALSE(panel->HandleEvent(EventOf(wheel), false))) << wheel;
            EXPECT_NO_THROW(EXPECT_FALSE(canvas->HandleEvent(EventOf(wheel), false))) << wheel;
        }
        EXPECT_TRUE(heard.empty()) << heard.front();
        // The same pointer moving is taken, so the wheel alone is ignored.
        gui.HandleEvent(MouseMoved());
        EXPECT_EQ(1u, heard.size());
    }
}
