#include "GuiPointer.h"

#include "entity/IEntity.h"
#include "gui/GuiCanvas.h"
#include "gui/GuiDrawEntity.h"
#include "gui/GuiDrawable.h"
#include "gui/GuiManager.h"
#include "support/GuiProbe.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
sf::View ScrolledView()
{
    sf::View view = GuiWindow().getDefaultView();
    view.move(250.0f, 40.0f);
    return view;
}

// Writes down where it sees the pointer in the view current during its events,
// and draws a 6x6 blue square at its local (0, 0).
class PointerEntity : public IEntity
{
public:
    explicit PointerEntity(std::vector<std::string>& log)
        : m_log(log)
    {
    }
    void HandleEvent(const sf::Event&) override
    {
        const sf::Vector2f pointer = GameManager::Instance()->GetMousePosInView();
        m_log.push_back(std::to_string(static_cast<int>(pointer.x)) + "|" + std::to_string(static_cast<int>(pointer.y)));
    }
    bool Process() override
    {
        m_log.push_back("processed");
        return true;
    }
    void Draw() override
    {
        sf::RectangleShape square(sf::Vector2f(6.0f, 6.0f));
        square.setFillColor(sf::Color::Blue);
        GameManager::Instance()->GetRenderWindow()->draw(square);
    }

private:
    std::vector<std::string>& m_log;
};

std::shared_ptr<sf::Drawable> RedSquare()
{
    auto square = std::make_shared<sf::RectangleShape>(sf::Vector2f(6.0f, 6.0f));
    square->setFillColor(sf::Color::Red);
    return square;
}
}

TEST(GuiDrawable, draws_through_its_own_view_whatever_view_is_current)
{
    GameWithWindow(); // the wrappers copy the window's default view
    GuiManager gui;
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(300.0f, 100.0f), 200.0f, 100.0f, "panel");
    gui.AddElement(canvas);
    canvas->AddElement(new GuiDrawable(sf::Vector2f(10.0f, 0.0f), RedSquare(), "square"));
    GuiWindow().setView(ScrolledView());
    const sf::Image shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::Red, shot.getPixel(310, 100));
    EXPECT_EQ(sf::Color::Red, shot.getPixel(315, 105));
    EXPECT_EQ(sf::Color::White, shot.getPixel(309, 100));
    EXPECT_EQ(sf::Color::White, shot.getPixel(316, 106));
    EXPECT_EQ(ScrolledView().getCenter(), GuiWindow().getView().getCenter());

    canvas->MoveRelativePosition(sf::Vector2f(-100.0f, 50.0f));
    const sf::Image moved = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::Red, moved.getPixel(210, 150));
    EXPECT_EQ(sf::Color::White, moved.getPixel(310, 100));
}

TEST(GuiDrawable, without_a_target_draws_nothing_and_never_deletes_a_lent_one)
{
    GameWithWindow();
    sf::RectangleShape lent(sf::Vector2f(6.0f, 6.0f));
    lent.setFillColor(sf::Color::Green);
    {
        GuiDrawable wrapper(sf::Vector2f(20.0f, 20.0f), static_cast<sf::Drawable*>(nullptr), "empty");
        GuiWindow().setView(GuiWindow().getDefaultView());
        EXPECT_EQ(sf::Color::White, Shot([&] { wrapper.Draw(); }).getPixel(20, 20));
        wrapper.SetTarget(RedSquare());
        EXPECT_EQ(sf::Color::Red, Shot([&] { wrapper.Draw(); }).getPixel(20, 20));
        wrapper.SetTarget(&lent);
        EXPECT_EQ(sf::Color::Green, Shot([&] { wrapper.Draw(); }).getPixel(20, 20));
        EXPECT_FALSE(wrapper.HandleEvent(MouseMoved(), false));
    }
    EXPECT_EQ(sf::Color::Green, lent.getFillColor());
}

TEST(GuiDrawEntity, hands_the_entity_events_in_its_own_coordinates_and_consumes_none)
{
    GameWithWindow();
    std::vector<std::string> log;
    std::vector<std::string> seen;
    GuiManager gui;
    gui.AddElement(new GuiProbe(log, "behind"));
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(300.0f, 100.0f), 0.0f, 0.0f, "panel");
    gui.AddElement(canvas);
    GuiDrawEntity* wrapper = new GuiDrawEntity(sf::Vector2f(10.0f, 0.0f), std::make_shared<PointerEntity>(seen), "gauge");
    canvas->AddElement(wrapper);

    PointerAtPixel(320, 130, ScrolledView());
    gui.HandleEvent(KeyPressed());
    gui.HandleEvent(MouseMoved());
    EXPECT_EQ(std::vector<std::string>({ "10|30", "10|30" }), seen);
    EXPECT_EQ("behind:0 behind:0", JoinLog(log));
    EXPECT_EQ(ScrolledView().getCenter(), GuiWindow().getView().getCenter());

    const sf::Image shot = Shot([&] { gui.Draw(); });
    EXPECT_EQ(sf::Color::Blue, shot.getPixel(310, 100));
    EXPECT_EQ(sf::Color::White, shot.getPixel(309, 100));

    gui.Process();
    seen.clear();
    wrapper->SetVisible(false);
    gui.HandleEvent(MouseMoved());
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(sf::Color::White, Shot([&] { gui.Draw(); }).getPixel(310, 100));
}
