#include "manager/GameManager.h"
#include "support/RecordingMode.h"
#include "support/ThrownRecord.h"
#include "utility/ExceptionBase.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Mouse.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A small window of the game manager's own; needs the headless display.
class GameManagerWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        GameManager::ResetForTesting();
        manager = GameManager::Instance();
        manager->CreateRenderWindow(sf::VideoMode(200, 100), "views", sf::Style::Close, sf::ContextSettings());
        window = manager->GetRenderWindow();
        ASSERT_TRUE(window->isOpen());
    }
    void TearDown() override { GameManager::ResetForTesting(); }

    GameManager* manager = nullptr;
    sf::RenderWindow* window = nullptr;
    // Outlives the modes, which the tear-down deletes.
    std::vector<std::string> log;
};
}

TEST_F(GameManagerWindow, revert_view_restores_centre_and_size_only)
{
    sf::View turned(sf::Vector2f(10.0f, 20.0f), sf::Vector2f(40.0f, 30.0f));
    turned.setRotation(30.0f);
    turned.setViewport(sf::FloatRect(0.0f, 0.0f, 0.5f, 0.5f));
    window->setView(turned);

    manager->SetViewAndSaveOld(sf::View(sf::Vector2f(500.0f, 500.0f), sf::Vector2f(100.0f, 50.0f)));
    manager->SetViewAndSaveOld(sf::View(sf::Vector2f(1.0f, 2.0f), sf::Vector2f(3.0f, 4.0f)));
    EXPECT_EQ(manager->GetCurrentViewWidth(), 3.0f);
    EXPECT_EQ(manager->GetCurrentViewHeight(), 4.0f);

    manager->RevertView();
    EXPECT_EQ(manager->GetCurrentView().getCenter(), sf::Vector2f(500.0f, 500.0f));
    manager->RevertView();
    sf::View const& restored = manager->GetCurrentView();
    EXPECT_EQ(restored.getCenter(), sf::Vector2f(10.0f, 20.0f));
    EXPECT_EQ(restored.getSize(), sf::Vector2f(40.0f, 30.0f));
    EXPECT_EQ(restored.getRotation(), 0.0f);
    EXPECT_EQ(restored.getViewport(), sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f));
}

TEST_F(GameManagerWindow, mouse_position_is_given_in_the_current_view)
{
    sf::Mouse::setPosition(sf::Vector2i(50, 25), *window);
    ASSERT_EQ(sf::Mouse::getPosition(*window), sf::Vector2i(50, 25));
    EXPECT_EQ(manager->GetMousePosInView(), sf::Vector2f(50.0f, 25.0f));

    // A view twice the window's size, scrolled 1000 pixels to the right.
    window->setView(sf::View(sf::Vector2f(1200.0f, 100.0f), sf::Vector2f(400.0f, 200.0f)));
    EXPECT_EQ(manager->GetMousePosInView(), sf::Vector2f(1100.0f, 50.0f));
}

TEST_F(GameManagerWindow, revert_without_a_saved_view_throws_and_keeps_the_view)
{
    window->setView(sf::View(sf::Vector2f(7.0f, 8.0f), sf::Vector2f(20.0f, 10.0f)));
    EXPECT_EQ(RecordOf<ErrorMessage>([&] { manager->RevertView(); }), "No saved view to revert to");
    EXPECT_EQ(manager->GetCurrentView().getCenter(), sf::Vector2f(7.0f, 8.0f));
}

TEST_F(GameManagerWindow, mode_that_closes_the_window_ends_the_loop_after_its_frame)
{
    RecordingMode* mode = new RecordingMode("A", log);
    mode->onProcess = [this] { window->close(); };
    manager->SetNextGameMode(mode);

    manager->StartLoop();

    // The frame in which the window closed is still drawn, timed and counted.
    EXPECT_EQ(log, (std::vector<std::string>{"A init", "A process", "A draw"}));
    EXPECT_EQ(manager->GetCurrentFrameNo(), 1u);
    EXPECT_FALSE(window->isOpen());
}
