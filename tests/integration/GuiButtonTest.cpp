#include "GuiPointer.h"

#include "gui/ComposedStretchableDrawable.h"
#include "gui/GuiButtonOverlayDrawable.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiDrawableButton.h"
#include "gui/GuiManager.h"
#include "support/GuiProbe.h"
#include "support/ThrownRecord.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <boost/ptr_container/exception.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
const char* const FONT_FIXTURE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

sf::RectangleShape* Plain(sf::Color colour, sf::Vector2f size = sf::Vector2f(200.0f, 50.0f))
{
    sf::RectangleShape* look = new sf::RectangleShape(size);
    look->setFillColor(colour);
    return look;
}

// A 200x50 button at (100, 100): red, green and blue for its three states.
// It counts its clicks and writes down its state changes.
class ProbeButton : public GuiDrawableButton
{
public:
    ProbeButton()
        : GuiDrawableButton(sf::Vector2f(100.0f, 100.0f), 200, 50, Plain(sf::Color::Red), Plain(sf::Color::Green),
            Plain(sf::Color::Blue), "probe")
    {
    }
    void OnChangeState(GuiButtonState state) override
    {
        changes += std::to_string(GetState()) + ">" + std::to_string(state) + " ";
    }
    void OnClick() override { ++clicks; }

    int clicks = 0;
    std::string changes;
};

const sf::Vector2i OVER(150, 120);
const sf::Vector2i AWAY(400, 300);

struct Step
{
    sf::Vector2i pointer;
    sf::Event event;
    GuiButton::GuiButtonState state;
    int clicks;
};

sf::Event Press(sf::Mouse::Button button = sf::Mouse::Left)
{
    return MouseButton(sf::Event::MouseButtonPressed, button);
}

sf::Event Release(sf::Mouse::Button button = sf::Mouse::Left)
{
    return MouseButton(sf::Event::MouseButtonReleased, button);
}

// An 80x20 block as overlay content.
std::shared_ptr<sf::Drawable> Block()
{
    return std::shared_ptr<sf::Drawable>(Plain(sf::Color::Yellow, sf::Vector2f(80.0f, 20.0f)));
}

sf::Vector2f PositionOf(const std::shared_ptr<sf::Drawable>& content)
{
    return std::dynamic_pointer_cast<sf::RectangleShape>(content)->getPosition();
}
}

TEST(GuiButton, fires_once_for_a_left_press_and_release_over_it)
{
    using B = GuiButton;
    struct Case
    {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        { "press, leave, come back, release",
            { { OVER, MouseMoved(), B::GuiButtonStateMouseOver, 0 }, { OVER, Press(), B::GuiButtonStatePressed, 0 },
                { AWAY, MouseMoved(), B::GuiButtonStateNormal, 0 }, { OVER, MouseMoved(), B::GuiButtonStatePressed, 0 },
                { OVER, Release(), B::GuiButtonStateMouseOver, 1 }, { OVER, Release(), B::GuiButtonStateMouseOver, 1 },
                { OVER, MouseMoved(), B::GuiButtonStateMouseOver, 1 } } },
        { "press outside, move over, release",
            { { AWAY, Press(), B::GuiButtonStateNormal, 0 }, { OVER, MouseMoved(), B::GuiButtonStateMouseOver, 0 },
                { OVER, Release(), B::GuiButtonStateMouseOver, 0 } } },
        { "the right button is ignored",
            { { OVER, MouseMoved(), B::GuiButtonStateMouseOver, 0 },
                { OVER, Press(sf::Mouse::Right), B::GuiButtonStateMouseOver, 0 },
                { OVER, Release(sf::Mouse::Right), B::GuiButtonStateMouseOver, 0 } } },
        { "a right release while pressed keeps it pressed",
            { { OVER, Press(), B::GuiButtonStatePressed, 0 },
                { OVER, Release(sf::Mouse::Right), B::GuiButtonStatePressed, 0 },
                { OVER, Release(), B::GuiButtonStateMouseOver, 1 } } },
        { "a release outside forgets the press",
            { { OVER, Press(), B::GuiButtonStatePressed, 0 }, { AWAY, Release(), B::GuiButtonStateNormal, 0 },
                { OVER, MouseMoved(), B::GuiButtonStateMouseOver, 0 }, { OVER, Release(), B::GuiButtonStateMouseOver, 0 } } },
        { "a press outside forgets the press",
            { { OVER, Press(), B::GuiButtonStatePressed, 0 }, { AWAY, MouseMoved(), B::GuiButtonStateNormal, 0 },
                { AWAY, Press(), B::GuiButtonStateNormal, 0 }, { OVER, MouseMoved(), B::GuiButtonStateMouseOver, 0 },
                { OVER, Release(), B::GuiButtonStateMouseOver, 0 } } },
    };
    for (const Case& c : cases)
    {
        GuiManager gui;
        int heard = 0;
        gui.SetGuiEventHandler([&](const GuiEvent& event) { heard += event.type == GuiButtonClicked ? 1 : 0; });
        ProbeButton* button = new ProbeButton;
        gui.AddElement(button);
        int step = 0;
        for (const Step& s : c.steps)
        {
            PointerAtPixel(s.pointer.x, s.pointer.y);
            gui.HandleEvent(s.event);
            EXPECT_EQ(s.state, button->GetState()) << c.what << ", step " << step;
            EXPECT_EQ(s.clicks, button->clicks) << c.what << ", step " << step;
            EXPECT_EQ(s.clicks, heard) << c.what << ", step " << step;
            ++step;
        }
    }
}

