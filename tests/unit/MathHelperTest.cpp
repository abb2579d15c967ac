#include "utility/MathHelper.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
struct ContainsCase
{
    float x;
    float y;
    bool inside;
};
}

TEST(MathHelper, contains_is_half_open)
{
    // Box from (10, 20), 30 wide, 40 high.
    ContainsCase const cases[] = {
        {10.0f, 20.0f, true},   // top-left corner
        {10.0f, 59.9f, true},   // left edge
        {39.9f, 20.0f, true},   // top edge
        {40.0f, 30.0f, false},  // right edge
        {20.0f, 60.0f, false},  // bottom edge
        {9.99f, 30.0f, false},  // left of it
        {20.0f, 19.99f, false}, // above it
    };
    for (ContainsCase const& c : cases)
    {
        sf::Vector2f point(c.x, c.y);
        EXPECT_EQ(MathHelper::Contains(point, sf::Vector2f(10.0f, 20.0f), 30.0f, 40.0f), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(MathHelper::Contains(point, sf::Vector2f(10.0f, 20.0f), sf::Vector2f(30.0f, 40.0f)), c.inside);
    }
}

TEST(MathHelper, vector_lengths_and_normalisation)
{
    EXPECT_EQ(MathHelper::Normalize(sf::Vector2f(0.0f, 0.0f)), sf::Vector2f(0.0f, 0.0f));
    sf::Vector2f unit = MathHelper::Normalize(sf::Vector2f(3.0f, 4.0f));
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_FLOAT_EQ(unit.y, 0.8f);
    EXPECT_FLOAT_EQ(MathHelper::LengthSqrt(sf::Vector2f(3.0f, 4.0f)), 25.0f);
    EXPECT_FLOAT_EQ(MathHelper::Length(sf::Vector2f(3.0f, 4.0f)), 5.0f);
    EXPECT_FLOAT_EQ(MathHelper::DistanceSqrt(sf::Vector2f(1.0f, 1.0f), sf::Vector2f(4.0f, 5.0f)), 25.0f);
    EXPECT_FLOAT_EQ(MathHelper::Distance(sf::Vector2f(1.0f, 1.0f), sf::Vector2f(4.0f, 5.0f)), 5.0f);
    EXPECT_FLOAT_EQ(MathHelper::GetAngle(sf::Vector2f(0.0f, 2.0f)), MathHelper::PI_F / 2.0f);
}

TEST(MathHelper, vector_by_angle_reduces_by_full_turns_keeping_the_sign)
{
    sf::Vector2f reduced = MathHelper::GetVectorByAngle(2.0 * MathHelper::PI + 0.5);
    EXPECT_NEAR(reduced.x, std::cos(0.5), 1e-6);
    EXPECT_NEAR(reduced.y, std::sin(0.5), 1e-6);
    sf::Vector2f negative = MathHelper::GetVectorByAngle(-0.5);
    EXPECT_FLOAT_EQ(negative.x, static_cast<float>(std::cos(0.5)));
    EXPECT_FLOAT_EQ(negative.y, static_cast<float>(-std::sin(0.5)));
}

TEST(MathHelper, circle_rectangle_edges_and_corners)
{
    sf::FloatRect box(0.0f, 0.0f, 10.0f, 10.0f);
    struct
    {
        float x, y, r;
        bool hit;
    } const cases[] = {
        {5.0f, 5.0f, 1.0f, true},     // centre inside
        {12.0f, 5.0f, 2.0f, true},    // touching the right edge from outside
        {12.5f, 5.0f, 2.0f, false},   // just short of it
        {13.0f, 14.0f, 5.0f, true},   // corner at distance exactly 5
        {13.0f, 14.0f, 4.9f, false},  // corner just out of reach
        {-3.0f, -4.0f, 5.0f, true},   // the opposite corner
    };
    for (auto const& c : cases)
    {
        EXPECT_EQ(MathHelper::IntersectsCircleRectangle(sf::Vector2f(c.x, c.y), c.r, box), c.hit)
            << c.x << "," << c.y << " r " << c.r;
        EXPECT_EQ(MathHelper::IntersectsCircleRectangle(sf::Vector2f(c.x, c.y), c.r, sf::Vector2f(0.0f, 0.0f), 10.0f,
                                                        10.0f),
                  c.hit);
    }
}
