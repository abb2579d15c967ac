#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"
#include "sound/SoundMicrophoneAnalyzerCalibratedReaderVolume.h"
#include "sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// 1 Hz per spectrum bin: half of 1000 Hz spread over 500 values.
const int RATE = 1000;
const int SIZE = 500;

// An analyzer fed by hand: a spectrum peak at the given frequency (or none)
// and a waveform whose largest sample is the given volume.
class FedAnalyzer
{
public:
    FedAnalyzer() : analyzer(system, RATE, SIZE) {}

    void Hear(int hz, float volume = 0.0f)
    {
        std::vector<float> spectrum(SIZE, 0.0f);
        std::vector<float> wave(SIZE, 0.0f);
        if (hz > 0)
            spectrum[hz] = 0.5f;
        wave[7] = volume;
        analyzer.Evaluate(spectrum.data(), wave.data());
    }
    void Silence(float volume = 0.0f) { Hear(0, volume); }

    SoundSystem system;
    SoundMicrophoneAnalyzer analyzer;
};
}

TEST(SoundMicrophoneAnalyzerCalibratedReader, pitch_mapping_is_linear_and_clamped)
{
    const struct
    {
        float lower;
        float upper;
        int hz;
        float value;
    } cases[] = {
        {100, 300, 200, 0.5f}, {100, 300, 50, 0.0f}, {100, 300, 400, 1.0f},
        {100, 300, 100, 0.0f}, {100, 300, 300, 1.0f}, {300, 100, 250, 0.25f},
        {300, 100, 350, 0.0f}, {300, 100, 50, 1.0f},
    };
    FedAnalyzer fed;
    for (const auto& c : cases)
    {
        SoundMicrophoneAnalyzerCalibratedReaderPitch reader(fed.analyzer);
        reader.SetCalibrationLower(c.lower);
        reader.SetCalibrationUpper(c.upper);
        fed.Hear(c.hz);
        EXPECT_FLOAT_EQ(c.value, reader.GetCalibratedValue())
            << c.lower << ".." << c.upper << " at " << c.hz << " Hz";
        EXPECT_FLOAT_EQ(static_cast<float>(c.hz), reader.GetRealValue());
    }
}

TEST(SoundMicrophoneAnalyzerCalibratedReader, limits_in_either_order_give_the_same_range)
{
    FedAnalyzer fed;
    SoundMicrophoneAnalyzerCalibratedReaderPitch upperFirst(fed.analyzer);
    upperFirst.SetCalibrationUpper(300);
    upperFirst.SetCalibrationLower(100);
    SoundMicrophoneAnalyzerCalibratedReaderPitch lowerFirst(fed.analyzer);
    lowerFirst.SetCalibrationLower(100);
    lowerFirst.SetCalibrationUpper(300);
    for (int hz : {150, 200, 290})
    {
        fed.Hear(hz);
        EXPECT_FLOAT_EQ(lowerFirst.GetCalibratedValue(), upperFirst.GetCalibratedValue()) << hz;
    }
}

TEST(SoundMicrophoneAnalyzerCalibratedReader, fresh_reader_has_type_zero_limits_and_no_override)
{
    FedAnalyzer fed;
    SoundMicrophoneAnalyzerCalibratedReaderPitch pitch(fed.analyzer);
    SoundMicrophoneAnalyzerCalibratedReaderVolume volume(fed.analyzer);
    EXPECT_EQ(CalibratedReaderTypePitch, pitch.GetType());
    EXPECT_EQ(CalibratedReaderTypeVolume, volume.GetType());
    EXPECT_EQ(0.0f, pitch.GetCalibrationLower());
    EXPECT_EQ(0.0f, pitch.GetCalibrationUpper());
    fed.Silence();
    // No override: the equal-limit value, not the override marker -1.
    EXPECT_EQ(0.5f, pitch.GetCalibratedValue());
    EXPECT_EQ(0.5f, volume.GetCalibratedValue());
}

TEST(SoundMicrophoneAnalyzerCalibratedReader, override_lasts_until_a_frequency_is_heard)
{
    FedAnalyzer fed;
    SoundMicrophoneAnalyzerCalibratedReaderPitch reader(fed.analyzer);
    reader.SetCalibrationLower(100);
    reader.SetCalibrationUpper(300);
    fed.Hear(280);
    fed.Silence(); // the analyzer keeps 280 Hz as its last frequency
    EXPECT_FLOAT_EQ(0.9f, reader.GetCalibratedValue());

    reader.SetCalibratedValue(0.5f);
    EXPECT_FLOAT_EQ(0.5f, reader.GetCalibratedValue());
    EXPECT_FLOAT_EQ(0.5f, reader.GetCalibratedValue()) << "still set while silent";

    fed.Hear(150);
    EXPECT_FLOAT_EQ(0.25f, reader.GetCalibratedValue()) << "a frequency ends the override";
    fed.Silence();
    EXPECT_FLOAT_EQ(0.25f, reader.GetCalibratedValue()) << "and it stays gone";

    reader.SetCalibratedValue(1.7f);
    EXPECT_FLOAT_EQ(1.7f, reader.GetCalibratedValue()) << "not clamped";
    reader.SetCalibratedValue(-1.0f);
    EXPECT_FLOAT_EQ(0.25f, reader.GetCalibratedValue()) << "-1 clears it";
}

TEST(SoundMicrophoneAnalyzerCalibratedReader, volume_reader_maps_volume_behind_the_frequency_gate)
{
    FedAnalyzer fed;
    SoundMicrophoneAnalyzerCalibratedReaderVolume reader(fed.analyzer);
    reader.SetCalibrationLower(0.1f);
    reader.SetCalibrationUpper(0.5f);
    fed.Silence(0.3f);
    EXPECT_FLOAT_EQ(0.3f, reader.GetRealValue());
    EXPECT_FLOAT_EQ(0.5f, reader.GetCalibratedValue());

    reader.SetCalibratedValue(0.9f);
    fed.Silence(0.2f);
    EXPECT_FLOAT_EQ(0.9f, reader.GetCalibratedValue()) << "override while no frequency";
    fed.Hear(200, 0.2f);
    EXPECT_FLOAT_EQ(0.25f, reader.GetCalibratedValue());
}

TEST(SoundMicrophoneAnalyzerCalibratedReader, equal_limits_give_the_middle)
{
    FedAnalyzer fed;
    const struct
    {
        float limit;
        int hz;
    } cases[] = {{0, 0}, {0, 200}, {180, 180}, {180, 90}, {180, 400}};
    for (const auto& c : cases)
    {
        SoundMicrophoneAnalyzerCalibratedReaderPitch reader(fed.analyzer);
        reader.SetCalibrationLower(c.limit);
        reader.SetCalibrationUpper(c.limit);
        fed.Hear(c.hz);
        EXPECT_EQ(0.5f, reader.GetCalibratedValue()) << c.limit << " at " << c.hz << " Hz";
    }
}
