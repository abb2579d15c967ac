// Needs the sound server of tools/headless.sh: its virtual microphone is fed
// through the FIFO named by VELMORA_TEST_MIC_FIFO.
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"
#include "support/MicFeeder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const int SPECTRUM_SIZE = 8192;
const float HZ_PER_BIN = 24000.0f / SPECTRUM_SIZE;

void Configure(SoundSystem& system)
{
    system.SetOutputFormat(FMOD_OUTPUTTYPE_AUTODETECT);
    system.SetDriver(0);
    system.SetSoftwareFormat(SAMPLE_RATE, FMOD_SOUND_FORMAT_PCM16, 1, 0, FMOD_DSP_RESAMPLER_LINEAR);
    system.Init(32, FMOD_INIT_NORMAL, nullptr);
}

// The record driver that reaches the sound server's default source.
int ServerRecordDriver(SoundSystem& system)
{
    const std::vector<std::string> names = system.EnlistRecordDrivers();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == "default")
            return static_cast<int>(i);
    return 0;
}

// Updates like the game loop does until the condition holds or the time is up.
template <typename Condition>
bool UpdateUntil(SoundSystem& system, SoundMicrophoneAnalyzer& analyzer, std::chrono::milliseconds limit,
                 Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end)
    {
        system.Update();
        analyzer.Update();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

bool WithinOneBin(float hz, float expected)
{
    return std::fabs(hz - expected) <= HZ_PER_BIN;
}

class SoundMicrophoneAnalyzerServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(feeder.IsOpen()) << "run under tools/headless.sh";
        ASSERT_TRUE(system.HasSystem());
        Configure(system);
    }

    MicFeeder feeder;
    SoundSystem system;
};
}

TEST_F(SoundMicrophoneAnalyzerServerTest, tone_of_440_hz_reads_one_bin_below_with_its_amplitude)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    // Past the start-up of the capture, the whole window holds the tone.
    UpdateUntil(system, analyzer, std::chrono::milliseconds(800), [] { return false; });
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(2000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    })) << "last reading " << analyzer.GetDominantHz() << " Hz";
    EXPECT_NEAR(analyzer.GetVolume(), 0.5f, 0.03f);
    analyzer.Stop();
}

TEST_F(SoundMicrophoneAnalyzerServerTest, silence_has_no_dominant_frequency)
{
    feeder.SetTone(440.0f, 0.0f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    bool everActive = false;
    UpdateUntil(system, analyzer, std::chrono::milliseconds(1000), [&] {
        everActive = everActive || analyzer.IsDominantHzActive();
        return false;
    });
    EXPECT_FALSE(everActive);
    EXPECT_LT(analyzer.GetVolume(), 0.01f);
}

TEST_F(SoundMicrophoneAnalyzerServerTest, change_to_660_hz_moves_the_reading_within_600_ms)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
    feeder.SetTone(660.0f, 0.5f);
    const auto changed = std::chrono::steady_clock::now();
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 659.1796875f);
    }));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - changed).count();
    EXPECT_LT(seconds, 0.6);
}

TEST_F(SoundMicrophoneAnalyzerServerTest, restart_while_running_resets_the_results)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000),
                            [&] { return analyzer.IsDominantHzActive(); }));
    analyzer.Start(ServerRecordDriver(system));
    EXPECT_TRUE(analyzer.IsRunning());
    EXPECT_FALSE(analyzer.IsDominantHzActive());
    EXPECT_EQ(analyzer.GetDominantHz(), 0.0f);
    EXPECT_EQ(analyzer.GetVolume(), 0.0f);
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
}

// A game thread that stalls longer than the capture can queue must not read
// the sound from before the stall as the most recent.
TEST_F(SoundMicrophoneAnalyzerServerTest, after_a_stall_the_sound_from_before_it_is_not_read_as_recent)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
    // The stall: the capture queue fills with the 440 Hz tone, the 660 Hz
    // tone after it is lost.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    feeder.SetTone(660.0f, 0.5f);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    system.Update();
    analyzer.Update();
    EXPECT_FALSE(analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f))
        << "read " << analyzer.GetDominantHz() << " Hz";
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 659.1796875f);
    }));
}

// The virtual microphone's pipe is held open without a sample written into
// it, so the server's source stalls: the game loop's reads must still return.
TEST(SoundMicrophoneAnalyzerServer, stalled_microphone_holds_up_no_update)
{
    const char* path = std::getenv("VELMORA_TEST_MIC_FIFO");
    ASSERT_NE(path, nullptr) << "run under tools/headless.sh";
    const int stalled = open(path, O_WRONLY);
    ASSERT_GE(stalled, 0);
    SoundSystem system;
    Configure(system);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    for (int frame = 0; frame < 100; ++frame)
    {
        system.Update();
        analyzer.Update();
    }
    EXPECT_TRUE(analyzer.IsRunning());
    EXPECT_FALSE(analyzer.IsDominantHzActive());
    EXPECT_EQ(analyzer.GetVolume(), 0.0f);
    analyzer.Stop();
    close(stalled);
}

TEST(SoundMicrophoneAnalyzerServer, record_driver_out_of_range_ends_with_the_sound_error)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            SoundSystem system;
            Configure(system);
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
            analyzer.Start(static_cast<int>(system.EnlistRecordDrivers().size()));
        },
        ::testing::ExitedWithCode(255), "FMOD error! \\(37\\) An invalid parameter was passed, such as a driver number");
}

TEST(SoundMicrophoneAnalyzerServer, no_record_device_ends_with_the_sound_error)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            // Cut off from the sound server, this machine has no capture device.
            setenv("PULSE_SERVER", "unix:/nonexistent", 1);
            SoundSystem system;
            Configure(system);
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
            analyzer.Start(0);
        },
        ::testing::ExitedWithCode(255), "FMOD error! \\(72\\) Recording failed: no recording device exists");
}
