#include "GameWindow.h"

#include "entity/CalibrationGauge.h"
#include "entity/PlayerTargetHeight.h"
#include "entity/SpriteEntity.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <gtest/gtest.h>

#include <functional>

namespace
{
// What the window shows after clearing it white and drawing.
sf::Image Shot(const std::function<void()>& draw)
{
    sf::RenderWindow& window = *GameWithWindow()->GetRenderWindow();
    window.setView(window.getDefaultView());
    window.clear(sf::Color::White);
    draw();
    sf::Texture capture;
    capture.create(window.getSize().x, window.getSize().y);
    capture.update(window);
    return capture.copyToImage();
}

struct Pixel
{
    unsigned x;
    unsigned y;
    sf::Color color;
};

void ExpectPixels(const sf::Image& shot, std::initializer_list<Pixel> pixels, const char* what)
{
    for (const Pixel& p : pixels)
        EXPECT_EQ(p.color, shot.getPixel(p.x, p.y)) << what << " at " << p.x << ", " << p.y;
}
}

TEST(SpriteEntity, built_from_an_image_stands_exactly_there_until_placed)
{
    Picture picture(4, 6, sf::Color::Red);
    SpriteEntity entity(picture.texture, sf::Vector2f(3.5f, 4.5f), sf::Vector2f(2.0f, 3.0f), 30.0f,
        sf::Color(10, 20, 30, 40));
    const sf::Sprite& sprite = entity.GetSprite();
    EXPECT_EQ(sf::Vector2f(3.5f, 4.5f), sprite.getPosition());
    EXPECT_EQ(sf::Vector2f(2.0f, 3.0f), sprite.getScale());
    EXPECT_EQ(30.0f, sprite.getRotation());
    EXPECT_EQ(sf::Color(10, 20, 30, 40), sprite.getColor());
    EXPECT_EQ(4.0f, entity.GetWidth());
    EXPECT_EQ(6.0f, entity.GetHeight());

    entity.Move(sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(sf::Vector2f(3.0f, 4.0f), sprite.getPosition());
    EXPECT_EQ(sf::Vector2f(3.5f, 4.5f), entity.GetPos());
}

TEST(SpriteEntity, new_image_keeps_the_shown_part)
{
    Picture picture(8, 8);
    Picture other(16, 16);
    SpriteEntity entity(picture.texture, sf::Vector2f(0.0f, 0.0f), sf::Vector2f(1.0f, 1.0f), 0.0f,
        sf::Color::White);
    entity.GetSprite().setTextureRect(sf::IntRect(2, 2, 4, 4));
    entity.SetImage(other.texture);
    EXPECT_EQ(&other.texture, entity.GetSprite().getTexture());
    EXPECT_EQ(sf::IntRect(2, 2, 4, 4), entity.GetSprite().getTextureRect());
}

TEST(SpriteEntity, draws_at_whole_pixels_on_the_game_window)
{
    Picture picture(4, 4, sf::Color::Red);
    SpriteEntity entity(picture.texture, sf::Vector2f(0.0f, 0.0f), sf::Vector2f(1.0f, 1.0f), 0.0f,
        sf::Color::White);
    entity.SetPos(sf::Vector2f(10.7f, 20.9f));
    const sf::Image shot = Shot([&] { entity.Draw(); });
    ExpectPixels(shot,
        { { 10, 20, sf::Color::Red }, { 13, 23, sf::Color::Red }, { 9, 20, sf::Color::White },
            { 14, 20, sf::Color::White }, { 10, 24, sf::Color::White } },
        "sprite");
}

TEST(CalibrationGauge, draws_a_filled_rectangle_outlined_in_black)
{
    CalibrationGauge gauge(sf::Vector2f(100.0f, 50.0f), 30.0f, 200.0f, 0.0f, 1.0f, sf::Color::Green);
    const sf::Image before = Shot([&] { gauge.Draw(); });
    ExpectPixels(before,
        { { 100, 50, sf::Color::Green }, { 129, 249, sf::Color::Green }, { 99, 150, sf::Color::Black },
            { 130, 150, sf::Color::Black }, { 115, 49, sf::Color::Black }, { 115, 250, sf::Color::Black },
            { 98, 150, sf::Color::White }, { 131, 150, sf::Color::White } },
        "gauge");

    // A new range changes the scale only; a new place moves the drawing.
    gauge.SetRange(5.0f, 500.0f);
    gauge.SetPos(sf::Vector2f(300.0f, 50.0f));
    const sf::Image after = Shot([&] { gauge.Draw(); });
    ExpectPixels(after,
        { { 100, 50, sf::Color::White }, { 300, 50, sf::Color::Green }, { 329, 249, sf::Color::Green },
            { 330, 150, sf::Color::Black }, { 331, 150, sf::Color::White } },
        "moved gauge");
}

TEST(Player, draws_the_dragon_and_the_help_line_apart)
{
    Picture picture(20, 10, sf::Color::Red);
    PlayerTargetHeight player(picture.texture, picture.pixels, sf::Vector2f(100.0f, 300.0f), 150.0f);
    player.SetTargetValue(0.0f);
    // Black at alpha 150 over white.
    const sf::Color line(105, 105, 105);
    const sf::Image dragon = Shot([&] { player.Draw(); });
    ExpectPixels(dragon, { { 90, 295, sf::Color::Red }, { 150, 580, sf::Color::White } }, "dragon");
    const sf::Image help = Shot([&] { player.DrawHelpLine(); });
    ExpectPixels(help,
        { { 90, 295, sf::Color::White }, { 100, 579, line }, { 299, 580, line }, { 150, 577, sf::Color::White },
            { 300, 580, sf::Color::White } },
        "help line");
}
