#pragma once

#include "platform/SoundLibrary.h"
#include "sound/Sound.h"
#include "sound/SoundChannel.h"

#include <boost/noncopyable.hpp>

#include <string>
#include <vector>

// Owns the sound layer's system object. Configure it in this order: create
// (constructor or ReleaseAndRecreate), SetOutputFormat, SetDriver,
// SetSoftwareFormat, Init; only then record, create sounds, play and Update.
// Every failing layer call ends the process through errcheck.
class SoundSystem : private boost::noncopyable
{
public:
    SoundSystem();
    virtual ~SoundSystem();

    // False (after a message on standard output) when the layer is too old.
    bool Create();
    void SetOutputFormat(FMOD_OUTPUTTYPE type);
    void SetDriver(int driver);
    void SetSoftwareFormat(int sampleRate, FMOD_SOUND_FORMAT format, int outputChannels, int maxInputChannels,
                           FMOD_DSP_RESAMPLER resampler);
    void Init(int maxChannels, unsigned int flags, void* extraDriverData);
    void Update();

    void RecordStart(int driver, Sound& sound, bool loop);
    void RecordStop(int driver);
    bool IsRecording(int driver);

    Sound CreateSound(const char* name, unsigned int mode);
    // A user sound (name may be null) of five seconds in the given layout.
    Sound CreateSound(const char* name, unsigned int mode, int channels, FMOD_SOUND_FORMAT format, int sampleRate);
    SoundChannel PlaySound(Sound& sound);
    SoundChannel PlaySound(FMOD_CHANNELINDEX index, Sound& sound, bool paused);

    // Playback and record driver names in the layer's index order.
    std::vector<std::string> EnlistDrivers();
    std::vector<std::string> EnlistRecordDrivers();

    bool ReleaseAndRecreate();
    void Release();
    bool HasSystem() const;
    // Init has run on the present system: a driver can no longer be chosen on it.
    bool IsInitialised() const;
    FMOD_SYSTEM* GetSystem();

private:
    FMOD_SYSTEM* m_system;
    bool m_initialised;
};
