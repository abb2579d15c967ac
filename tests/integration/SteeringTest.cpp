#include "GameWindow.h"

#include "entity/PlayerDirectionHeight.h"
#include "entity/PlayerTargetDirection.h"
#include "entity/PlayerTargetHeight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

namespace
{
const sf::Vector2f START(65.0f, 300.0f);

// Shows the help line that the variants keep to themselves.
template <typename Variant>
class Probe : public Variant
{
public:
    Probe(const Picture& picture, float speed)
        : Variant(picture.texture, picture.pixels, START, speed)
    {
    }
    const sf::ConvexShape& HelpLine() const
    {
        return this->m_helpLine;
    }
};

const Picture& Dragon()
{
    static Picture picture(90, 60);
    return picture;
}

enum Variant
{
    TargetHeight,
    TargetDirection,
    DirectionHeight
};

std::unique_ptr<Player> Make(Variant variant, float speed)
{
    switch (variant)
    {
    case TargetHeight:
        return std::make_unique<PlayerTargetHeight>(Dragon().texture, Dragon().pixels, START, speed);
    case TargetDirection:
        return std::make_unique<PlayerTargetDirection>(Dragon().texture, Dragon().pixels, START, speed);
    case DirectionHeight:
        break;
    }
    return std::make_unique<PlayerDirectionHeight>(Dragon().texture, Dragon().pixels, START, speed);
}

void Fly(Player& player, float frameTime, int frames)
{
    SetFrameTime(frameTime);
    for (int i = 0; i < frames; ++i)
        EXPECT_TRUE(player.Process());
}

float AngleOf(Player& player, Variant variant)
{
    if (variant == TargetDirection)
        return static_cast<PlayerTargetDirection&>(player).GetAngle();
    if (variant == DirectionHeight)
        return static_cast<PlayerDirectionHeight&>(player).GetAngle();
    return 0.0f;
}
}

TEST(Steering, flight_from_target_value_speed_and_frame_time)
{
    struct Case
    {
        const char* what;
        Variant variant;
        float value;
        float speed;
        float frameTime;
        int frames;
        sf::Vector2f pos;
    };
    const Case cases[] = {
        { "level at mid height", TargetHeight, 0.5f, 150.0f, 0.02f, 10, { 95.0f, 300.0f } },
        { "high voice climbs to 20", TargetHeight, 1.0f, 150.0f, 0.02f, 100, { 365.0f, 20.0f } },
        { "low voice sinks to 580", TargetHeight, 0.0f, 150.0f, 0.02f, 100, { 365.0f, 580.0f } },
        { "climb rate follows the speed", TargetHeight, 1.0f, 300.0f, 0.02f, 10, { 125.0f, 240.0f } },
        { "no time, no height change", TargetHeight, 1.0f, 150.0f, 0.0f, 5, START },
        { "heading level", TargetDirection, 0.5f, 150.0f, 0.25f, 4, { 215.0f, 300.0f } },
        { "no time, no heading change", TargetDirection, 1.0f, 150.0f, 0.0f, 5, START },
        { "climb angle level", DirectionHeight, 0.5f, 150.0f, 0.25f, 4, { 215.0f, 300.0f } },
        { "no time, no climb angle change", DirectionHeight, 0.0f, 150.0f, 0.0f, 5, START },
    };
    GameWithWindow();
    for (const Case& c : cases)
    {
        std::unique_ptr<Player> player = Make(c.variant, c.speed);
        player->SetTargetValue(c.value);
        Fly(*player, c.frameTime, c.frames);
        EXPECT_NEAR(c.pos.x, player->GetPos().x, 1e-3) << c.what;
        EXPECT_NEAR(c.pos.y, player->GetPos().y, 1e-3) << c.what;
        if (c.frameTime == 0.0f)
        {
            EXPECT_EQ(0.0f, AngleOf(*player, c.variant)) << c.what;
        }
    }
}

