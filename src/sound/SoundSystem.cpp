#include "sound/SoundSystem.h"

#include "sound/ErrorCheck.h"

#include <cstring>
#include <iostream>

namespace
{
// 4.30.06, the oldest interface the game works with.
const unsigned int REQUIRED_VERSION = 0x00043006;
const int DRIVER_NAME_LENGTH = 256;
// A user sound holds this many seconds of 16-bit samples.
const unsigned int USER_SOUND_SECONDS_X2 = 10;

typedef FMOD_RESULT (*DriverCountCall)(FMOD_SYSTEM*, int*);
typedef FMOD_RESULT (*DriverInfoCall)(FMOD_SYSTEM*, int, char*, int, FMOD_GUID*);

// Playback and record drivers are listed the same way, by count and index.
std::vector<std::string> DriverNames(FMOD_SYSTEM* system, DriverCountCall countCall, DriverInfoCall infoCall)
{
    std::vector<std::string> names;
    int count = 0;
    errcheck(countCall(system, &count));
    for (int i = 0; i < count; ++i)
    {
        char name[DRIVER_NAME_LENGTH] = {};
        errcheck(infoCall(system, i, name, DRIVER_NAME_LENGTH, nullptr));
        names.push_back(std::string(name));
    }
    return names;
}
}

SoundSystem::SoundSystem() : m_system(nullptr), m_initialised(false)
{
    if (!Create())
        m_system = nullptr;
}

SoundSystem::~SoundSystem()
{
    Release();
}

bool SoundSystem::Create()
{
    m_initialised = false;
    errcheck(FMOD_System_Create(&m_system));
    unsigned int version = 0;
    errcheck(FMOD_System_GetVersion(m_system, &version));
    if (version < REQUIRED_VERSION)
    {
        std::cout << "Error!  You are using an old version of FMOD " << version << ".  This program requires "
                  << REQUIRED_VERSION << std::endl;
        // The refused system is of no use; free it rather than leak it.
        FMOD_System_Release(m_system);
        m_system = nullptr;
        return false;
    }
    return true;
}

void SoundSystem::SetOutputFormat(FMOD_OUTPUTTYPE type)
{
    errcheck(FMOD_System_SetOutput(m_system, type));
}

void SoundSystem::SetDriver(int driver)
{
    errcheck(FMOD_System_SetDriver(m_system, driver));
}

void SoundSystem::SetSoftwareFormat(int sampleRate, FMOD_SOUND_FORMAT format, int outputChannels,
                                    int maxInputChannels, FMOD_DSP_RESAMPLER resampler)
{
    errcheck(FMOD_System_SetSoftwareFormat(m_system, sampleRate, format, outputChannels, maxInputChannels, resampler));
}

void SoundSystem::Init(int maxChannels, unsigned int flags, void* extraDriverData)
{
    errcheck(FMOD_System_Init(m_system, maxChannels, flags, extraDriverData));
    m_initialised = true;
}

void SoundSystem::Update()
{
    errcheck(FMOD_System_Update(m_system));
}

void SoundSystem::RecordStart(int driver, Sound& sound, bool loop)
{
    errcheck(FMOD_System_RecordStart(m_system, driver, sound.GetInternal(), loop ? 1 : 0));
}

void SoundSystem::RecordStop(int driver)
{
    errcheck(FMOD_System_RecordStop(m_system, driver));
}

bool SoundSystem::IsRecording(int driver)
{
    FMOD_BOOL recording = 0;
    errcheck(FMOD_System_IsRecording(m_system, driver, &recording));
    return recording != 0;
}

Sound SoundSystem::CreateSound(const char* name, unsigned int mode)
{
    FMOD_SOUND* sound = nullptr;
    errcheck(FMOD_System_CreateSound(m_system, name, mode, nullptr, &sound));
    return Sound(sound);
}

Sound SoundSystem::CreateSound(const char* name, unsigned int mode, int channels, FMOD_SOUND_FORMAT format,
                               int sampleRate)
{
    FMOD_CREATESOUNDEXINFO info;
    std::memset(&info, 0, sizeof(info));
    info.cbsize = sizeof(FMOD_CREATESOUNDEXINFO);
    info.length = static_cast<unsigned int>(sampleRate) * static_cast<unsigned int>(channels) * USER_SOUND_SECONDS_X2;
    info.numchannels = channels;
    info.defaultfrequency = sampleRate;
    info.format = format;
    FMOD_SOUND* sound = nullptr;
    errcheck(FMOD_System_CreateSound(m_system, name, mode, &info, &sound));
    return Sound(sound);
}

SoundChannel SoundSystem::PlaySound(Sound& sound)
{
    return PlaySound(FMOD_CHANNEL_FREE, sound, false);
}

SoundChannel SoundSystem::PlaySound(FMOD_CHANNELINDEX index, Sound& sound, bool paused)
{
    FMOD_CHANNEL* channel = nullptr;
    errcheck(FMOD_System_PlaySound(m_system, index, sound.GetInternal(), paused ? 1 : 0, &channel));
    return SoundChannel(channel);
}

std::vector<std::string> SoundSystem::EnlistDrivers()
{
    return DriverNames(m_system, &FMOD_System_GetNumDrivers, &FMOD_System_GetDriverInfo);
}

std::vector<std::string> SoundSystem::EnlistRecordDrivers()
{
    return DriverNames(m_system, &FMOD_System_GetRecordNumDrivers, &FMOD_System_GetRecordDriverInfo);
}

bool SoundSystem::ReleaseAndRecreate()
{
    Release();
    if (Create())
        return true;
    m_system = nullptr;
    return false;
}

void SoundSystem::Release()
{
    if (!m_system)
        return;
    errcheck(FMOD_System_Release(m_system));
    m_system = nullptr;
    m_initialised = false;
}

bool SoundSystem::HasSystem() const
{
    return m_system != nullptr;
}

bool SoundSystem::IsInitialised() const
{
    return m_initialised;
}

FMOD_SYSTEM* SoundSystem::GetSystem()
{
    return m_system;
}