TEST(GuiButton, an_element_in_front_with_the_pointer_leaves_it_normal)
{
    std::vector<std::string> log;
    GuiManager gui;
    ProbeButton* button = new ProbeButton;
    gui.AddElement(button);
    PointerAtPixel(OVER.x, OVER.y);
    gui.HandleEvent(Press());
    EXPECT_EQ(GuiButton::GuiButtonStatePressed, button->GetState());
    gui.AddElement(new GuiProbe(log, "front", true));
    gui.HandleEvent(MouseMoved());
    EXPECT_EQ(GuiButton::GuiButtonStateNormal, button->GetState());
    EXPECT_FALSE(button->HandleEvent(Release(), true));
    EXPECT_EQ(0, button->clicks);
    EXPECT_EQ("0>2 2>0 ", button->changes);
    button->SetState(GuiButton::GuiButtonStateNormal);
    EXPECT_EQ("0>2 2>0 ", button->changes);
}

TEST(GuiButton, an_element_in_front_of_its_container_keeps_it_from_acting_through_every_container)
{
    // The button and a probe beside it, held by the GUI manager itself or by
    // a container in it; in front of them all, a probe that takes every
    // event, or none. Each container must tell what it holds that the event
    // is taken.
    enum Holder
    {
        Manager,
        Canvas,
        Panel,
        CanvasInPanel
    };
    const struct
    {
        const char* what;
        Holder holder;
    } holders[] = {
        {"the GUI manager", Manager},
        {"a canvas", Canvas},
        {"a decorated canvas", Panel},
        {"a canvas in a decorated canvas", CanvasInPanel},
    };
    for (const auto& h : holders)
        for (bool frontTakes : {true, false})
        {
            const std::string what = std::string(h.what) + (frontTakes ? ", taken in front" : ", nothing in front");
            std::vector<std::string> log;
            GuiManager gui;
            std::vector<std::string> heard;
            gui.SetGuiEventHandler([&](const GuiEvent& event) { heard.push_back(event.DebugOutput()); });
            ProbeButton* button = new ProbeButton;
            GuiProbe* beside = new GuiProbe(log, "beside");
            auto canvas = [] { return new GuiCanvas(sf::Vector2f(0.0f, 0.0f), 1024.0f, 600.0f, ""); };
            auto panel = [](GuiCanvas* inner) {
                return new GuiCanvasDecorated(sf::Vector2f(0.0f, 0.0f), 1024.0f, 600.0f, new sf::RectangleShape, inner,
                                              "");
            };
            switch (h.holder)
            {
            case Manager:
                gui.AddElements({button, beside});
                break;
            case Canvas:
            {
                GuiCanvas* holder = canvas();
                holder->AddElements({button, beside});
                gui.AddElement(holder);
                break;
            }
            case Panel:
            {
                GuiCanvasDecorated* holder = panel(canvas());
                holder->GetInnerCanvas()->AddElements({button, beside});
                gui.AddElement(holder);
                break;
            }
            case CanvasInPanel:
            {
                GuiCanvas* holder = canvas();
                holder->AddElements({button, beside});
                GuiCanvasDecorated* outer = panel(canvas());
                outer->GetInnerCanvas()->AddElement(holder);
                gui.AddElement(outer);
                break;
            }
            }
            gui.AddElement(new GuiProbe(log, "front", frontTakes));

            PointerAtPixel(OVER.x, OVER.y);
            for (const sf::Event& event : {MouseMoved(), Press(), Release()})
                gui.HandleEvent(event);
            if (frontTakes)
            {
                EXPECT_EQ(GuiButton::GuiButtonStateNormal, button->GetState()) << what;
                EXPECT_EQ(0, button->clicks) << what;
                EXPECT_EQ("front:0 beside:1 front:0 beside:1 front:0 beside:1", JoinLog(log)) << what;
                EXPECT_TRUE(heard.empty()) << what << ": " << heard.front();
            }
            else
            {
                // The same way, open, leads to the button's click.
                EXPECT_EQ(1, button->clicks) << what;
                EXPECT_EQ("front:0 beside:0 front:0 beside:0 front:0 beside:0", JoinLog(log)) << what;
            }
        }
}