TEST(Steering, turn_to_a_high_voice_takes_frames_tied_to_speed)
{
    struct Case
    {
        Variant variant;
        float speed;
        float maxAngle;
        int frames; // the last one snaps onto the target
    };
    const Case cases[] = {
        { TargetDirection, 150.0f, PlayerTargetDirection::MAX_ANGLE, 14 },
        { TargetDirection, 300.0f, PlayerTargetDirection::MAX_ANGLE, 7 },
        { DirectionHeight, 150.0f, PlayerDirectionHeight::MAX_ANGLE, 21 },
    };
    GameWithWindow();
    for (const Case& c : cases)
    {
        std::unique_ptr<Player> player = Make(c.variant, c.speed);
        player->SetTargetValue(1.0f);
        const float turn = c.speed * (c.variant == TargetDirection
                                             ? PlayerTargetDirection::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR
                                             : PlayerDirectionHeight::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR)
            / 60.0f;
        for (int frame = 1; frame < c.frames; ++frame)
        {
            Fly(*player, 1.0f / 60.0f, 1);
            EXPECT_NEAR(-turn * frame, AngleOf(*player, c.variant), 1e-5) << c.speed << " frame " << frame;
        }
        Fly(*player, 1.0f / 60.0f, 1);
        EXPECT_EQ(-c.maxAngle, AngleOf(*player, c.variant)) << c.speed;
    }
}

TEST(Steering, constants_derive_from_pi_and_the_start_speed)
{
    EXPECT_FLOAT_EQ(1.0995574f, PlayerTargetDirection::MAX_ANGLE);
    EXPECT_FLOAT_EQ(0.033333335f, PlayerTargetDirection::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR);
    EXPECT_FLOAT_EQ(1.5707964f, PlayerDirectionHeight::MAX_ANGLE);
    EXPECT_FLOAT_EQ(0.03f, PlayerDirectionHeight::ANGLE_CHANGE_SPEED_PER_S_MULTIPLICATOR);
    EXPECT_EQ(1.0f, PlayerTargetHeight::HEIGHT_CHANGE_SPEED_PER_S_MULTIPLICATOR);
}

TEST(Steering, target_direction_flies_along_its_heading)
{
    GameWithWindow();
    PlayerTargetDirection player(Dragon().texture, Dragon().pixels, START, 150.0f);
    player.SetTargetValue(1.0f);
    player.SetAngle(-PlayerTargetDirection::MAX_ANGLE);
    Fly(player, 1.0f, 1);
    // Climbs at about 133.6 px/s and advances at about 68.1 px/s.
    EXPECT_NEAR(65.0f + 68.1f, player.GetPos().x, 0.1f);
    EXPECT_NEAR(300.0f - 133.6f, player.GetPos().y, 0.1f);
    // Nose up: the library turns counter-clockwise for a negative rotation.
    EXPECT_NEAR(360.0f - 63.0f, player.GetSprite().getRotation(), 1e-3f);
}

TEST(Steering, directional_height_keeps_full_forward_speed)
{
    GameWithWindow();
    PlayerDirectionHeight player(Dragon().texture, Dragon().pixels, START, 150.0f);
    player.SetTargetValue(0.0f);
    player.SetAngle(PlayerDirectionHeight::MAX_ANGLE);
    EXPECT_EQ(0.0f, player.GetSprite().getRotation());
    Fly(player, 1.0f, 1);
    EXPECT_NEAR(215.0f, player.GetPos().x, 1e-3f);
    EXPECT_NEAR(450.0f, player.GetPos().y, 1e-3f);
    // Shown along the velocity: 45 degrees, nose down.
    EXPECT_NEAR(45.0f, player.GetSprite().getRotation(), 1e-3f);
}

