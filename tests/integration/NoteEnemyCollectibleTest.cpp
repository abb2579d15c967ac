#include "GameWindow.h"

#include "entity/Collectible.h"
#include "entity/Enemy.h"
#include "entity/IScrolledView.h"
#include "entity/Note.h"
#include "entity/PlayerTargetHeight.h"
#include "utility/Random.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct FixedScroll : IScrolledView
{
    explicit FixedScroll(float shift_)
        : shift(shift_)
    {
    }
    float GetShiftX() const override
    {
        return shift;
    }
    float shift;
};
}

TEST(Note, fades_to_a_black_silhouette_within_a_second)
{
    GameWithWindow();
    Random::Seed(7);
    Picture picture(20, 30);
    Note note(picture.texture, sf::Vector2f(200.0f, 100.0f));
    EXPECT_EQ(sf::Vector2f(10.0f, 15.0f), note.GetSprite().getOrigin());
    SetFrameTime(0.25f);
    const sf::Uint8 alphas[] = { 191, 127, 63, 0 };
    for (int frame = 0; frame < 4; ++frame)
    {
        EXPECT_EQ(frame < 3, note.Process()) << frame;
        EXPECT_EQ(sf::Color(0, 0, 0, alphas[frame]), note.GetSprite().getColor()) << frame;
        EXPECT_FLOAT_EQ(200.0f - 20.0f * (frame + 1), note.GetPos().x) << frame;
    }
}

TEST(Note, life_running_out_mid_frame_ends_at_zero)
{
    GameWithWindow();
    Picture picture(20, 30);
    Note note(picture.texture, sf::Vector2f(200.0f, 100.0f));
    SetFrameTime(0.3f);
    EXPECT_TRUE(note.Process());
    EXPECT_TRUE(note.Process());
    EXPECT_TRUE(note.Process());
    EXPECT_FALSE(note.Process());
    EXPECT_EQ(0, note.GetSprite().getColor().a);
}

TEST(Note, starts_from_the_seeded_speed_and_is_pushed_back_past_forty)
{
    GameWithWindow();
    Picture picture(20, 30);
    SetFrameTime(0.25f);
    bool startedUp = false;
    bool startedDown = false;
    for (unsigned seed = 1; seed <= 12; ++seed)
    {
        Random::Seed(seed);
        const float start = Random::Float(10.0f, -10.0f);
        Random::Seed(seed);
        Note note(picture.texture, sf::Vector2f(200.0f, 100.0f));
        for (int frame = 0; frame < 4; ++frame)
            note.Process();
        // The push of 80 px/s^2 runs against the start speed: speeds of start +-20,
        // +-40, +-60 (past 40, so the push turns but the speed is kept) and +-40 again.
        const float pushed = start < 0.0f ? 40.0f : -40.0f;
        EXPECT_NEAR(100.0f + start + pushed, note.GetPos().y, 1e-3f) << seed << " " << start;
        (start < 0.0f ? startedUp : startedDown) = true;
    }
    EXPECT_TRUE(startedUp);
    EXPECT_TRUE(startedDown);
}

TEST(Note, wobbles_within_a_narrow_band)
{
    GameWithWindow();
    Picture picture(20, 30);
    for (unsigned seed = 1; seed <= 20; ++seed)
    {
        Random::Seed(seed);
        Note note(picture.texture, sf::Vector2f(200.0f, 100.0f));
        SetFrameTime(0.01f);
        float lowest = 100.0f;
        float highest = 100.0f;
        for (int frame = 0; frame < 100; ++frame)
        {
            note.Process();
            lowest = std::min(lowest, note.GetPos().y);
            highest = std::max(highest, note.GetPos().y);
        }
        // Starting below 10 px/s and turning past 40 px/s, it never strays 25 px.
        EXPECT_GT(lowest, 75.0f) << seed;
        EXPECT_LT(highest, 125.0f) << seed;
        EXPECT_GT(highest - lowest, 1.0f) << seed;
    }
}

