#include "entity/SpriteEntity.h"
#include "utility/ExceptionBase.h"

#include <boost/exception/get_error_info.hpp>
#include <gtest/gtest.h>

#include <string>

namespace
{
// A sprite without a texture has a size all the same: its sub-rectangle.
sf::Sprite* BlankSprite(int width, int height)
{
    auto* sprite = new sf::Sprite;
    sprite->setTextureRect(sf::IntRect(0, 0, width, height));
    return sprite;
}

// Counts the calls that Move makes through the virtual operations.
class CountingEntity : public SpriteEntity
{
public:
    CountingEntity()
        : SpriteEntity(BlankSprite(8, 8))
    {
    }
    void SetPos(const sf::Vector2<float>& pos) override
    {
        ++setCalls;
        SpriteEntity::SetPos(pos);
    }
    int setCalls = 0;
};
}

TEST(SpriteEntity, keeps_fractions_and_shows_the_sprite_truncated_toward_zero)
{
    struct Case
    {
        sf::Vector2f pos;
        sf::Vector2f shown;
    };
    const Case cases[] = {
        { { 10.7f, -3.2f }, { 10.0f, -3.0f } },
        { { -0.5f, 0.5f }, { 0.0f, 0.0f } },
        { { -7.9f, 599.99f }, { -7.0f, 599.0f } },
    };
    for (const Case& c : cases)
    {
        SpriteEntity entity(BlankSprite(4, 4));
        entity.SetPos(c.pos);
        EXPECT_EQ(c.pos, entity.GetPos());
        EXPECT_EQ(c.shown, entity.GetSprite().getPosition());
    }
}

TEST(SpriteEntity, small_moves_add_up_in_the_kept_position)
{
    CountingEntity entity;
    for (int i = 0; i < 5; ++i)
        entity.Move(sf::Vector2f(0.4f, 0.0f));
    EXPECT_FLOAT_EQ(2.0f, entity.GetPos().x);
    EXPECT_EQ(2.0f, entity.GetSprite().getPosition().x);
    EXPECT_EQ(5, entity.setCalls);
}

TEST(SpriteEntity, takes_the_position_of_a_given_sprite_without_moving_it)
{
    sf::Sprite* sprite = BlankSprite(4, 4);
    sprite->setPosition(3.5f, 4.5f);
    SpriteEntity entity(sprite);
    EXPECT_EQ(sf::Vector2f(3.5f, 4.5f), entity.GetPos());
    EXPECT_EQ(sf::Vector2f(3.5f, 4.5f), entity.GetSprite().getPosition());
}

TEST(SpriteEntity, contains_tests_the_drawn_box_from_the_position_not_the_origin)
{
    sf::Sprite* sprite = BlankSprite(10, 20);
    sprite->setOrigin(5.0f, 10.0f);
    sprite->setScale(2.0f, 1.0f);
    SpriteEntity entity(sprite);
    entity.SetPos(sf::Vector2f(100.0f, 50.0f));

    EXPECT_TRUE(entity.Contains(sf::Vector2f(100.0f, 50.0f)));
    EXPECT_TRUE(entity.Contains(sf::Vector2f(119.9f, 69.9f)));
    EXPECT_FALSE(entity.Contains(sf::Vector2f(120.0f, 60.0f)));
    EXPECT_FALSE(entity.Contains(sf::Vector2f(110.0f, 70.0f)));
    EXPECT_FALSE(entity.Contains(sf::Vector2f(99.0f, 55.0f)));

    EXPECT_EQ(10.0f, entity.GetWidth());
    EXPECT_EQ(20.0f, entity.GetHeight());
    EXPECT_EQ(sf::Vector2f(95.0f, 40.0f), entity.GetUpperLeftPos());
}

TEST(SpriteEntity, never_finishes_and_ignores_events)
{
    SpriteEntity entity(BlankSprite(4, 4));
    entity.SetPos(sf::Vector2f(1.5f, 2.5f));
    sf::Event event{};
    event.type = sf::Event::MouseMoved;
    entity.HandleEvent(event);
    EXPECT_TRUE(entity.Process());
    EXPECT_TRUE(entity.Process());
    EXPECT_EQ(sf::Vector2f(1.5f, 2.5f), entity.GetPos());
}

TEST(SpriteEntity, refuses_to_own_no_sprite)
{
    try
    {
        SpriteEntity entity(nullptr);
        FAIL() << "no throw";
    }
    catch (ExceptionBase const& e)
    {
        std::string const* message = boost::get_error_info<ErrorMessage>(e);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ("SpriteEntity without a sprite", *message);
    }
}