TEST(Steering, target_height_lands_exactly_on_its_target)
{
    struct Case
    {
        float target;
        std::vector<float> heights;
    };
    const Case cases[] = {
        { 302.0f, { 302.0f } },
        { 290.0f, { 297.0f, 294.0f, 291.0f, 290.0f, 290.0f } },
    };
    GameWithWindow();
    for (const Case& c : cases)
    {
        PlayerTargetHeight player(Dragon().texture, Dragon().pixels, START, 150.0f);
        player.SetTargetHeight(c.target);
        for (float height : c.heights)
        {
            Fly(player, 0.02f, 1);
            EXPECT_EQ(height, player.GetPos().y) << c.target;
        }
    }
}

TEST(Steering, target_height_above_the_view_ends_at_the_top_edge_reset)
{
    GameWithWindow();
    Probe<PlayerTargetHeight> player(Dragon(), 150.0f);
    player.SetTargetValue(1.2f);
    // (1 - 1.2) x 560 + 20, above the view.
    EXPECT_NEAR(-92.0f, player.HelpLine().getPosition().y, 1e-3f);
    Fly(player, 0.02f, 100);
    EXPECT_EQ(0.0f, player.GetPos().y);
    EXPECT_EQ(1.2f, player.GetTargetValue());
    Fly(player, 0.02f, 1);
    EXPECT_EQ(0.0f, player.GetPos().y);
    EXPECT_EQ(0.5f, player.GetTargetValue());
    EXPECT_EQ(300.0f, player.HelpLine().getPosition().y);
    Fly(player, 0.02f, 1);
    EXPECT_EQ(3.0f, player.GetPos().y);
}

TEST(Steering, help_lines_show_where_the_voice_steers)
{
    GameWithWindow();
    Probe<PlayerTargetHeight> height(Dragon(), 150.0f);
    Probe<PlayerTargetDirection> direction(Dragon(), 150.0f);
    Probe<PlayerDirectionHeight> climb(Dragon(), 150.0f);

    struct Case
    {
        const char* what;
        const sf::ConvexShape& line;
        float length;
        sf::Vector2f pos;
        float rotation;
    };
    height.SetTargetValue(0.0f);
    direction.SetTargetValue(1.0f);
    climb.SetTargetValue(0.0f);
    height.SetPos(sf::Vector2f(100.7f, 200.2f));
    direction.SetPos(sf::Vector2f(100.7f, 200.2f));
    climb.SetPos(sf::Vector2f(100.7f, 200.2f));
    const Case cases[] = {
        { "target height: level, at the target height", height.HelpLine(), 200.0f, { 100.0f, 580.0f }, 0.0f },
        { "target direction: from the centre, turned up", direction.HelpLine(), 40.0f, { 100.0f, 200.0f },
            360.0f - 63.0f },
        { "directional height: ahead of the centre, turned down", climb.HelpLine(), 40.0f, { 110.0f, 200.0f },
            90.0f },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.pos, c.line.getPosition()) << c.what;
        EXPECT_NEAR(c.rotation, c.line.getRotation(), 1e-3f) << c.what;
        EXPECT_EQ(Player::HELP_LINE_COLOR, c.line.getFillColor()) << c.what;
        const sf::FloatRect bounds = c.line.getLocalBounds();
        EXPECT_EQ(sf::FloatRect(0.0f, -1.5f, c.length, Player::HELP_LINE_THICKNESS), bounds) << c.what;
    }
}

TEST(Steering, high_voice_climbs_and_low_voice_sinks_in_every_variant)
{
    const Variant variants[] = { TargetHeight, TargetDirection, DirectionHeight };
    GameWithWindow();
    for (Variant variant : variants)
    {
        std::unique_ptr<Player> high = Make(variant, 150.0f);
        std::unique_ptr<Player> low = Make(variant, 150.0f);
        high->SetTargetValue(1.0f);
        low->SetTargetValue(0.0f);
        Fly(*high, 1.0f / 60.0f, 10);
        Fly(*low, 1.0f / 60.0f, 10);
        EXPECT_LT(high->GetPos().y, START.y) << variant;
        EXPECT_GT(low->GetPos().y, START.y) << variant;
        EXPECT_GT(high->GetPos().x, START.x) << variant;
        EXPECT_GT(low->GetPos().x, START.x) << variant;
    }
}