TEST(GuiDrawableButton, shows_the_look_of_its_state_with_its_overlays)
{
    GuiManager gui;
    ProbeButton* button = new ProbeButton;
    gui.AddElement(button);
    std::shared_ptr<sf::Drawable> block = Block();
    button->AddOverlay(new GuiButtonOverlayDrawable(block, 80.0f, 20.0f, GuiButtonOverlay::HorizontalPositionCenter,
        GuiButtonOverlay::VerticalPositionMiddle, sf::Vector2f()));
    PointerAtPixel(AWAY.x, AWAY.y);
    sf::Image shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::Red, shot.getPixel(101, 101));
    EXPECT_EQ(sf::Color::Yellow, shot.getPixel(160, 115));
    EXPECT_EQ(sf::Color::White, shot.getPixel(300, 150));
    PointerAtPixel(OVER.x, OVER.y);
    gui.HandleEvent(MouseMoved());
    EXPECT_EQ(sf::Color::Green, Shot([&] { gui.Draw(); }).getPixel(101, 101));
    gui.HandleEvent(Press());
    EXPECT_EQ(sf::Color::Blue, Shot([&] { gui.Draw(); }).getPixel(101, 101));

    button->MoveRelativePosition(sf::Vector2f(5.0f, 0.0f));
    shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::White, shot.getPixel(104, 101));
    EXPECT_EQ(sf::Color::Blue, shot.getPixel(105, 101));
    EXPECT_EQ(sf::Vector2f(165.0f, 115.0f), PositionOf(block));
    // The looks of the other states moved along too.
    gui.HandleEvent(Release());
    shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::White, shot.getPixel(104, 101));
    EXPECT_EQ(sf::Color::Green, shot.getPixel(105, 101));
    PointerAtPixel(AWAY.x, AWAY.y);
    gui.HandleEvent(MouseMoved());
    shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::White, shot.getPixel(104, 101));
    EXPECT_EQ(sf::Color::Red, shot.getPixel(105, 101));
}

