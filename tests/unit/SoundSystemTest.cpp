#include "platform/SoundLibrary.h"
#include "platform/SoundLibraryTesting.h"
#include "sound/Sound.h"
#include "sound/SoundSystem.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct VersionCase
{
    unsigned int version;
    bool accepted;
    const char* output;
};

const VersionCase VERSION_CASES[] = {
    {0x00043005u, false, "Error!  You are using an old version of FMOD 274437.  This program requires 274438\n"},
    {0x00000000u, false, "Error!  You are using an old version of FMOD 0.  This program requires 274438\n"},
    {0x00043006u, true, ""},
    {0x00044000u, true, ""},
};

class SoundSystemVersion : public testing::TestWithParam<VersionCase>
{
protected:
    void TearDown() override { SoundLibrarySetReportedVersion(FMOD_VERSION); }
};

// A system that needs no device: no sound output, no recording.
void ConfigureSilent(SoundSystem& system)
{
    system.SetOutputFormat(FMOD_OUTPUTTYPE_NOSOUND);
    system.SetDriver(0);
    system.SetSoftwareFormat(48000, FMOD_SOUND_FORMAT_PCM16, 1, 0, FMOD_DSP_RESAMPLER_LINEAR);
    system.Init(32, FMOD_INIT_NORMAL, nullptr);
}

Sound CreateUserSound(SoundSystem& system)
{
    return system.CreateSound(nullptr, FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE | FMOD_OPENUSER, 1,
                              FMOD_SOUND_FORMAT_PCM16, 48000);
}
}

TEST_P(SoundSystemVersion, construction_checks_the_reported_version)
{
    const VersionCase& c = GetParam();
    SoundLibrarySetReportedVersion(c.version);
    testing::internal::CaptureStdout();
    SoundSystem system;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
    EXPECT_EQ(system.HasSystem(), c.accepted);
    EXPECT_EQ(system.GetSystem() != nullptr, c.accepted);
}

TEST_P(SoundSystemVersion, recreation_checks_the_reported_version)
{
    const VersionCase& c = GetParam();
    SoundSystem system;
    ASSERT_TRUE(system.HasSystem());
    SoundLibrarySetReportedVersion(c.version);
    testing::internal::CaptureStdout();
    EXPECT_EQ(system.ReleaseAndRecreate(), c.accepted);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.output);
    EXPECT_EQ(system.HasSystem(), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Versions, SoundSystemVersion, testing::ValuesIn(VERSION_CASES),
                         [](const testing::TestParamInfo<VersionCase>& test) {
                             return "version_" + std::to_string(test.param.version);
                         });

namespace
{
struct UserSoundCase
{
    int channels;
    int sampleRate;
    unsigned int frames;
};

// rate x channels x 10 bytes of 16-bit samples: five seconds.
const UserSoundCase USER_SOUND_CASES[] = {
    {1, 48000, 240000},
    {2, 44100, 220500},
    {1, 8000, 40000},
};

class SoundSystemUserSound : public testing::TestWithParam<UserSoundCase>
{
};
}

TEST_P(SoundSystemUserSound, holds_five_seconds_of_16_bit_samples)
{
    const UserSoundCase& c = GetParam();
    SoundSystem system;
    ConfigureSilent(system);
    Sound sound = system.CreateSound(nullptr, FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE | FMOD_OPENUSER, c.channels,
                                     FMOD_SOUND_FORMAT_PCM16, c.sampleRate);
    EXPECT_EQ(SoundLibraryGetSoundFrames(sound.GetInternal()), c.frames);
    sound.Release();
}

INSTANTIATE_TEST_SUITE_P(Layouts, SoundSystemUserSound, testing::ValuesIn(USER_SOUND_CASES),
                         [](const testing::TestParamInfo<UserSoundCase>& test) {
                             return std::to_string(test.param.channels) + "_channels_at_" +
                                    std::to_string(test.param.sampleRate);
                         });

TEST(SoundHandle, release_clears_the_handle_so_a_second_release_does_nothing)
{
    SoundSystem system;
    ConfigureSilent(system);
    Sound sound = CreateUserSound(system);
    ASSERT_TRUE(sound.IsSet());
    Sound copy = sound;
    EXPECT_EQ(copy.GetInternal(), sound.GetInternal());
    sound.Release();
    EXPECT_FALSE(sound.IsSet());
    sound.Release();
    // The copy still names the freed sound; the layer knows it is gone.
    EXPECT_EQ(FMOD_Sound_Release(copy.GetInternal()), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(SoundLibraryGetSoundFrames(copy.GetInternal()), 0u);
}

TEST(SoundHandle, empty_handle_release_makes_no_call)
{
    Sound empty;
    EXPECT_FALSE(empty.IsSet());
    empty.Release();
    EXPECT_FALSE(empty.IsSet());
}

TEST(SoundHandle, destroying_a_copy_leaves_the_sound_alive)
{
    SoundSystem system;
    ConfigureSilent(system);
    Sound sound = CreateUserSound(system);
    {
        Sound copy = sound;
    }
    SoundChannel channel = system.PlaySound(sound);
    EXPECT_TRUE(channel.IsPlaying());
    EXPECT_EQ(channel.GetCurrentSound().GetInternal(), sound.GetInternal());
}

// The system frees its sounds with it; a later release of such a sound, as a
// reload after the sound card was changed does, finds nothing left to free.
TEST(SoundHandle, release_after_the_system_was_recreated_succeeds)
{
    SoundSystem system;
    ConfigureSilent(system);
    Sound sound = CreateUserSound(system);
    ASSERT_TRUE(system.ReleaseAndRecreate());
    EXPECT_EQ(FMOD_Sound_Release(sound.GetInternal()), FMOD_OK);
    sound.Release();
    EXPECT_FALSE(sound.IsSet());
}

TEST(SoundChannelHandle, queries_on_an_empty_handle_fail_quietly)
{
    SoundChannel empty;
    EXPECT_FALSE(empty.IsSet());
    EXPECT_FALSE(empty.IsPlaying());
    EXPECT_FALSE(empty.GetCurrentSound().IsSet());
}

TEST(SoundChannelHandle, stopped_channel_is_no_longer_playing)
{
    SoundSystem system;
    ConfigureSilent(system);
    Sound sound = CreateUserSound(system);
    SoundChannel channel = system.PlaySound(FMOD_CHANNEL_REUSE, sound, false);
    SoundChannel copy = channel;
    ASSERT_TRUE(copy.IsPlaying());
    channel.Stop();
    EXPECT_FALSE(copy.IsPlaying());
    EXPECT_FALSE(copy.GetCurrentSound().IsSet());
}
