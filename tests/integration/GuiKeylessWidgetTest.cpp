#include "GameContentLoaded.h"
#include "GuiPointer.h"

#include "gui/GuiCanvas.h"
#include "gui/GuiKeylessButton.h"
#include "gui/GuiKeylessOptionField.h"
#include "gui/GuiManager.h"
#include "manager/ContentManager.h"
#include "utility/ExceptionBase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
sf::Vector2u TextureSize(const char* key)
{
    return GameManager::Instance()->GetContentManager().GetTexture(key).getSize();
}

// Makes a view current in which the pointer lies exactly at point: the pointer
// rests on the middle pixel of a 1024x512 viewport, and the view is centred on
// point, so the mapping involves only powers of two.
void PointerAt(sf::Vector2f point)
{
    sf::View view(point, sf::Vector2f(1024.0f, 512.0f));
    view.setViewport(sf::FloatRect(0.0f, 0.0f, 1.0f, 512.0f / 600.0f));
    GuiWindow().setView(view);
    sf::Mouse::setPosition(sf::Vector2i(512, 256), GuiWindow());
}

bool SamePicture(const sf::Image& a, const sf::Image& b)
{
    return a.getSize() == b.getSize() &&
           std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), a.getSize().x * a.getSize().y * 4) == 0;
}

enum Action
{
    Move,
    Press,
    Release,
    Key
};

sf::Event EventFor(Action action)
{
    switch (action)
    {
    case Press:
        return MouseButton(sf::Event::MouseButtonPressed);
    case Release:
        return MouseButton(sf::Event::MouseButtonReleased);
    case Key:
        return KeyPressed();
    default:
        return MouseMoved();
    }
}

// Where the test button stands, and the width of its middle.
const sf::Vector2f BUTTON_AT(100.0f, 200.0f);
const int BUTTON_WIDTH = 200;
}

TEST(GuiKeylessButton, slides_to_fire_once_and_resets_when_the_pointer_leaves)
{
    LoadGameContent();
    const unsigned s = TextureSize("gui/button_drop_start").x, e = TextureSize("gui/button_drop_end").x;
    // The handle's track, from the start cap's centre to the end cap's, at the cap's middle height.
    const float min = BUTTON_AT.x + static_cast<float>(s / 2);
    const float max = BUTTON_AT.x + static_cast<float>(s + BUTTON_WIDTH + e / 2);
    const float y = BUTTON_AT.y + static_cast<float>(TextureSize("gui/button_drop_start").y / 2);
    const float away = 40.0f; // below the handle

    struct Step
    {
        Action action;
        float x;
        float dy;
        bool result;
        int fired;
    };
    struct Case
    {
        const char* what;
        bool handledInFront;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"push beyond the end",
         false,
         {{Move, min, 0, true, 0}, {Move, min + 100, 0, true, 0}, {Move, max + 50, 0, true, 1},
          {Move, max + 60, 0, false, 1}, {Move, min + 100, 0, false, 1}, {Move, min, 0, true, 1}}},
        {"push beyond the end after an element in front took every event",
         true,
         {{Move, min, 0, true, 0}, {Move, max + 50, 0, true, 1}, {Move, min, 0, true, 1}}},
        {"push exactly to the end and on",
         false,
         {{Move, min, 0, true, 0}, {Move, max, 0, true, 1}, {Move, max + 1, 0, false, 1}, {Move, min, 0, true, 1}}},
        {"leave halfway",
         false,
         {{Move, min, 0, true, 0}, {Move, min + 100, 0, true, 0}, {Move, min + 100, away, false, 0},
          {Move, min + 100, 0, false, 0}, {Move, min, 0, true, 0}}},
        {"press and release over the handle",
         false,
         {{Move, min, 0, true, 0}, {Move, min + 50, 0, true, 0}, {Press, 0, 0, true, 0}, {Release, 0, 0, true, 0},
          {Move, min + 50, 0, true, 0}}},
        {"press off the handle sends it back",
         false,
         {{Move, min, 0, true, 0}, {Move, min + 50, 0, true, 0}, {Move, min + 50, away, false, 0},
          {Press, 0, 0, false, 0}, {Move, min, 0, true, 0}}},
        {"key press halfway",
         false,
         {{Move, min, 0, true, 0}, {Move, min + 50, 0, true, 0}, {Key, 0, 0, false, 0}, {Move, min + 50, 0, true, 0},
          {Move, max + 50, 0, true, 1}}},
    };
    for (const Case& c : cases)
    {
        GuiKeylessButton button(BUTTON_AT, BUTTON_WIDTH, "Start Game", "play");
        int fired = 0;
        button.SetLocalGuiEventHandler(
            [&](const GuiEvent& event) {
                EXPECT_EQ(GuiButtonClicked, event.type);
                EXPECT_EQ(&button, event.source);
                ++fired;
            },
            true);
        int index = 0;
        for (const Step& step : c.steps)
        {
            if (step.action == Move)
                PointerAt(sf::Vector2f(step.x, y + step.dy));
            EXPECT_EQ(step.result, button.HandleEvent(EventFor(step.action), c.handledInFront))
                << c.what << ", step " << index;
            EXPECT_EQ(step.fired, fired) << c.what << ", step " << index;
            ++index;
        }
    }
}

