#include "GameWindow.h"

#include "entity/Player.h"
#include "manager/GamePreferences.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// The least steering there is: it only remembers what it is told.
class PlainPlayer : public Player
{
public:
    explicit PlainPlayer(const Picture& picture)
        : Player(picture.texture, picture.pixels, sf::Vector2f(65.0f, 300.0f), NORMAL_START_SPEED)
    {
    }
    void SetTargetValue(float value) override
    {
        m_targetValue = value;
        ++resets;
    }
    int resets = 0;
};
}

TEST(Player, starts_centred_at_its_position_with_level_steering)
{
    GameWithWindow();
    Picture picture(91, 61);
    PlainPlayer player(picture);
    EXPECT_EQ(sf::Vector2f(45.0f, 30.0f), player.GetSprite().getOrigin());
    EXPECT_EQ(sf::Vector2f(65.0f, 300.0f), player.GetPos());
    EXPECT_EQ(0.5f, player.GetTargetValue());
    EXPECT_EQ(150.0f, player.GetSpeed());
    EXPECT_EQ(sf::Color::White, player.GetSprite().getColor());
}

TEST(Player, edges_of_the_view_hold_the_dragon_and_reset_steering_pushing_outwards)
{
    struct Case
    {
        float y;
        float targetValue;
        float placedY;
        bool reset;
    };
    const Case cases[] = {
        { -3.0f, 0.8f, 0.0f, true },
        { -3.0f, 0.5f, 0.0f, false },
        { -3.0f, 0.2f, 0.0f, false },
        { 612.0f, 0.1f, 600.0f, true },
        { 612.0f, 0.5f, 600.0f, false },
        { 612.0f, 0.9f, 600.0f, false },
        { 0.0f, 0.8f, 0.0f, false },
        { 600.0f, 0.1f, 600.0f, false },
        { 250.5f, 0.9f, 250.5f, false },
    };
    GameManager* game = GameWithWindow();
    // Storing the reader saves the preferences file.
    ScratchFolder folder(true);
    // Silent analyzer: without an override the reader maps its last frequency, 0 Hz, to 0.
    auto reader = std::make_shared<SoundMicrophoneAnalyzerCalibratedReaderPitch>(game->GetSoundMicrophoneAnalyzer());
    reader->SetCalibrationLower(100.0f);
    reader->SetCalibrationUpper(300.0f);
    game->GetPreferences().SetSoundMicrophoneAnalyzerCalibratedReader(reader);
    Picture picture(90, 60);
    for (const Case& c : cases)
    {
        reader->SetCalibratedValue(-1.0f);
        PlainPlayer player(picture);
        player.SetTargetValue(c.targetValue);
        player.resets = 0;
        player.Move(sf::Vector2f(-80.0f, c.y - 300.0f));
        EXPECT_EQ(sf::Vector2f(-15.0f, c.placedY), player.GetPos()) << c.y << " " << c.targetValue;
        EXPECT_EQ(c.reset ? 1 : 0, player.resets) << c.y << " " << c.targetValue;
        EXPECT_EQ(c.reset ? 0.5f : c.targetValue, player.GetTargetValue()) << c.y << " " << c.targetValue;
        EXPECT_EQ(c.reset ? 0.5f : 0.0f, reader->GetCalibratedValue()) << c.y << " " << c.targetValue;
    }
    game->GetPreferences().SetSoundMicrophoneAnalyzerCalibratedReader(nullptr);
}

TEST(Player, edge_reset_without_a_calibration_resets_the_steering_alone)
{
    GameManager* game = GameWithWindow();
    ASSERT_FALSE(game->GetPreferences().HasSoundMicrophoneAnalyzerCalibratedReader());
    Picture picture(90, 60);
    PlainPlayer player(picture);
    player.SetTargetValue(0.9f);
    player.SetPos(sf::Vector2f(65.0f, -1.0f));
    EXPECT_EQ(0.5f, player.GetTargetValue());
}

TEST(Player, speed_changes_without_limit)
{
    GameWithWindow();
    Picture picture(90, 60);
    PlainPlayer player(picture);
    player.AddSpeed(-200.0f);
    EXPECT_EQ(-50.0f, player.GetSpeed());
    player.SetSpeed(151.0f);
    player.AddSpeed(1.0f * 0.5f);
    EXPECT_EQ(151.5f, player.GetSpeed());
}
