// The sound layer's calls without a device: no sound output, no recording.
#include "platform/SoundLibrary.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
const FMOD_MODE USER_MODE = FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE | FMOD_OPENUSER;

class SoundLibrary : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
        ASSERT_EQ(FMOD_System_SetOutput(system, FMOD_OUTPUTTYPE_NOSOUND), FMOD_OK);
        ASSERT_EQ(FMOD_System_SetDriver(system, 0), FMOD_OK);
        ASSERT_EQ(FMOD_System_SetSoftwareFormat(system, 48000, FMOD_SOUND_FORMAT_PCM16, 1, 0,
                                                FMOD_DSP_RESAMPLER_LINEAR),
                  FMOD_OK);
    }

    void TearDown() override { FMOD_System_Release(system); }

    void Init() { ASSERT_EQ(FMOD_System_Init(system, 32, FMOD_INIT_NORMAL, nullptr), FMOD_OK); }

    FMOD_RESULT CreateUserSound(FMOD_SOUND** sound)
    {
        FMOD_CREATESOUNDEXINFO info = {};
        info.cbsize = sizeof(info);
        info.length = 48000 * 10;
        info.numchannels = 1;
        info.defaultfrequency = 48000;
        info.format = FMOD_SOUND_FORMAT_PCM16;
        return FMOD_System_CreateSound(system, nullptr, USER_MODE, &info, sound);
    }

    FMOD_SYSTEM* system = nullptr;
};

void WriteWav(const std::string& path, int frames)
{
    SF_INFO info = {};
    info.samplerate = 44100;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<float>(0.5 * std::sin(0.06 * i));
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}
}

TEST_F(SoundLibrary, calls_out_of_the_configuration_order_fail)
{
    FMOD_SOUND* sound = nullptr;
    EXPECT_EQ(CreateUserSound(&sound), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(FMOD_System_Update(system), FMOD_ERR_UNINITIALIZED);
    Init();
    EXPECT_EQ(FMOD_System_SetOutput(system, FMOD_OUTPUTTYPE_ALSA), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(FMOD_System_SetDriver(system, 0), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(FMOD_System_Init(system, 32, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(FMOD_System_Update(system), FMOD_OK);
}

TEST_F(SoundLibrary, wav_file_loads_and_plays)
{
    ScratchFolder folder;
    WriteWav(folder.File("tone.wav"), 4410);
    Init();
    FMOD_SOUND* sound = nullptr;
    ASSERT_EQ(FMOD_System_CreateSound(system, folder.File("tone.wav").c_str(), FMOD_HARDWARE, nullptr, &sound),
              FMOD_OK);
    FMOD_CHANNEL* channel = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &channel), FMOD_OK);
    FMOD_BOOL playing = 0;
    EXPECT_EQ(FMOD_Channel_IsPlaying(channel, &playing), FMOD_OK);
    EXPECT_EQ(playing, 1);
    FMOD_SOUND* current = nullptr;
    EXPECT_EQ(FMOD_Channel_GetCurrentSound(channel, &current), FMOD_OK);
    EXPECT_EQ(current, sound);
    EXPECT_EQ(FMOD_Sound_Release(sound), FMOD_OK);
    // Releasing the sound ends its channel.
    EXPECT_EQ(FMOD_Channel_IsPlaying(channel, &playing), FMOD_OK);
    EXPECT_EQ(playing, 0);
}

TEST_F(SoundLibrary, reuse_keeps_the_channel_that_is_handed_in)
{
    Init();
    FMOD_SOUND* sound = nullptr;
    ASSERT_EQ(CreateUserSound(&sound), FMOD_OK);
    FMOD_CHANNEL* first = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_REUSE, sound, 0, &first), FMOD_OK);
    ASSERT_NE(first, nullptr);
    FMOD_CHANNEL* again = first;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_REUSE, sound, 0, &again), FMOD_OK);
    EXPECT_EQ(again, first);
    FMOD_CHANNEL* other = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &other), FMOD_OK);
    EXPECT_NE(other, first);
}

TEST_F(SoundLibrary, every_channel_looping_leaves_none_free)
{
    Init();
    FMOD_SOUND* sound = nullptr;
    ASSERT_EQ(CreateUserSound(&sound), FMOD_OK);
    for (int i = 0; i < 32; ++i)
    {
        FMOD_CHANNEL* channel = nullptr;
        ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &channel), FMOD_OK) << i;
    }
    FMOD_CHANNEL* channel = nullptr;
    EXPECT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &channel), FMOD_ERR_CHANNEL_ALLOC);
}

