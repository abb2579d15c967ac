#include "platform/LayerSound.h"
#include "platform/SoftwareMixer.h"
#include "platform/SpectrumAnalyzer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
const double TWO_PI = 6.283185307179586;
const int SAMPLE_RATE = 48000;

void FillSine(float* samples, int size, double hz, float amplitude, int start = 0)
{
    for (int i = 0; i < size; ++i)
        samples[i] = static_cast<float>(amplitude * std::sin(TWO_PI * hz * (start + i) / SAMPLE_RATE));
}

int StrongestBin(const std::vector<float>& values)
{
    return static_cast<int>(std::max_element(values.begin(), values.end()) - values.begin());
}

LayerSound Constant(float value, std::size_t frames, bool looping, int channels = 1)
{
    LayerSound sound;
    sound.channels = channels;
    sound.frames = frames;
    sound.samples.assign(frames * static_cast<std::size_t>(channels), value);
    sound.looping = looping;
    return sound;
}
}

TEST(SoftwareMixer, channels_add_up_each_at_its_volume)
{
    LayerSound first = Constant(0.5f, 1000, true);
    LayerSound second = Constant(0.4f, 1000, true);
    SoftwareMixer mixer(32, SAMPLE_RATE, 1, true);
    mixer.Start(0, &first, false);
    mixer.Start(5, &second, false);
    mixer.GetChannel(0).volume = 0.5f;
    mixer.GetChannel(5).volume = 0.25f;
    std::vector<float> output(64);
    mixer.Mix(output.data(), 64);
    for (float sample : output)
        ASSERT_FLOAT_EQ(sample, 0.35f);
}

TEST(SoftwareMixer, sum_is_clipped_to_full_scale)
{
    LayerSound loud = Constant(0.8f, 1000, true);
    LayerSound quiet = Constant(-0.9f, 1000, true);
    SoftwareMixer mixer(4, SAMPLE_RATE, 2, true);
    std::vector<float> output(2 * 16);
    mixer.Start(0, &loud, false);
    mixer.Start(1, &loud, false);
    mixer.Mix(output.data(), 16);
    EXPECT_EQ(*std::min_element(output.begin(), output.end()), 1.0f);
    mixer.GetChannel(0).active = false;
    mixer.GetChannel(1).active = false;
    mixer.Start(2, &quiet, false);
    mixer.Start(3, &quiet, false);
    mixer.Mix(output.data(), 16);
    EXPECT_EQ(*std::max_element(output.begin(), output.end()), -1.0f);
}

TEST(SoftwareMixer, stereo_sound_is_averaged_into_mono_output)
{
    LayerSound sound = Constant(0.0f, 100, true, 2);
    for (std::size_t f = 0; f < 100; ++f)
    {
        sound.samples[2 * f] = 0.6f;
        sound.samples[2 * f + 1] = 0.2f;
    }
    SoftwareMixer mixer(2, SAMPLE_RATE, 1, true);
    mixer.Start(0, &sound, false);
    std::vector<float> output(10);
    mixer.Mix(output.data(), 10);
    for (float sample : output)
        ASSERT_FLOAT_EQ(sample, 0.4f);
}

TEST(SoftwareMixer, one_shot_ends_after_its_last_frame_and_frees_its_channel)
{
    LayerSound sound = Constant(0.5f, 100, false);
    SoftwareMixer mixer(2, SAMPLE_RATE, 1, true);
    mixer.Start(0, &sound, false);
    std::vector<float> output(150);
    mixer.Mix(output.data(), 150);
    EXPECT_EQ(output[99], 0.5f);
    EXPECT_EQ(output[100], 0.0f);
    EXPECT_FALSE(mixer.GetChannel(0).active);
    EXPECT_EQ(mixer.Allocate(), 0);
}

