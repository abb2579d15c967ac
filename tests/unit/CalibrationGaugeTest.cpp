#include "entity/CalibrationGauge.h"

#include <gtest/gtest.h>

TEST(CalibrationGauge, maps_values_onto_its_height_limited_to_the_range)
{
    CalibrationGauge gauge(sf::Vector2f(0.0f, 100.0f), 30.0f, 400.0f, 0.0f, 1000.0f, sf::Color::Red);
    struct Case
    {
        float value;
        float y;
    };
    const Case cases[] = { { 0.0f, 500.0f }, { 1000.0f, 100.0f }, { 250.0f, 400.0f }, { -5.0f, 500.0f },
        { 2000.0f, 100.0f } };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(c.y, gauge.GetHeightOfValue(c.value)) << c.value;
}

TEST(CalibrationGauge, new_range_moves_the_scale_not_the_gauge)
{
    CalibrationGauge gauge(sf::Vector2f(0.0f, 100.0f), 30.0f, 400.0f, 0.0f, 1000.0f, sf::Color::Red);
    gauge.SetRange(200.0f, 400.0f);
    EXPECT_FLOAT_EQ(300.0f, gauge.GetHeightOfValue(300.0f));
    EXPECT_EQ(sf::Vector2f(0.0f, 100.0f), gauge.GetPos());
    EXPECT_EQ(30.0f, gauge.GetWidth());
    EXPECT_EQ(400.0f, gauge.GetHeight());
}

TEST(CalibrationGauge, equal_limits_give_the_middle)
{
    CalibrationGauge gauge(sf::Vector2f(0.0f, 100.0f), 30.0f, 400.0f, 0.0f, 1000.0f, sf::Color::Red);
    gauge.SetRange(440.0f, 440.0f);
    EXPECT_FLOAT_EQ(300.0f, gauge.GetHeightOfValue(440.0f));
    EXPECT_FLOAT_EQ(300.0f, gauge.GetHeightOfValue(0.0f));
}

TEST(CalibrationGauge, never_takes_the_pointer)
{
    CalibrationGauge gauge(sf::Vector2f(10.0f, 100.0f), 30.0f, 400.0f, 0.0f, 1.0f, sf::Color::Red);
    EXPECT_FALSE(gauge.Contains(sf::Vector2f(25.0f, 300.0f)));
    EXPECT_FALSE(gauge.Contains(sf::Vector2f(10.0f, 100.0f)));
    gauge.SetPos(sf::Vector2f(500.0f, 0.0f));
    EXPECT_FALSE(gauge.Contains(sf::Vector2f(515.0f, 200.0f)));
    EXPECT_FLOAT_EQ(400.0f, gauge.GetHeightOfValue(0.0f));
}
