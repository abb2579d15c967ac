#include "platform/SpectrumAnalyzer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const double TWO_PI = 6.283185307179586;
const int SAMPLE_RATE = 48000;

struct SineCase
{
    const char* name;
    FMOD_DSP_FFT_WINDOW window;
    int count;
    double hz;
    float amplitude;
    int bin;
    float low;
    float high;
};

// Bins are SAMPLE_RATE / (2 x count) wide; a sine in the middle of a bin reads
// its amplitude, one between bins a little less.
const SineCase SINE_CASES[] = {
    {"rect_8192_on_bin_150", FMOD_DSP_FFT_WINDOW_RECT, 8192, 150 * 24000.0 / 8192, 1.0f, 150, 0.99f, 1.01f},
    {"triangle_8192_on_bin_150", FMOD_DSP_FFT_WINDOW_TRIANGLE, 8192, 150 * 24000.0 / 8192, 1.0f, 150, 0.99f, 1.01f},
    {"triangle_8192_half_amplitude", FMOD_DSP_FFT_WINDOW_TRIANGLE, 8192, 300 * 24000.0 / 8192, 0.5f, 300, 0.495f,
     0.505f},
    {"triangle_8192_440_hz", FMOD_DSP_FFT_WINDOW_TRIANGLE, 8192, 440.0, 0.5f, 150, 0.47f, 0.5f},
    {"rect_8192_440_hz", FMOD_DSP_FFT_WINDOW_RECT, 8192, 440.0, 0.5f, 150, 0.45f, 0.5f},
    {"rect_64_on_bin_5", FMOD_DSP_FFT_WINDOW_RECT, 64, 5 * 24000.0 / 64, 0.8f, 5, 0.79f, 0.81f},
    {"triangle_64_on_bin_20", FMOD_DSP_FFT_WINDOW_TRIANGLE, 64, 20 * 24000.0 / 64, 0.8f, 20, 0.78f, 0.82f},
    {"triangle_1024_on_bin_500", FMOD_DSP_FFT_WINDOW_TRIANGLE, 1024, 500 * 24000.0 / 1024, 0.25f, 500, 0.245f,
     0.255f},
};

class SpectrumOfSine : public testing::TestWithParam<SineCase>
{
};

void FillSine(float* samples, int size, double hz, float amplitude, int start = 0)
{
    for (int i = 0; i < size; ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(TWO_PI * hz * (start + i) / SAMPLE_RATE));
}

int StrongestBin(const std::vector<float>& values)
{
    return static_cast<int>(std::max_element(values.begin(), values.end()) - values.begin());
}
}

TEST_P(SpectrumOfSine, lands_in_its_bin_with_about_its_amplitude)
{
    const SineCase& c = GetParam();
    SpectrumAnalyzer analyzer;
    FillSine(analyzer.GetInput(), 2 * c.count, c.hz, c.amplitude);
    std::vector<float> values(static_cast<std::size_t>(c.count), -1.0f);
    ASSERT_TRUE(analyzer.Compute(c.count, c.window, values.data()));
    EXPECT_EQ(StrongestBin(values), c.bin);
    EXPECT_GE(values[static_cast<std::size_t>(c.bin)], c.low);
    EXPECT_LE(values[static_cast<std::size_t>(c.bin)], c.high);
    // Far from the tone, well below the game's 0.01 threshold.
    EXPECT_LT(values[static_cast<std::size_t>((c.bin + c.count / 2) % c.count)], 0.01f * c.amplitude);
}

INSTANTIATE_TEST_SUITE_P(Sines, SpectrumOfSine, testing::ValuesIn(SINE_CASES),
                         [](const testing::TestParamInfo<SineCase>& test) { return test.param.name; });

TEST(SpectrumAnalyzer, silence_reads_zero_in_every_bin)
{
    SpectrumAnalyzer analyzer;
    std::fill(analyzer.GetInput(), analyzer.GetInput() + 2 * 8192, 0.0f);
    std::vector<float> values(8192, -1.0f);
    ASSERT_TRUE(analyzer.Compute(8192, FMOD_DSP_FFT_WINDOW_TRIANGLE, values.data()));
    EXPECT_EQ(*std::max_element(values.begin(), values.end()), 0.0f);
    EXPECT_EQ(*std::min_element(values.begin(), values.end()), 0.0f);
}

TEST(SpectrumAnalyzer, accepts_powers_of_two_from_64_to_8192_only)
{
    for (int count : {64, 128, 1024, 8192})
        EXPECT_TRUE(SpectrumAnalyzer::IsValidCount(count)) << count;
    for (int count : {0, 32, 63, 100, 8191, 16384, -64})
        EXPECT_FALSE(SpectrumAnalyzer::IsValidCount(count)) << count;
}

TEST(SpectrumAnalyzer, compute_refuses_a_count_or_window_outside_the_valid_ones)
{
    SpectrumAnalyzer analyzer;
    std::vector<float> values(16384, -1.0f);
    for (int count : {0, 32, 100, 16384, -64})
        EXPECT_FALSE(analyzer.Compute(count, FMOD_DSP_FFT_WINDOW_RECT, values.data())) << count;
    EXPECT_FALSE(analyzer.Compute(1024, static_cast<FMOD_DSP_FFT_WINDOW>(6), values.data()));
    EXPECT_EQ(values[0], -1.0f);
}

TEST(SpectrumAnalyzer, window_change_between_calls_keeps_the_scaling)
{
    SpectrumAnalyzer analyzer;
    std::vector<float> values(1024);
    for (FMOD_DSP_FFT_WINDOW window :
         {FMOD_DSP_FFT_WINDOW_TRIANGLE, FMOD_DSP_FFT_WINDOW_RECT, FMOD_DSP_FFT_WINDOW_TRIANGLE})
    {
        FillSine(analyzer.GetInput(), 2048, 100 * 24000.0 / 1024, 1.0f);
        ASSERT_TRUE(analyzer.Compute(1024, window, values.data()));
        EXPECT_NEAR(values[100], 1.0f, 0.01f) << window;
    }
}
