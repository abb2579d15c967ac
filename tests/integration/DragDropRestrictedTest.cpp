#include "GameWindow.h"

#include "entity/DragDropRestricted.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/Mouse.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace
{
// The view the knobs are handled in starts 300 px left of the window, so the
// window pixel 300 is the view's 0 and pointers left of the track stay inside the window.
const float VIEW_LEFT = -300.0f;
// Window pixels map onto the view only to float rounding.
const float MAPPING_TOLERANCE = 1e-3f;

// Puts the real pointer at a point of that view and hands the knob the mouse-moved event.
void PointAt(DragDropRestricted& knob, sf::Vector2f point)
{
    GameManager* game = GameWithWindow();
    game->SetViewAndSaveOld(sf::View(sf::FloatRect(VIEW_LEFT, 0.0f, 1024.0f, 600.0f)));
    sf::Mouse::setPosition(sf::Vector2i(static_cast<int>(point.x - VIEW_LEFT), static_cast<int>(point.y)),
        *game->GetRenderWindow());
    sf::Event moved{};
    moved.type = sf::Event::MouseMoved;
    knob.HandleEvent(moved);
    game->RevertView();
}

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
            PointAt(k.knob, step.pointer);
            EXPECT_NEAR(step.value, k.knob.GetMovableValue(), MAPPING_TOLERANCE) << c.what << ", step " << index;
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
    PointAt(k.knob, sf::Vector2f(0.0f, 50.0f));
    PointAt(k.knob, sf::Vector2f(230.0f, 50.0f));
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
    PointAt(knob, sf::Vector2f(45.0f, 105.0f));
    PointAt(knob, sf::Vector2f(47.0f, 125.0f));
    EXPECT_EQ(40.0f, knob.GetPos().x);
    EXPECT_NEAR(120.0f, knob.GetPos().y, MAPPING_TOLERANCE);
    knob.Move(sf::Vector2f(5.0f, -100.0f));
    EXPECT_NEAR(0.0f, knob.GetMin(), MAPPING_TOLERANCE);
    EXPECT_NEAR(200.0f, knob.GetMax(), MAPPING_TOLERANCE);
}

TEST(DragDropRestricted, ignores_all_but_mouse_movement)
{
    Knob k;
    PointAt(k.knob, sf::Vector2f(0.0f, 50.0f));
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