TEST(GuiDrawableButton, cuts_its_looks_from_an_image)
{
    Picture strip(90, 300);
    auto rectOf = [](const GuiDrawableButton& button, GuiButton::GuiButtonState state) {
        return dynamic_cast<const sf::Sprite&>(button.GetLook(state)).getTextureRect();
    };
    struct Case
    {
        int normal, over, pressed;
        sf::IntRect normalRect, overRect, pressedRect;
    };
    const Case cases[] = {
        { 0, 1, 2, { 0, 0, 90, 100 }, { 0, 100, 90, 100 }, { 0, 200, 90, 100 } },
        { 0, 0, 3, { 0, 0, 90, 75 }, { 0, 0, 90, 75 }, { 0, 225, 90, 75 } },
    };
    for (const Case& c : cases)
    {
        std::unique_ptr<GuiDrawableButton> button(GuiDrawableButton::Create(
            sf::Vector2f(10.0f, 20.0f), strip.texture, c.normal, c.over, c.pressed, "strip"));
        EXPECT_EQ(c.normalRect, rectOf(*button, GuiButton::GuiButtonStateNormal));
        EXPECT_EQ(c.overRect, rectOf(*button, GuiButton::GuiButtonStateMouseOver));
        EXPECT_EQ(c.pressedRect, rectOf(*button, GuiButton::GuiButtonStatePressed));
        EXPECT_EQ(90.0f, button->GetWidth());
        EXPECT_EQ(static_cast<float>(c.normalRect.height), button->GetHeight());
        EXPECT_EQ(sf::Vector2f(10.0f, 20.0f),
            dynamic_cast<const sf::Sprite&>(button->GetLook(GuiButton::GuiButtonStatePressed)).getPosition());
    }

    std::unique_ptr<GuiDrawableButton> regions(GuiDrawableButton::Create(sf::Vector2f(), strip.texture,
        sf::IntRect(0, 0, 40, 30), sf::IntRect(40, 0, 50, 60), sf::IntRect(0, 30, 10, 10), "regions"));
    EXPECT_EQ(sf::IntRect(40, 0, 50, 60), rectOf(*regions, GuiButton::GuiButtonStateMouseOver));
    EXPECT_EQ(40.0f, regions->GetWidth());
    EXPECT_EQ(30.0f, regions->GetHeight());

    EXPECT_EQ("GuiDrawableButton frame indices cannot be negative", RecordOf<ErrorMessage>([&] {
        delete GuiDrawableButton::Create(sf::Vector2f(), strip.texture, 0, -1, 2, "bad");
    }));
}

TEST(GuiDrawableButton, made_from_descriptions_shows_them_at_its_size)
{
    typedef ComposedStretchableDrawableConstructor Description;
    Picture red(45, 45, sf::Color::Red);
    Picture green(45, 45, sf::Color::Green);
    Picture blue(45, 45, sf::Color::Blue);
    std::unique_ptr<Description> normal(Description::Create3x1(red.texture, { 0, 0, 45, 45 }, 7, 7, false));
    std::unique_ptr<Description> over(Description::Create3x1(green.texture, { 0, 0, 45, 45 }, 7, 7, false));
    std::unique_ptr<Description> pressed(Description::Create3x1(blue.texture, { 0, 0, 45, 45 }, 7, 7, false));
    GuiManager gui;
    GuiDrawableButton* button
        = GuiDrawableButton::Create(sf::Vector2f(100.0f, 100.0f), 300, 45, *normal, *over, *pressed, "bar");
    gui.AddElement(button);
    EXPECT_EQ(300.0f, button->GetWidth());
    EXPECT_EQ(45.0f, button->GetHeight());
    for (GuiButton::GuiButtonState state :
        { GuiButton::GuiButtonStateNormal, GuiButton::GuiButtonStateMouseOver, GuiButton::GuiButtonStatePressed })
    {
        const auto& look = dynamic_cast<const ComposedStretchableDrawable&>(button->GetLook(state));
        EXPECT_EQ(300.0f, look.GetWidth()) << state;
        EXPECT_EQ(sf::Vector2f(100.0f, 100.0f), look.getPosition()) << state;
    }
    PointerAtPixel(AWAY.x, AWAY.y);
    const sf::Image shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::Red, shot.getPixel(100, 100));
    EXPECT_EQ(sf::Color::Red, shot.getPixel(399, 144));
    EXPECT_EQ(sf::Color::White, shot.getPixel(400, 144));
    PointerAtPixel(OVER.x, OVER.y);
    gui.HandleEvent(MouseMoved());
    EXPECT_EQ(sf::Color::Green, Shot([&] { gui.Draw(); }).getPixel(250, 120));
}

