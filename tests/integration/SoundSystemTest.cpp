// Needs the sound server of tools/headless.sh; some cases cut themselves off
// from it to stand for a machine without any sound device.
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;

void Configure(SoundSystem& system, int outputType)
{
    system.SetOutputFormat(static_cast<FMOD_OUTPUTTYPE>(outputType));
    system.SetDriver(0);
    system.SetSoftwareFormat(SAMPLE_RATE, FMOD_SOUND_FORMAT_PCM16, 1, 0, FMOD_DSP_RESAMPLER_LINEAR);
    system.Init(32, FMOD_INIT_NORMAL, nullptr);
}

void CutOffFromTheServer()
{
    setenv("PULSE_SERVER", "unix:/nonexistent", 1);
}

struct OutputCase
{
    const char* name;
    int outputType;
    bool withServer;
    int status;
    const char* output;
};

// The stored default (DirectSound) and other foreign types select
// auto-detection, which falls back to no sound without a playback device.
const OutputCase OUTPUT_CASES[] = {
    {"directsound_without_device_falls_back_to_no_sound", 6, false, 0, "drivers: No sound;\n"},
    {"autodetect_without_device_falls_back_to_no_sound", 0, false, 0, "drivers: No sound;\n"},
    {"asio_without_device_falls_back_to_no_sound", 10, false, 0, "drivers: No sound;\n"},
    {"no_sound_with_server_needs_no_device", 2, true, 0, "drivers: No sound;\n"},
    {"directsound_with_server_plays_through_it", 6, true, 0, "drivers: .*default;"},
    {"pulseaudio_with_server_lists_its_device", 14, true, 0, "drivers: pulse;\n"},
    {"alsa_without_device_ends_with_the_sound_error", 12, false, 255,
     "FMOD error! \\(62\\) The output device could not be opened"},
    {"unknown_type_ends_with_the_sound_error", 99, true, 255, "FMOD error! \\(37\\)"},
};

class SoundSystemOutput : public testing::TestWithParam<OutputCase>
{
};
}

TEST_P(SoundSystemOutput, initialises_with_the_playback_drivers_of_its_output)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const OutputCase& c = GetParam();
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            if (!c.withServer)
                CutOffFromTheServer();
            SoundSystem system;
            Configure(system, c.outputType);
            std::cerr << "drivers:";
            for (const std::string& name : system.EnlistDrivers())
                std::cerr << ' ' << name << ';';
            std::cerr << std::endl;
            std::exit(0);
        },
        testing::ExitedWithCode(c.status), c.output);
}

INSTANTIATE_TEST_SUITE_P(Outputs, SoundSystemOutput, testing::ValuesIn(OUTPUT_CASES),
                         [](const testing::TestParamInfo<OutputCase>& test) { return test.param.name; });

// ALSA and JACK report their probing on standard error unless silenced.
TEST(SoundSystemServer, start_up_and_capture_print_nothing_on_standard_error)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SoundSystem system;
            Configure(system, FMOD_OUTPUTTYPE_DSOUND);
            system.EnlistDrivers();
            system.EnlistRecordDrivers();
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, 8192);
            analyzer.Start(0);
            system.Update();
            analyzer.Update();
            analyzer.Stop();
            std::exit(0);
        },
        testing::ExitedWithCode(0), testing::IsEmpty());
}

TEST(SoundSystemServer, sound_file_that_is_missing_or_not_audio_ends_with_the_sound_error)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/nonexistent/velmora.wav", "FMOD error! \\(23\\) The sound file was not found"},
        {VELMORA_SOURCE_DIR "/CMakeLists.txt", "FMOD error! \\(25\\) The file is not in a sound format"},
        {"/tmp", "FMOD error! \\(19\\) The sound file is damaged or cannot be read"},
    };
    for (const auto& file : cases)
    {
        EXPECT_EXIT(
            {
                dup2(STDERR_FILENO, STDOUT_FILENO);
                SoundSystem system;
                Configure(system, FMOD_OUTPUTTYPE_NOSOUND);
                system.CreateSound(file.first.c_str(), FMOD_HARDWARE);
            },
            testing::ExitedWithCode(255), file.second)
            << file.first;
    }
}

TEST(SoundSystemServer, recording_reports_itself_until_stopped)
{
    SoundSystem system;
    Configure(system, FMOD_OUTPUTTYPE_NOSOUND);
    const std::vector<std::string> names = system.EnlistRecordDrivers();
    ASSERT_FALSE(names.empty()) << "run under tools/headless.sh";
    const int driver = static_cast<int>(names.size()) - 1;
    Sound sound = system.CreateSound(nullptr, FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE | FMOD_OPENUSER, 1,
                                     FMOD_SOUND_FORMAT_PCM16, SAMPLE_RATE);
    EXPECT_FALSE(system.IsRecording(driver));
    system.RecordStart(driver, sound, true);
    EXPECT_TRUE(system.IsRecording(driver));
    system.RecordStop(driver);
    EXPECT_FALSE(system.IsRecording(driver));
    sound.Release();
}