TEST(SoftwareMixer, muted_one_shot_still_ends_on_time)
{
    LayerSound sound = Constant(0.5f, 100, false);
    SoftwareMixer mixer(1, SAMPLE_RATE, 1, true);
    mixer.Start(0, &sound, false);
    mixer.GetChannel(0).volume = 0.0f;
    std::vector<float> output(60);
    mixer.Mix(output.data(), 60);
    EXPECT_TRUE(mixer.GetChannel(0).active);
    mixer.Mix(output.data(), 60);
    EXPECT_FALSE(mixer.GetChannel(0).active);
}

TEST(SoftwareMixer, full_mixer_takes_the_oldest_one_shot_and_never_a_looping_sound)
{
    LayerSound loop = Constant(0.1f, 1000, true);
    LayerSound shot = Constant(0.1f, 1000, false);
    SoftwareMixer mixer(3, SAMPLE_RATE, 1, true);
    mixer.Start(2, &loop, false);
    mixer.Start(1, &shot, false);
    mixer.Start(0, &shot, false);
    EXPECT_EQ(mixer.Allocate(), 1);
    mixer.Start(1, &loop, false);
    EXPECT_EQ(mixer.Allocate(), 0);
    mixer.Start(0, &loop, false);
    EXPECT_EQ(mixer.Allocate(), -1);
}

TEST(SoftwareMixer, paused_channel_neither_sounds_nor_moves)
{
    LayerSound sound = Constant(0.5f, 100, false);
    SoftwareMixer mixer(1, SAMPLE_RATE, 1, true);
    mixer.Start(0, &sound, true);
    std::vector<float> output(200);
    mixer.Mix(output.data(), 200);
    EXPECT_EQ(*std::max_element(output.begin(), output.end()), 0.0f);
    EXPECT_TRUE(mixer.GetChannel(0).active);
    EXPECT_EQ(mixer.GetChannel(0).position, 0.0);
}

namespace
{
// A looping mono sound of one second of a sine.
LayerSound SineSound(double hz, float amplitude)
{
    LayerSound sound;
    sound.frames = SAMPLE_RATE;
    sound.samples.resize(sound.frames);
    FillSine(sound.samples.data(), SAMPLE_RATE, hz, amplitude);
    sound.looping = true;
    return sound;
}
}

// What the game does: a muted channel is still analysed.
TEST(SoftwareMixer, muted_channel_gives_the_spectrum_of_what_it_played)
{
    LayerSound sound = SineSound(440.0, 0.5f);
    SoftwareMixer mixer(32, SAMPLE_RATE, 1, true);
    mixer.Start(0, &sound, false);
    mixer.GetChannel(0).volume = 0.0f;
    std::vector<float> output(480);
    for (int i = 0; i < 50; ++i)
        mixer.Mix(output.data(), 480);
    EXPECT_EQ(*std::max_element(output.begin(), output.end()), 0.0f);

    SpectrumAnalyzer analyzer;
    mixer.GetRecentSamples(mixer.GetChannel(0), 0, analyzer.GetInput(), 16384);
    std::vector<float> expected(16384);
    FillSine(expected.data(), 16384, 440.0, 0.5f, 24000 - 16384);
    for (int i = 0; i < 16384; i += 1000)
        ASSERT_NEAR(analyzer.GetInput()[i], expected[static_cast<std::size_t>(i)], 1e-6f) << i;

    std::vector<float> values(8192);
    ASSERT_TRUE(analyzer.Compute(8192, FMOD_DSP_FFT_WINDOW_TRIANGLE, values.data()));
    EXPECT_EQ(StrongestBin(values), 150);
    EXPECT_NEAR(values[150], 0.5f, 0.03f);
}

TEST(SoftwareMixer, recent_samples_before_the_start_are_silent)
{
    LayerSound sound = SineSound(1000.0, 1.0f);
    SoftwareMixer mixer(4, SAMPLE_RATE, 1, true);
    mixer.Start(2, &sound, false);
    std::vector<float> output(100);
    mixer.Mix(output.data(), 100);
    std::vector<float> recent(300, -2.0f);
    mixer.GetRecentSamples(mixer.GetChannel(2), 0, recent.data(), 300);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(recent[static_cast<std::size_t>(i)], 0.0f) << i;
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(recent[static_cast<std::size_t>(200 + i)], sound.samples[static_cast<std::size_t>(i)]) << i;
}

