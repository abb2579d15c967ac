// A panel as the screens build them, drawn with the game's content: every text must
// stay inside its frame. The picture is also written to GuiLook.png in the working
// directory, for a look by eye.
#include "GameContentLoaded.h"
#include "GuiPointer.h"

#include "gui/ComposedStretchableDrawable.h"
#include "gui/GuiButtonOverlayDrawable.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiDrawable.h"
#include "gui/GuiDrawableButton.h"
#include "gui/GuiKeylessButton.h"
#include "gui/GuiKeylessOptionField.h"
#include "gui/GuiManager.h"
#include "manager/ContentManager.h"

#include <SFML/Graphics/Text.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
const char* const LONGEST_INFO = "Calibration finished.\n\nThe right gauge is the calibrated spectrum. Test\n"
                                 "it by making low and high sounds. You should be\nable to make the entire "
                                 "calibrated spectrum.";
const char* const TIGHTEST_LABEL = "Start calibration again";
const std::vector<std::string> STEERING = {"Directional Height", "Target Direction", "Target Height"};
const sf::Vector2f PANEL_AT(50.0f, 100.0f);

struct Box
{
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // right and bottom exclusive
    bool Empty() const { return right < 0; }
};

// The smallest box around the pixels in which two pictures differ.
Box Difference(const sf::Image& a, const sf::Image& b)
{
    Box box;
    for (unsigned y = 0; y < a.getSize().y; ++y)
    {
        for (unsigned x = 0; x < a.getSize().x; ++x)
        {
            if (a.getPixel(x, y) == b.getPixel(x, y))
                continue;
            box.left = std::min(box.left, static_cast<int>(x));
            box.top = std::min(box.top, static_cast<int>(y));
            box.right = std::max(box.right, static_cast<int>(x) + 1);
            box.bottom = std::max(box.bottom, static_cast<int>(y) + 1);
        }
    }
    return box;
}

std::string Describe(const Box& box)
{
    return "x " + std::to_string(box.left) + ".." + std::to_string(box.right) + ", y " + std::to_string(box.top) +
           ".." + std::to_string(box.bottom);
}

void ExpectWithin(const Box& room, const Box& ink, const std::string& what)
{
    ASSERT_FALSE(ink.Empty()) << what << " shows nothing";
    const bool inside =
        ink.left >= room.left && ink.top >= room.top && ink.right <= room.right && ink.bottom <= room.bottom;
    EXPECT_TRUE(inside) << what << " covers " << Describe(ink) << ", its room is " << Describe(room);
}

// What the panel holds; an empty text leaves that text out, so that the
// difference of two pictures is exactly where the text is drawn.
struct Texts
{
    std::string info = LONGEST_INFO;
    std::string label = TIGHTEST_LABEL;
    std::vector<std::string> options = STEERING;
    std::string overlay = "Options";
};

// The inner canvas's place on the screen and the widgets' places in it.
const sf::Vector2f OPTIONS_AT(0.0f, 160.0f), SLIDE_AT(0.0f, 320.0f), STATEFUL_AT(250.0f, 160.0f);
const unsigned STATEFUL_WIDTH = 140, STATEFUL_HEIGHT = 45;

