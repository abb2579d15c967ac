#include "utility/Random.h"

#include <gtest/gtest.h>

TEST(Random, stays_within_bounds_given_in_either_order)
{
    Random::Seed(7);
    for (int i = 0; i < 1000; ++i)
    {
        float v = Random::Float(10.0f, -10.0f);
        EXPECT_GE(v, -10.0f);
        EXPECT_LE(v, 10.0f);
    }
    EXPECT_EQ(Random::Float(3.0f, 3.0f), 3.0f);
}

TEST(Random, same_seed_repeats_the_sequence)
{
    Random::Seed(42);
    float first = Random::Float(0.0f, 1.0f);
    Random::Seed(42);
    EXPECT_EQ(Random::Float(0.0f, 1.0f), first);
}
