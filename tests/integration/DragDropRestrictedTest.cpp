#include "GameWindow.h"

#include "entity/DragDropRestricted.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Mouse.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace
{
// A 20x20 knob on a horizontal track 0..100 at y = 50: its box is
// [x - 10, x + 10) by [40, 60).
struct Knob
{
    Knob()
        : picture(20, 20)
        , knob(picture.texture, DragDropRestricted::RestrictionHorizontal, 0.0f, 100.0f, 50.0f)
    {
    }
    Picture picture;
    DragDropRestricted knob;
};
}

TEST(DragDropRestricted, follows_the_pointer_along_its_track_while_the_pointer_is_on_it)
{
    struct Step
    {
        sf::Vector2f pointer;
        float value;
        bool over;
    };
    struct Case
    {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        { "enter, push right by 30, jump +200 to the end",
            { { { 0.0f, 50.0f }, 0.0f, true }, { { 30.0f, 50.0f }, 30.0f, true },
                { { 230.0f, 50.0f }, 100.0f, false }, { { 240.0f, 50.0f }, 100.0f, false } } },
        { "across the knob in one event",
            { { { -50.0f, 50.0f }, 0.0f, false }, { { 50.0f, 50.0f }, 0.0f, false } } },
        { "leave sideways, come back",
            { { { 5.0f, 50.0f }, 0.0f, true }, { { 8.0f, 70.0f }, 3.0f, false }, { { 20.0f, 70.0f }, 3.0f, false },
                { { 6.0f, 55.0f }, 3.0f, true }, { { -20.0f, 55.0f }, 0.0f, false } } },
    };
    for (const Case& c : cases)
    {
        Knob k;
        int index = 0;
        for (const Step& step : c.steps)
        {
            k.knob.FollowPointer(step.pointer);
            EXPECT_EQ(step.value, k.knob.GetMovableValue()) << c.what << ", step " << index;
            EXPECT_EQ(step.over, k.knob.IsMouseOver()) << c.what << ", step " << index;
            EXPECT_EQ(50.0f, k.knob.GetPos().y) << c.what << ", step " << index;
            ++index;
        }
    }
}

TEST(DragDropRestricted, reaches_the_ends_of_its_track_exactly)
{
    Knob k;
    EXPECT_TRUE(k.knob.IsOnMin());
    k.knob.FollowPointer(sf::Vector2f(0.0f, 50.0f));
    k.knob.FollowPointer(sf::Vector2f(230.0f, 50.0f));
    EXPECT_TRUE(k.knob.IsOnMax());
    EXPECT_FALSE(k.knob.IsOnMin());

    k.knob.SetMovableValue(-5.0f);
    EXPECT_TRUE(k.knob.IsOnMin());
    k.knob.SetMovableValue(42.5f);
    EXPECT_EQ(42.5f, k.knob.GetMovableValue());
    EXPECT_EQ(sf::Vector2f(42.0f, 50.0f), k.knob.GetSprite().getPosition());
    EXPECT_FALSE(k.knob.IsOnMin());
    EXPECT_FALSE(k.knob.IsOnMax());
}

TEST(DragDropRestricted, moving_the_knob_moves_its_track)
{
    Knob k;
    k.knob.Move(sf::Vector2f(50.0f, 10.0f));
    EXPECT_EQ(sf::Vector2f(50.0f, 60.0f), k.knob.GetPos());
    EXPECT_EQ(50.0f, k.knob.GetMin());
    EXPECT_EQ(150.0f, k.knob.GetMax());
    k.knob.SetMovableValue(500.0f);
    EXPECT_EQ(sf::Vector2f(150.0f, 60.0f), k.knob.GetPos());
}

TEST(DragDropRestricted, vertical_knob_moves_on_y_only)
{
    Picture picture(20, 20);
    DragDropRestricted knob(picture.texture, DragDropRestricted::RestrictionVertical, 100.0f, 300.0f, 40.0f);
    EXPECT_EQ(sf::Vector2f(40.0f, 100.0f), knob.GetPos());
    EXPECT_EQ(sf::Vector2f(10.0f, 10.0f), knob.GetSprite().getOrigin());
    knob.FollowPointer(sf::Vector2f(45.0f, 105.0f));
    knob.FollowPointer(sf::Vector2f(47.0f, 125.0f));
    EXPECT_EQ(sf::Vector2f(40.0f, 120.0f), knob.GetPos());
    knob.Move(sf::Vector2f(5.0f, -100.0f));
    EXPECT_EQ(0.0f, knob.GetMin());
    EXPECT_EQ(200.0f, knob.GetMax());
}

TEST(DragDropRestricted, ignores_all_but_mouse_movement)
{
    Knob k;
    k.knob.FollowPointer(sf::Vector2f(0.0f, 50.0f));
    const sf::Event::EventType others[] = { sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased,
        sf::Event::KeyPressed, sf::Event::MouseWheelScrolled };
    for (sf::Event::EventType type : others)
    {
        sf::Event event{};
        event.type = type;
        k.knob.HandleEvent(event);
        EXPECT_EQ(0.0f, k.knob.GetMovableValue()) << type;
        EXPECT_TRUE(k.knob.IsMouseOver()) << type;
    }
}

TEST(DragDropRestricted, mouse_moved_events_read_the_pointer_in_the_current_view)
{
    GameManager* game = GameWithWindow();
    sf::RenderWindow& window = *game->GetRenderWindow();
    // A view that starts 100 px further right: the window's pixel 100 is the view's 0.
    sf::View view(sf::FloatRect(-100.0f, 0.0f, 1024.0f, 600.0f));
    game->SetViewAndSaveOld(view);
    Knob k;
    sf::Event moved{};
    moved.type = sf::Event::MouseMoved;
    const int windowX[] = { 100, 130 };
    for (int x : windowX)
    {
        sf::Mouse::setPosition(sf::Vector2i(x, 50), window);
        k.knob.HandleEvent(moved);
    }
    game->RevertView();
    EXPECT_EQ(30.0f, k.knob.GetMovableValue());
    EXPECT_TRUE(k.knob.IsMouseOver());
}
