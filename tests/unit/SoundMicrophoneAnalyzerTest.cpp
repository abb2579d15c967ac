#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const int SPECTRUM_SIZE = 8192;
// A reading set before each case, so a case that finds nothing shows it kept.
const int EARLIER_INDEX = 7;
const float EARLIER_HZ = 20.5078125f;

struct Value
{
    int index;
    float value;
};

struct SpectrumCase
{
    const char* name;
    std::vector<Value> spectrum;
    bool active;
    float hz;
};

struct WaveCase
{
    const char* name;
    float fill;
    std::vector<Value> wave;
    float volume;
};

std::vector<float> Filled(float fill, const std::vector<Value>& values)
{
    std::vector<float> data(SPECTRUM_SIZE, fill);
    for (const Value& v : values)
        data[static_cast<std::size_t>(v.index)] = v.value;
    return data;
}

class AnalyzerTest
{
protected:
    AnalyzerTest() : analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE) {}

    void Evaluate(const std::vector<float>& spectrum, const std::vector<float>& wave)
    {
        analyzer.Evaluate(spectrum.data(), wave.data());
    }

    SoundSystem system;
    SoundMicrophoneAnalyzer analyzer;
};

class AnalyzerSpectrum : public AnalyzerTest, public testing::TestWithParam<SpectrumCase>
{
};

class AnalyzerWave : public AnalyzerTest, public testing::TestWithParam<WaveCase>
{
};

class AnalyzerState : public AnalyzerTest, public testing::Test
{
};

const SpectrumCase SPECTRUM_CASES[] = {
    {"silence", {}, false, EARLIER_HZ},
    {"exactly_the_threshold", {{300, 0.01f}}, false, EARLIER_HZ},
    {"just_above_the_threshold", {{300, std::nextafter(0.01f, 1.0f)}}, true, 878.90625f},
    {"first_value_strongest", {{0, 0.5f}, {10, 0.4f}}, false, EARLIER_HZ},
    {"first_value_equal_to_the_strongest", {{0, 0.4f}, {10, 0.4f}}, false, EARLIER_HZ},
    {"first_value_weaker", {{0, 0.2f}, {150, 0.5f}}, true, 439.453125f},
    {"equal_maxima_keep_the_lowest_index", {{100, 0.3f}, {200, 0.3f}}, true, 292.96875f},
    {"later_stronger_value_wins", {{100, 0.3f}, {200, 0.6f}}, true, 585.9375f},
    {"strongest_among_several", {{50, 0.02f}, {120, 0.9f}, {121, 0.8f}, {400, 0.5f}}, true, 351.5625f},
    {"lowest_bin_above_zero", {{1, 0.02f}}, true, 2.9296875f},
    {"top_bin", {{8191, 0.5f}}, true, 23997.0703125f},
    {"negative_values_are_never_dominant", {{30, -0.9f}, {40, 0.05f}}, true, 117.1875f},
};

const WaveCase WAVE_CASES[] = {
    {"silence", 0.0f, {}, 0.0f},
    {"all_negative", -0.5f, {{10, -0.1f}}, 0.0f},
    {"largest_signed_sample_not_magnitude", 0.0f, {{3, -0.9f}, {4, 0.25f}}, 0.25f},
    {"largest_of_several", -0.2f, {{0, 0.1f}, {4000, 0.7f}, {8191, 0.3f}}, 0.7f},
    {"full_scale_at_the_end", 0.0f, {{8191, 1.0f}}, 1.0f},
};
}

TEST_P(AnalyzerSpectrum, dominant_frequency_is_the_lower_edge_of_the_strongest_bin)
{
    const SpectrumCase& c = GetParam();
    const std::vector<float> wave(SPECTRUM_SIZE, 0.0f);
    Evaluate(Filled(0.0f, {{EARLIER_INDEX, 0.5f}}), wave);
    ASSERT_EQ(analyzer.GetDominantHz(), EARLIER_HZ);
    Evaluate(Filled(0.0f, c.spectrum), wave);
    EXPECT_EQ(analyzer.IsDominantHzActive(), c.active);
    EXPECT_FLOAT_EQ(analyzer.GetDominantHz(), c.hz);
}

INSTANTIATE_TEST_SUITE_P(Spectra, AnalyzerSpectrum, testing::ValuesIn(SPECTRUM_CASES),
                         [](const testing::TestParamInfo<SpectrumCase>& test) { return test.param.name; });

TEST_P(AnalyzerWave, volume_is_the_largest_signed_sample_and_never_below_zero)
{
    const WaveCase& c = GetParam();
    const std::vector<float> spectrum(SPECTRUM_SIZE, 0.0f);
    Evaluate(spectrum, Filled(0.9f, {}));
    Evaluate(spectrum, Filled(c.fill, c.wave));
    EXPECT_FLOAT_EQ(analyzer.GetVolume(), c.volume);
}

INSTANTIATE_TEST_SUITE_P(Waves, AnalyzerWave, testing::ValuesIn(WAVE_CASES),
                         [](const testing::TestParamInfo<WaveCase>& test) { return test.param.name; });

TEST_F(AnalyzerState, before_the_first_start_update_leaves_the_results_at_zero)
{
    analyzer.Update();
    EXPECT_FALSE(analyzer.IsRunning());
    EXPECT_FALSE(analyzer.IsDominantHzActive());
    EXPECT_EQ(analyzer.GetDominantHz(), 0.0f);
    EXPECT_EQ(analyzer.GetVolume(), 0.0f);
}

TEST_F(AnalyzerState, while_stopped_update_and_stop_keep_the_last_results)
{
    Evaluate(Filled(0.0f, {{100, 0.3f}}), Filled(0.0f, {{5, 0.4f}}));
    // Neither touches the sound layer while stopped: a call on the empty
    // channel would end the process.
    analyzer.Stop();
    analyzer.Update();
    EXPECT_TRUE(analyzer.IsDominantHzActive());
    EXPECT_FLOAT_EQ(analyzer.GetDominantHz(), 292.96875f);
    EXPECT_FLOAT_EQ(analyzer.GetVolume(), 0.4f);
}

TEST(AnalyzerBins, bin_width_is_half_the_sample_rate_over_the_spectrum_size)
{
    SoundSystem system;
    SoundMicrophoneAnalyzer analyzer(system, 44100, 1024);
    std::vector<float> spectrum(1024, 0.0f);
    const std::vector<float> wave(1024, 0.0f);
    spectrum[10] = 0.5f;
    analyzer.Evaluate(spectrum.data(), wave.data());
    EXPECT_TRUE(analyzer.IsDominantHzActive());
    EXPECT_FLOAT_EQ(analyzer.GetDominantHz(), 215.33203125f);
}
