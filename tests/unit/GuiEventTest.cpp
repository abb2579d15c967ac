#include "gui/GuiEvent.h"
#include "gui/GuiEventHelper.h"
#include "gui/GuiNullElement.h"

#include "support/GuiProbe.h"
#include "support/ThrownRecord.h"

#include <gtest/gtest.h>

TEST(GuiEventHelper, sorts_window_events_into_mouse_and_auto_created)
{
    struct Case
    {
        sf::Event::EventType type;
        bool mouse;
        bool autoCreated;
    };
    const Case cases[] = {
        { sf::Event::MouseWheelMoved, true, false },
        { sf::Event::MouseWheelScrolled, true, false },
        { sf::Event::MouseButtonPressed, true, true },
        { sf::Event::MouseButtonReleased, true, true },
        { sf::Event::MouseMoved, true, true },
        { sf::Event::MouseEntered, false, false },
        { sf::Event::MouseLeft, false, false },
        { sf::Event::KeyPressed, false, false },
        { sf::Event::Closed, false, false },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.mouse, GuiEventHelper::IsMouseEvent(EventOf(c.type))) << c.type;
        EXPECT_EQ(c.autoCreated, GuiEventHelper::CanAutoCreateEvent(EventOf(c.type))) << c.type;
    }
}

TEST(GuiEventHelper, refuses_to_auto_create_from_other_events)
{
    GuiNullElement source;
    EXPECT_EQ("AutoCreateEvent didn't create anything for type 8", RecordOf<ErrorMessage>([&] {
        GuiEventHelper::AutoCreateEvent(&source, EventOf(sf::Event::MouseWheelScrolled));
    }));
    EXPECT_EQ("AutoCreateEvent didn't create anything for type 5",
        RecordOf<ErrorMessage>([&] { GuiEventHelper::AutoCreateEvent(&source, EventOf(sf::Event::KeyPressed)); }));
}

TEST(GuiEvent, describes_itself_in_one_line)
{
    std::vector<std::string> log;
    GuiNullElement nothing;
    GuiProbe button(log, "play");
    GuiEvent clicked = GuiEventHelper::CreateGuiButtonClickedEvent(&button);
    EXPECT_EQ(GuiButtonClicked, clicked.type);
    EXPECT_EQ(&button, clicked.source);
    EXPECT_EQ("[GuiEvent] for Unknown/4('play'): GuiButtonClicked", clicked.DebugOutput());

    GuiEvent press;
    press.type = GuiMouseButton;
    press.source = &nothing;
    press.mouseButton.eventType = sf::Event::MouseButtonReleased;
    press.mouseButton.button = sf::Mouse::Right;
    press.mouseButton.x = 12;
    press.mouseButton.y = -3;
    EXPECT_EQ("[GuiEvent] for GuiNullElementType(''): MouseButtonReleased, button: 1, pos: [12|-3]",
        press.DebugOutput());
}