TEST_F(SoundLibrary, stopped_channel_handle_is_stale_for_every_read)
{
    Init();
    FMOD_SOUND* sound = nullptr;
    ASSERT_EQ(CreateUserSound(&sound), FMOD_OK);
    FMOD_CHANNEL* channel = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &channel), FMOD_OK);
    std::vector<float> values(1024);
    EXPECT_EQ(FMOD_Channel_GetSpectrum(channel, values.data(), 1024, 0, FMOD_DSP_FFT_WINDOW_TRIANGLE), FMOD_OK);
    EXPECT_EQ(FMOD_Channel_GetWaveData(channel, values.data(), 1024, 0), FMOD_OK);
    ASSERT_EQ(FMOD_Channel_Stop(channel), FMOD_OK);
    EXPECT_EQ(FMOD_Channel_GetSpectrum(channel, values.data(), 1024, 0, FMOD_DSP_FFT_WINDOW_TRIANGLE),
              FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_Channel_GetWaveData(channel, values.data(), 1024, 0), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_Channel_SetVolume(channel, 0.0f), FMOD_ERR_INVALID_HANDLE);
    // A new sound on the same channel leaves the old handle stale.
    FMOD_CHANNEL* next = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &next), FMOD_OK);
    EXPECT_NE(next, channel);
    EXPECT_EQ(FMOD_Channel_SetVolume(channel, 0.0f), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_Channel_SetVolume(next, 0.0f), FMOD_OK);
}

TEST_F(SoundLibrary, spectrum_and_wave_reads_refuse_bad_parameters)
{
    Init();
    FMOD_SOUND* sound = nullptr;
    ASSERT_EQ(CreateUserSound(&sound), FMOD_OK);
    FMOD_CHANNEL* channel = nullptr;
    ASSERT_EQ(FMOD_System_PlaySound(system, FMOD_CHANNEL_FREE, sound, 0, &channel), FMOD_OK);
    std::vector<float> values(16384);
    for (int count : {0, 32, 100, 16384})
        EXPECT_EQ(FMOD_Channel_GetSpectrum(channel, values.data(), count, 0, FMOD_DSP_FFT_WINDOW_RECT),
                  FMOD_ERR_INVALID_PARAM)
            << count;
    EXPECT_EQ(FMOD_Channel_GetSpectrum(channel, values.data(), 1024, 1, FMOD_DSP_FFT_WINDOW_RECT),
              FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FMOD_Channel_GetSpectrum(channel, nullptr, 1024, 0, FMOD_DSP_FFT_WINDOW_RECT), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FMOD_Channel_GetWaveData(channel, values.data(), 0, 0), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FMOD_Channel_GetWaveData(channel, values.data(), 1024, 1), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(FMOD_Channel_SetVolume(channel, std::nanf("")), FMOD_ERR_INVALID_FLOAT);
}

TEST_F(SoundLibrary, user_sound_needs_its_extra_information)
{
    Init();
    FMOD_SOUND* sound = nullptr;
    EXPECT_EQ(FMOD_System_CreateSound(system, nullptr, USER_MODE, nullptr, &sound), FMOD_ERR_INVALID_PARAM);
    FMOD_CREATESOUNDEXINFO info = {};
    info.cbsize = 100;
    info.length = 480000;
    info.numchannels = 1;
    info.defaultfrequency = 48000;
    info.format = FMOD_SOUND_FORMAT_PCM16;
    EXPECT_EQ(FMOD_System_CreateSound(system, nullptr, USER_MODE, &info, &sound), FMOD_ERR_INVALID_PARAM);
    info.cbsize = sizeof(info);
    info.format = FMOD_SOUND_FORMAT_NONE;
    EXPECT_EQ(FMOD_System_CreateSound(system, nullptr, USER_MODE, &info, &sound), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(sound, nullptr);
}

TEST(SoundLibraryHandles, calls_on_a_released_system_fail)
{
    FMOD_SYSTEM* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    ASSERT_EQ(FMOD_System_Release(system), FMOD_OK);
    unsigned int version = 0;
    EXPECT_EQ(FMOD_System_GetVersion(system, &version), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_System_SetOutput(system, FMOD_OUTPUTTYPE_NOSOUND), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_System_Release(system), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(FMOD_System_GetVersion(nullptr, &version), FMOD_ERR_INVALID_HANDLE);
}