TEST(GuiKeylessButton, handle_is_back_at_the_start_when_the_handler_runs)
{
    LoadGameContent();
    GuiKeylessButton button(BUTTON_AT, BUTTON_WIDTH, "Start Game", "play");
    const sf::View screen = GuiWindow().getDefaultView();
    auto picture = [&] {
        const sf::View current = GuiWindow().getView();
        GuiWindow().setView(screen);
        const sf::Image shot = Shot([&] { button.Draw(); });
        GuiWindow().setView(current);
        return shot;
    };
    const sf::Image atRest = picture();
    bool seenAtRest = false;
    button.SetLocalGuiEventHandler([&](const GuiEvent&) { seenAtRest = SamePicture(atRest, picture()); }, true);

    const float y = BUTTON_AT.y + 20.0f;
    PointerAt(sf::Vector2f(BUTTON_AT.x + 4.0f, y));
    button.HandleEvent(MouseMoved(), false);
    PointerAt(sf::Vector2f(BUTTON_AT.x + 100.0f, y));
    button.HandleEvent(MouseMoved(), false);
    EXPECT_FALSE(SamePicture(atRest, picture())) << "the handle moved along";
    PointerAt(sf::Vector2f(BUTTON_AT.x + 400.0f, y));
    EXPECT_TRUE(button.HandleEvent(MouseMoved(), false));
    EXPECT_TRUE(seenAtRest);
}

TEST(GuiKeylessButton, fires_inside_a_moved_canvas_under_a_scrolled_view)
{
    LoadGameContent();
    GuiManager gui;
    std::vector<std::string> clicked;
    gui.SetGuiEventHandler([&](const GuiEvent& event) {
        if (event.type == GuiButtonClicked)
            clicked.push_back(event.source->GetName());
    });
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(400.0f, 100.0f), 400.0f, 200.0f, "panel");
    gui.AddElement(canvas);
    GuiKeylessButton* button = new GuiKeylessButton(sf::Vector2f(0.0f, 0.0f), BUTTON_WIDTH, "Restart", "restart");
    button->MoveRelativePosition(sf::Vector2f(20.0f, 30.0f));
    canvas->AddElement(button);
    canvas->MoveRelativePosition(sf::Vector2f(50.0f, 50.0f));
    gui.Process();

    // The handle starts at the start cap's centre of the button at (470, 180); the view
    // is scrolled by (250, 40).
    sf::View scrolled = GuiWindow().getDefaultView();
    scrolled.move(250.0f, 40.0f);
    const int startX = 470 + static_cast<int>(TextureSize("gui/button_drop_start").x / 2) - 250;
    const int y = 180 + 20 - 40;
    for (int x : {startX, startX + 100, startX + 400})
    {
        PointerAtPixel(x, y, scrolled);
        gui.HandleEvent(MouseMoved());
    }
    EXPECT_EQ(std::vector<std::string>{"restart"}, clicked);
}

TEST(GuiKeylessButton, measures_caps_and_middle_and_refuses_a_negative_width)
{
    LoadGameContent();
    const unsigned s = TextureSize("gui/button_drop_start").x, e = TextureSize("gui/button_drop_end").x;
    GuiKeylessButton button(sf::Vector2f(0.0f, 0.0f), 300, "Exit", "exit");
    EXPECT_EQ(static_cast<float>(s + 300 + e), button.GetWidth());
    EXPECT_EQ(45.0f, button.GetHeight());
    EXPECT_EQ(GuiElement::GuiButtonType, button.GetType());
    EXPECT_THROW(GuiKeylessButton(sf::Vector2f(0.0f, 0.0f), -1, "Exit", "exit"), ExceptionBase);

    // Hidden, it neither follows nor fires.
    button.SetVisible(false);
    PointerAt(sf::Vector2f(static_cast<float>(s / 2), 20.0f));
    EXPECT_FALSE(button.HandleEvent(MouseMoved(), false));
}

