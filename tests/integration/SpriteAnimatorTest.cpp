#include "manager/GameManager.h"
#include "utility/SpriteAnimator.h"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int FRAME_WIDTH = 16;
constexpr int FRAME_HEIGHT = 8;
constexpr float FRAME_TIME = 0.5f;

// A sheet of 2 x 2 frames; textures need the headless display.
class SpriteAnimatorSheet : public testing::Test
{
protected:
    void SetUp() override
    {
        GameManager::ResetForTesting();
        ASSERT_TRUE(sheet.create(2 * FRAME_WIDTH, 2 * FRAME_HEIGHT));
        sprite.setTexture(sheet);
        sprite.setTextureRect(sf::IntRect(0, 0, FRAME_WIDTH, FRAME_HEIGHT));
    }
    void TearDown() override { GameManager::ResetForTesting(); }

    // The next game frame, which lasted the given time.
    static void NextGameFrame(float elapsed = FRAME_TIME) { GameManager::Instance()->FinishFrame(elapsed); }

    sf::IntRect Frame(int column, int row) const
    {
        return sf::IntRect(column * FRAME_WIDTH, row * FRAME_HEIGHT, FRAME_WIDTH, FRAME_HEIGHT);
    }

    sf::Texture sheet;
    sf::Sprite sprite;
};
}

TEST_F(SpriteAnimatorSheet, loop_walks_the_sheet_row_by_row_and_starts_again)
{
    SpriteAnimator animator(&sprite, FRAME_WIDTH, FRAME_HEIGHT, 4, FRAME_TIME, true);
    std::vector<sf::IntRect> shown;
    for (int i = 0; i < 5; ++i)
    {
        NextGameFrame();
        EXPECT_TRUE(animator.Update());
        shown.push_back(sprite.getTextureRect());
    }
    EXPECT_EQ(shown, (std::vector<sf::IntRect>{Frame(1, 0), Frame(0, 1), Frame(1, 1), Frame(0, 0), Frame(1, 0)}));
}

TEST_F(SpriteAnimatorSheet, advances_at_most_once_per_game_frame)
{
    SpriteAnimator animator(&sprite, FRAME_WIDTH, FRAME_HEIGHT, 4, FRAME_TIME, true);
    NextGameFrame(3 * FRAME_TIME);
    EXPECT_TRUE(animator.Update());
    EXPECT_TRUE(animator.Update());
    EXPECT_EQ(sprite.getTextureRect(), Frame(1, 0));
    // The time left behind is caught up over the following game frames, one frame each.
    NextGameFrame(0.0001f);
    animator.Update();
    EXPECT_EQ(sprite.getTextureRect(), Frame(0, 1));
    NextGameFrame(0.0001f);
    animator.Update();
    EXPECT_EQ(sprite.getTextureRect(), Frame(1, 1));
    NextGameFrame(0.0001f);
    animator.Update();
    EXPECT_EQ(sprite.getTextureRect(), Frame(1, 1));
}

TEST_F(SpriteAnimatorSheet, single_run_stops_on_its_last_frame)
{
    SpriteAnimator animator(&sprite, FRAME_WIDTH, FRAME_HEIGHT, 3, FRAME_TIME, false);
    std::vector<bool> results;
    for (int i = 0; i < 4; ++i)
    {
        NextGameFrame();
        results.push_back(animator.Update());
    }
    EXPECT_EQ(results, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(sprite.getTextureRect(), Frame(0, 1));
}

TEST_F(SpriteAnimatorSheet, clone_starts_the_same_animation_on_another_sprite)
{
    SpriteAnimator animator(&sprite, FRAME_WIDTH, FRAME_HEIGHT, 4, FRAME_TIME, true);
    NextGameFrame();
    animator.Update();
    sf::Sprite other(sheet);
    std::unique_ptr<SpriteAnimator> clone = animator.Clone(&other);
    NextGameFrame();
    clone->Update();
    EXPECT_EQ(other.getTextureRect(), Frame(1, 0));
}

TEST(SpriteAnimator, without_a_sprite_does_nothing)
{
    GameManager::ResetForTesting();
    SpriteAnimator animator(nullptr, FRAME_WIDTH, FRAME_HEIGHT, 2, FRAME_TIME, true);
    GameManager::Instance()->FinishFrame(FRAME_TIME);
    EXPECT_FALSE(animator.Update());
    GameManager::ResetForTesting();
}

TEST(SpriteAnimator, next_frame_moves_only_the_index)
{
    SpriteAnimator looping(nullptr, FRAME_WIDTH, FRAME_HEIGHT, 2, FRAME_TIME, true);
    EXPECT_TRUE(looping.NextFrame());
    EXPECT_TRUE(looping.NextFrame());
    SpriteAnimator once(nullptr, FRAME_WIDTH, FRAME_HEIGHT, 2, FRAME_TIME, false);
    EXPECT_TRUE(once.NextFrame());
    EXPECT_FALSE(once.NextFrame());
    EXPECT_FALSE(once.NextFrame());
}
