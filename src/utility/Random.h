#pragma once

#include <random>

// The program's one random source. Seedable so that tests can repeat a run.
class Random
{
public:
    static std::mt19937& Generator();
    static void Seed(unsigned int seed);

    // A uniformly distributed float between a and b; the bounds may come in either order.
    static float Float(float a, float b);
};