namespace
{
const std::vector<std::string> STEERING = {"Directional Height", "Target Direction", "Target Height"};
}

TEST(GuiKeylessOptionField, index_follows_the_handle_and_snaps_to_the_nearest_option)
{
    LoadGameContent();
    // Placed so that the handle's track runs from y 100 to 190, one option every 45.
    const sf::Vector2u cap = TextureSize("gui/button_drop_start");
    GuiKeylessOptionField field(sf::Vector2f(50.0f, 100.0f - static_cast<float>(cap.y / 2)), 200, STEERING, "playertype");
    ASSERT_EQ(100.0f, field.GetIndexHeight(0));
    ASSERT_EQ(190.0f, field.GetIndexHeight(2));
    int raised = 0;
    field.SetLocalGuiEventHandler([&](const GuiEvent&) { ++raised; }, true);
    const float x = 50.0f + static_cast<float>(cap.x / 2);
    const float away = 40.0f; // right of the handle

    struct Step
    {
        Action action;
        float dx;
        float y;
        bool result;
        int index;
    };
    const Step steps[] = {
        {Move, 0, 100.0f, true, 0},
        {Move, 0, 122.5f, true, 0},
        {Move, 0, 122.51f, true, 1},
        {Move, 0, 167.5f, true, 1},
        {Move, 0, 167.51f, true, 2},
        {Move, 0, 400.0f, false, 2}, // clamped at the last option, then left behind
        {Move, 0, 190.0f, true, 2},
        {Move, 0, 130.0f, true, 1},
        {Move, away, 130.0f, false, 1}, // left at 130: snaps to 145
        {Move, 0, 145.0f, true, 1},
        {Move, 0, 167.5f, true, 1},
        {Move, 0, 167.51f, true, 2}, // so the snap put it exactly at 145
        {Press, 0, 0, true, 2},
        {Key, 0, 0, false, 2},
    };
    int index = 0;
    for (const Step& step : steps)
    {
        if (step.action == Move)
            PointerAt(sf::Vector2f(x + step.dx, step.y));
        EXPECT_EQ(step.result, field.HandleEvent(EventFor(step.action), true)) << "step " << index;
        EXPECT_EQ(step.index, field.GetIndex()) << "step " << index;
        ++index;
    }
    EXPECT_EQ(0, raised);
}

TEST(GuiKeylessOptionField, set_index_clamps_to_the_first_and_last_option)
{
    LoadGameContent();
    GuiKeylessOptionField field(sf::Vector2f(10.0f, 20.0f), 300, STEERING, "playertype");
    const struct
    {
        int set;
        int index;
    } cases[] = {{1, 1}, {5, 2}, {-1, 0}, {2, 2}, {0, 0}};
    for (const auto& c : cases)
    {
        field.SetIndex(c.set);
        EXPECT_EQ(c.index, field.GetIndex()) << "SetIndex(" << c.set << ")";
    }
    EXPECT_EQ(static_cast<float>(300 + TextureSize("gui/button_drop_start").x), field.GetWidth());
    EXPECT_EQ(135.0f, field.GetHeight());
    EXPECT_EQ(GuiElement::GuiKeylessOptionFieldType, field.GetType());

    // Hidden, it takes nothing and its handle does not follow.
    field.SetVisible(false);
    const float x = 10.0f + static_cast<float>(TextureSize("gui/button_drop_start").x / 2);
    PointerAt(sf::Vector2f(x, field.GetIndexHeight(0)));
    EXPECT_FALSE(field.HandleEvent(MouseMoved(), false));
    PointerAt(sf::Vector2f(x, field.GetIndexHeight(1)));
    EXPECT_FALSE(field.HandleEvent(MouseMoved(), false));
    EXPECT_EQ(0, field.GetIndex());
    EXPECT_THROW(GuiKeylessOptionField(sf::Vector2f(0.0f, 0.0f), 300, {}, "empty"), ExceptionBase);
    EXPECT_THROW(GuiKeylessOptionField(sf::Vector2f(0.0f, 0.0f), -1, STEERING, "narrow"), ExceptionBase);
}