TEST(Enemy, bobs_from_rest_downwards_while_flying_left)
{
    GameWithWindow();
    Picture picture(50, 40);
    FixedScroll scroll(0.0f);
    Enemy enemy(&scroll, picture.texture, picture.pixels, sf::Vector2f(500.0f, 100.0f));
    Collectible collectible(&scroll, picture.texture, sf::Vector2f(500.0f, 100.0f));
    // Vertical speeds 15, 30 -> 20 (the push turns), 5, -10 px/s.
    const float heights[] = { 103.75f, 108.75f, 110.0f, 107.5f };
    SetFrameTime(0.25f);
    for (int frame = 0; frame < 4; ++frame)
    {
        EXPECT_TRUE(enemy.Process());
        EXPECT_TRUE(collectible.Process());
        EXPECT_FLOAT_EQ(heights[frame], enemy.GetPos().y) << frame;
        EXPECT_FLOAT_EQ(heights[frame], collectible.GetPos().y) << frame;
        EXPECT_FLOAT_EQ(500.0f - 10.0f * (frame + 1), enemy.GetPos().x) << frame;
        EXPECT_EQ(500.0f, collectible.GetPos().x) << frame;
    }
    EXPECT_EQ(sf::Vector2f(0.0f, 0.0f), enemy.GetSprite().getOrigin());
}

TEST(Enemy, finished_twenty_pixels_past_the_scrolled_left_edge)
{
    struct Case
    {
        float shift;
        bool stays;
    };
    // x 100 + width 50 + 20 = 170.
    const Case cases[] = { { 170.0f, false }, { 169.0f, true }, { 171.0f, false }, { 0.0f, true } };
    GameWithWindow();
    Picture picture(50, 40);
    SetFrameTime(0.0f);
    for (const Case& c : cases)
    {
        FixedScroll scroll(c.shift);
        Enemy enemy(&scroll, picture.texture, picture.pixels, sf::Vector2f(100.0f, 100.0f));
        Collectible collectible(&scroll, picture.texture, sf::Vector2f(100.0f, 100.0f));
        EXPECT_EQ(c.stays, enemy.Process()) << c.shift;
        EXPECT_EQ(c.stays, collectible.Process()) << c.shift;
    }
}

TEST(Enemy, collides_only_where_both_are_more_than_half_opaque)
{
    struct Case
    {
        sf::Uint8 enemyAlpha;
        bool collides;
    };
    const Case cases[] = { { 0, false }, { 127, false }, { 128, true }, { 255, true } };
    GameWithWindow();
    Picture dragon(90, 60);
    PlayerTargetHeight player(dragon.texture, dragon.pixels, sf::Vector2f(300.0f, 300.0f), 150.0f);
    FixedScroll scroll(0.0f);
    for (const Case& c : cases)
    {
        Picture body(50, 40, sf::Color(200, 0, 0, c.enemyAlpha));
        Enemy enemy(&scroll, body.texture, body.pixels, sf::Vector2f(280.0f, 290.0f));
        EXPECT_EQ(c.collides, enemy.DoesCollideWithPlayer(&player)) << int(c.enemyAlpha);
    }
    Picture body(50, 40);
    Enemy away(&scroll, body.texture, body.pixels, sf::Vector2f(400.0f, 290.0f));
    EXPECT_FALSE(away.DoesCollideWithPlayer(&player));
}

TEST(Collectible, collides_where_the_boxes_overlap)
{
    GameWithWindow();
    Picture dragon(90, 60);
    PlayerTargetHeight player(dragon.texture, dragon.pixels, sf::Vector2f(300.0f, 300.0f), 150.0f);
    Picture coin(32, 32, sf::Color(255, 255, 255, 0));
    FixedScroll scroll(0.0f);
    Collectible near(&scroll, coin.texture, sf::Vector2f(320.0f, 300.0f));
    Collectible far(&scroll, coin.texture, sf::Vector2f(500.0f, 300.0f));
    // Boxes, not pixels: a fully transparent collectible is still taken.
    EXPECT_TRUE(near.DoesCollideWithPlayer(&player));
    EXPECT_FALSE(far.DoesCollideWithPlayer(&player));
}