TEST(GuiButtonOverlay, lands_on_its_anchor_and_follows_the_button)
{
    GameWithWindow();
    using O = GuiButtonOverlay;
    struct Case
    {
        O::HorizontalPosition anchorH;
        O::VerticalPosition anchorV;
        O::HorizontalPosition contentH;
        O::VerticalPosition contentV;
        sf::Vector2f offset;
        sf::Vector2f corner;
    };
    const Case cases[] = {
        { O::HorizontalPositionCenter, O::VerticalPositionMiddle, O::HorizontalPositionCenter, O::VerticalPositionMiddle,
            { 0.0f, 0.0f }, { 160.0f, 115.0f } },
        { O::HorizontalPositionRight, O::VerticalPositionBottom, O::HorizontalPositionLeft, O::VerticalPositionTop,
            { -10.0f, -10.0f }, { 290.0f, 140.0f } },
        { O::HorizontalPositionLeft, O::VerticalPositionTop, O::HorizontalPositionRight, O::VerticalPositionBottom,
            { 3.0f, 4.0f }, { 23.0f, 84.0f } },
    };
    for (const Case& c : cases)
    {
        ProbeButton button;
        std::shared_ptr<sf::Drawable> block = Block();
        GuiButtonOverlayDrawable* overlay
            = new GuiButtonOverlayDrawable(block, 80.0f, 20.0f, c.anchorH, c.anchorV, c.contentH, c.contentV, c.offset);
        button.AddOverlay(overlay);
        EXPECT_EQ(c.corner, PositionOf(block)) << c.anchorH << c.anchorV << c.contentH << c.contentV;
        EXPECT_EQ(c.corner, overlay->GetPositionOfOverlayContent(80.0f, 20.0f));
        button.MoveRelativePosition(sf::Vector2f(5.0f, 0.0f));
        EXPECT_EQ(c.corner + sf::Vector2f(5.0f, 0.0f), PositionOf(block));
    }

    ProbeButton button;
    EXPECT_EQ("Null pointer in 'push_back()'", WhatOf<boost::bad_pointer>([&] { button.AddOverlay(nullptr); }));
    EXPECT_EQ("GuiButtonOverlayDrawable needs content that is an sf::Transformable", RecordOf<ErrorMessage>([] {
        struct Fixed : sf::Drawable
        {
            void draw(sf::RenderTarget&, sf::RenderStates) const override {}
        };
        GuiButtonOverlayDrawable(std::make_shared<Fixed>(), 1.0f, 1.0f, O::HorizontalPositionLeft,
            O::VerticalPositionTop, sf::Vector2f());
    }));
}

TEST(GuiButtonOverlay, tells_its_subclass_of_state_changes_only)
{
    struct Counting : GuiButtonOverlay
    {
        Counting()
            : GuiButtonOverlay(HorizontalPositionLeft, VerticalPositionTop, sf::Vector2f())
        {
        }
        void Draw() override {}
        void OnChangeState(GuiButton::GuiButtonState state) override { changes += std::to_string(state); }
        std::string changes;
    };
    GameWithWindow();
    Counting overlay;
    overlay.SetState(GuiButton::GuiButtonStateNormal);
    overlay.SetState(GuiButton::GuiButtonStatePressed);
    overlay.SetState(GuiButton::GuiButtonStatePressed);
    overlay.SetState(GuiButton::GuiButtonStateNormal);
    EXPECT_EQ("20", overlay.changes);
}

TEST(GuiButtonOverlayDrawable, centres_the_visible_caption_on_the_button)
{
    GameWithWindow();
    sf::Font font;
    ASSERT_TRUE(font.loadFromFile(FONT_FIXTURE));
    sf::Text* text = new sf::Text("Play", font, 30);
    ProbeButton button;
    button.AddOverlay(GuiButtonOverlayDrawable::Create(text, sf::Color::Black));
    EXPECT_EQ(sf::Color::Black, text->getFillColor());
    const sf::FloatRect glyphs = text->getGlobalBounds();
    EXPECT_FLOAT_EQ(200.0f, glyphs.left + glyphs.width / 2.0f);
    EXPECT_FLOAT_EQ(125.0f, glyphs.top + glyphs.height / 2.0f);

    std::unique_ptr<GuiButtonOverlayDrawable> made(
        GuiButtonOverlayDrawable::Create("Play", font, 30.9f, sf::Color::Black));
    ASSERT_NE(nullptr, made);
}
