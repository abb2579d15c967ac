// Needs the sound server of tools/headless.sh. Each case runs in a child of
// its own that reads an ALSA configuration of the test's own besides the
// system's: devices listed ahead of the server's, as raw hardware devices are
// on a desktop, a stereo microphone that hears the voice on its right side
// alone (a recording of the test's own, paced by the server), and a device of
// the server that does not exist.
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"
#include "support/MicFeeder.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const int SPECTRUM_SIZE = 8192;
const float HZ_PER_BIN = 24000.0f / SPECTRUM_SIZE;

const char* const ALSA_CONFIGURATION = R"(
pcm.first { type null }
pcm.second { type null }
pcm.gone {
    type pulse
    device "nosuchdevice"
}
pcm.rightmic {
    type file
    slave.pcm "pulse"
    file "/dev/null"
    infile "RIGHT"
    format "raw"
}
)";
// What the right-side microphone hears, as 32-bit float stereo frames.
const char* const RIGHT_RECORDING = "right.raw";

// Points ALSA at the system's configuration and the test's own; only a child
// may do this, before the sound system is created.
void UseTestDevices(const ScratchFolder& folder)
{
    std::string configuration = ALSA_CONFIGURATION;
    configuration.replace(configuration.find("RIGHT"), 5, folder.File(RIGHT_RECORDING));
    folder.Write("asound.conf", configuration);
    const std::string path = "/usr/share/alsa/alsa.conf:" + folder.File("asound.conf");
    setenv("ALSA_CONFIG_PATH", path.c_str(), 1);
}

void Configure(SoundSystem& system, FMOD_OUTPUTTYPE output, int driver)
{
    system.SetOutputFormat(output);
    system.SetDriver(driver);
    system.SetSoftwareFormat(SAMPLE_RATE, FMOD_SOUND_FORMAT_PCM16, 1, 0, FMOD_DSP_RESAMPLER_LINEAR);
    system.Init(32, FMOD_INIT_NORMAL, nullptr);
}

int IndexOf(const std::vector<std::string>& names, const std::string& name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

// The names of the list that this test knows, in list order.
std::string KnownNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        if (name == "first" || name == "second" || name == "pulse" || name == "default")
            text += name + ";";
    return text;
}
}

TEST(SoundDevices, driver_0_is_the_default_device_then_the_others_in_their_order)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ScratchFolder folder;
            UseTestDevices(folder);
            SoundSystem system;
            Configure(system, FMOD_OUTPUTTYPE_ALSA, 0);
            std::cerr << "playback: " << system.EnlistDrivers()[0] << " | " << KnownNames(system.EnlistDrivers())
                      << "\nrecord: " << system.EnlistRecordDrivers()[0] << " | "
                      << KnownNames(system.EnlistRecordDrivers()) << std::endl;
            std::exit(0);
        },
        testing::ExitedWithCode(0),
        "playback: default \\| default;first;second;pulse;\nrecord: default \\| default;first;second;pulse;\n");
}

// Opened in mono, the stereo frames would be read as mono ones; opened with
// its two channels and mixed down, the voice on the right is heard at half
// its level.
TEST(SoundDevices, stereo_microphone_with_the_voice_on_one_side_is_mixed_down_to_mono)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ScratchFolder folder;
            UseTestDevices(folder);
            std::vector<float> frames;
            for (int i = 0; i < 5 * SAMPLE_RATE; ++i)
            {
                frames.push_back(0.0f);
                frames.push_back(static_cast<float>(0.5 * std::sin(2.0 * 3.141592653589793 * 440.0 * i / SAMPLE_RATE)));
            }
            folder.Write(RIGHT_RECORDING, std::string(reinterpret_cast<const char*>(frames.data()),
                                                      frames.size() * sizeof(float)));
            // Keeps the server's microphone, which paces the device, running.
            MicFeeder feeder;
            SoundSystem system;
            Configure(system, FMOD_OUTPUTTYPE_NOSOUND, 0);
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
            analyzer.Start(IndexOf(system.EnlistRecordDrivers(), "rightmic"));
            bool heard = false;
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
            while (!heard && std::chrono::steady_clock::now() < end)
            {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
                system.Update();
                analyzer.Update();
                heard = analyzer.IsDominantHzActive() &&
                        std::fabs(analyzer.GetDominantHz() - 439.453125f) <= HZ_PER_BIN &&
                        std::fabs(analyzer.GetVolume() - 0.25f) < 0.02f;
            }
            std::cerr << (heard ? "heard the voice at half its level" : "missed the voice") << ": "
                      << analyzer.GetDominantHz() << " Hz, volume " << analyzer.GetVolume() << std::endl;
            analyzer.Stop();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "heard the voice at half its level");
}

TEST(SoundDevices, device_that_cannot_be_opened_ends_with_the_sound_error_naming_it)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            ScratchFolder folder;
            UseTestDevices(folder);
            SoundSystem probe;
            probe.SetOutputFormat(FMOD_OUTPUTTYPE_ALSA);
            const int gone = IndexOf(probe.EnlistDrivers(), "gone");
            probe.Release();
            SoundSystem system;
            Configure(system, FMOD_OUTPUTTYPE_ALSA, gone);
        },
        testing::ExitedWithCode(255), "FMOD error! \\(62\\) The output device \"gone\" could not be opened\\.");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            ScratchFolder folder;
            UseTestDevices(folder);
            SoundSystem system;
            Configure(system, FMOD_OUTPUTTYPE_NOSOUND, 0);
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
            analyzer.Start(IndexOf(system.EnlistRecordDrivers(), "gone"));
        },
        testing::ExitedWithCode(255),
        "FMOD error! \\(72\\) Recording failed: the recording device \"gone\" could not be opened\\.");
}