sf::Image DrawPanel(const Texts& texts, sf::FloatRect& inner)
{
    ContentManager& content = GameManager::Instance()->GetContentManager();
    const ComposedStretchableDrawableConstructor& dragon = content.GetComposedStretchableDrawableConstructor("gui/canvas_dragon");
    const unsigned l = dragon.GetLeftBorder(), r = dragon.GetRightBorder(), t = dragon.GetTopBorder(),
                   b = dragon.GetBottomBorder();
    const unsigned width = dragon.GetPossibleWidth(l + r + 400), height = dragon.GetPossibleHeight(t + b + 380);

    GuiManager gui;
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(static_cast<float>(l), static_cast<float>(t) - 10.0f),
        static_cast<float>(width - l - r), static_cast<float>(height - t - b), "");
    gui.AddElement(new GuiCanvasDecorated(PANEL_AT, static_cast<float>(width), static_cast<float>(height),
        new ComposedStretchableDrawable(dragon, static_cast<float>(width), static_cast<float>(height), true), canvas,
        ""));
    inner = sf::FloatRect(canvas->GetAbsolutePosition(), sf::Vector2f(canvas->GetWidth(), canvas->GetHeight()));

    auto info = std::make_shared<sf::Text>(texts.info, content.GetFont("standard"), 24);
    info->setFillColor(sf::Color::Black);
    canvas->AddElement(new GuiDrawable(sf::Vector2f(10.0f, 10.0f), info, ""));
    canvas->AddElement(new GuiKeylessOptionField(OPTIONS_AT, 200, texts.options, "playertype"));
    canvas->AddElement(new GuiKeylessButton(SLIDE_AT, 200, texts.label, "back_to_start"));
    const ComposedStretchableDrawableConstructor& bar = content.GetComposedStretchableDrawableConstructor("gui/button1");
    GuiDrawableButton* stateful =
        GuiDrawableButton::Create(STATEFUL_AT, STATEFUL_WIDTH, STATEFUL_HEIGHT, bar, bar, bar, "options");
    if (!texts.overlay.empty())
        stateful->AddOverlay(
            GuiButtonOverlayDrawable::Create(texts.overlay, content.GetFont("standard"), 24.0f, sf::Color::Black));
    canvas->AddElement(stateful);
    gui.Process();

    GuiWindow().setView(GuiWindow().getDefaultView());
    return Shot([&] { gui.Draw(); });
}

Box BoxAt(const sf::FloatRect& inner, sf::Vector2f at, float width, float height)
{
    Box box;
    box.left = static_cast<int>(inner.left + at.x);
    box.top = static_cast<int>(inner.top + at.y);
    box.right = static_cast<int>(inner.left + at.x + width);
    box.bottom = static_cast<int>(inner.top + at.y + height);
    return box;
}
}

TEST(GuiLook, every_text_of_a_panel_sits_inside_its_frame)
{
    LoadGameContent();
    ContentManager& content = GameManager::Instance()->GetContentManager();
    const float cap = static_cast<float>(content.GetTexture("gui/button_drop_start").getSize().x);
    const sf::Vector2u knob = content.GetTexture("gui/button_drop_element").getSize();
    // The handle at its start covers the first pixels of the middle.
    const float clear = std::max(cap, static_cast<float>(static_cast<unsigned>(cap) / 2 - knob.x / 2 + knob.x));

    sf::FloatRect inner;
    const Texts all;
    const sf::Image panel = DrawPanel(all, inner);
    panel.saveToFile("GuiLook.png");

    Texts noInfo = all;
    noInfo.info.clear();
    ExpectWithin(BoxAt(inner, {0.0f, 0.0f}, inner.width, OPTIONS_AT.y), Difference(panel, DrawPanel(noInfo, inner)),
                 "info text");

    Texts noLabel = all;
    noLabel.label.clear();
    ExpectWithin(BoxAt(inner, {SLIDE_AT.x + clear, SLIDE_AT.y}, cap + 200.0f - clear, 45.0f),
                 Difference(panel, DrawPanel(noLabel, inner)), "slide button label");

    for (std::size_t i = 0; i < STEERING.size(); ++i)
    {
        Texts noOption = all;
        noOption.options[i].clear();
        const float row = OPTIONS_AT.y + 45.0f * static_cast<float>(i);
        // Only the first option's bar has the handle on its cap.
        const float left = i == 0 ? clear : cap;
        ExpectWithin(BoxAt(inner, {OPTIONS_AT.x + left, row}, cap + 200.0f - left, 45.0f),
                     Difference(panel, DrawPanel(noOption, inner)), "option " + STEERING[i]);
    }

    Texts noOverlay = all;
    noOverlay.overlay.clear();
    ExpectWithin(BoxAt(inner, STATEFUL_AT, static_cast<float>(STATEFUL_WIDTH), static_cast<float>(STATEFUL_HEIGHT)),
                 Difference(panel, DrawPanel(noOverlay, inner)), "overlay caption");
}
