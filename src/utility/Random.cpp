#include "utility/Random.h"

#include <algorithm>

std::mt19937& Random::Generator()
{
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}

void Random::Seed(unsigned int seed)
{
    Generator().seed(seed);
}

float Random::Float(float a, float b)
{
    float low = std::min(a, b);
    float high = std::max(a, b);
    if (low == high)
        return low;
    return std::uniform_real_distribution<float>(low, high)(Generator());
}