// The channel that plays a sound while it is recorded has played what was
// captured since it started, so it trails the capture by what came before.
TEST(SoftwareMixer, channel_on_a_recording_trails_the_capture_by_the_frames_before_its_start)
{
    LayerSound sound;
    sound.frames = 5 * SAMPLE_RATE;
    sound.samples.resize(sound.frames);
    for (std::size_t i = 0; i < sound.frames; ++i)
        sound.samples[i] = static_cast<float>(i) / static_cast<float>(sound.frames);
    sound.looping = true;
    sound.user = true;
    sound.recording = true;
    sound.recordedFrames = 9600;  // 200 ms before the channel starts
    SoftwareMixer mixer(32, SAMPLE_RATE, 1, true);
    mixer.Start(0, &sound, false);
    mixer.GetChannel(0).volume = 0.0f;

    sound.recordedFrames += 20000;
    std::vector<float> recent(16);
    mixer.GetRecentSamples(mixer.GetChannel(0), 0, recent.data(), 16);
    EXPECT_EQ(recent[15], sound.samples[19999]);
    EXPECT_EQ(recent[0], sound.samples[19984]);

    // Wrapping around the looping buffer keeps the distance.
    sound.recordedFrames += sound.frames;
    mixer.GetRecentSamples(mixer.GetChannel(0), 0, recent.data(), 16);
    EXPECT_EQ(recent[15], sound.samples[19999]);
}

namespace
{
// A looping user sound of 1000 distinct samples that a capture is writing.
LayerSound RecordingRamp(std::uint64_t recordedFrames)
{
    LayerSound sound;
    sound.frames = 1000;
    for (std::size_t i = 0; i < sound.frames; ++i)
        sound.samples.push_back(static_cast<float>(i + 1) / 1000.0f);
    sound.looping = true;
    sound.user = true;
    sound.recording = true;
    sound.recordedFrames = recordedFrames;
    return sound;
}
}

// Heard, such a channel plays every captured frame once and in order, however
// the mixing is cut into pieces, and waits for the capture when it has caught up.
TEST(SoftwareMixer, audible_channel_on_a_recording_plays_each_captured_frame_once)
{
    LayerSound sound = RecordingRamp(50);
    SoftwareMixer mixer(4, SAMPLE_RATE, 1, false);
    mixer.Start(0, &sound, false);

    sound.recordedFrames += 100;
    std::vector<float> heard;
    std::vector<float> output(64);
    for (int piece = 0; piece < 2; ++piece)
    {
        mixer.Mix(output.data(), 64);
        heard.insert(heard.end(), output.begin(), output.end());
    }
    sound.recordedFrames += 28;
    mixer.Mix(output.data(), 64);
    heard.insert(heard.end(), output.begin(), output.end());

    // 100 frames, silence while none are captured, then the 28 that came next.
    for (std::size_t i = 0; i < 100; ++i)
        ASSERT_EQ(heard[i], sound.samples[i]) << i;
    for (std::size_t i = 100; i < 128; ++i)
        ASSERT_EQ(heard[i], 0.0f) << i;
    for (std::size_t i = 0; i < 28; ++i)
        ASSERT_EQ(heard[128 + i], sound.samples[100 + i]) << i;
    for (std::size_t i = 156; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], 0.0f) << i;
}

TEST(SoftwareMixer, audible_channel_far_behind_its_recording_picks_up_half_a_sound_before_the_capture)
{
    LayerSound sound = RecordingRamp(0);
    SoftwareMixer mixer(1, SAMPLE_RATE, 1, false);
    mixer.Start(0, &sound, false);
    sound.recordedFrames = 900;
    std::vector<float> output(8);
    mixer.Mix(output.data(), 8);
    for (std::size_t i = 0; i < 8; ++i)
        ASSERT_EQ(output[i], sound.samples[400 + i]) << i;
}
