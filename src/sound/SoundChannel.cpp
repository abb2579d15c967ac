#include "sound/SoundChannel.h"

#include "sound/ErrorCheck.h"

SoundChannel::SoundChannel() : channel(nullptr)
{
}

SoundChannel::SoundChannel(FMOD_CHANNEL* internal) : channel(internal)
{
}

SoundChannel::~SoundChannel()
{
}

void SoundChannel::SetVolume(float volume)
{
    errcheck(FMOD_Channel_SetVolume(channel, volume));
}

void SoundChannel::GetSpectrum(float* values, int count, int channelOffset, FMOD_DSP_FFT_WINDOW window)
{
    errcheck(FMOD_Channel_GetSpectrum(channel, values, count, channelOffset, window));
}

void SoundChannel::GetWaveData(float* values, int count, int channelOffset)
{
    errcheck(FMOD_Channel_GetWaveData(channel, values, count, channelOffset));
}

void SoundChannel::Stop()
{
    errcheck(FMOD_Channel_Stop(channel));
}

Sound SoundChannel::GetCurrentSound()
{
    FMOD_SOUND* sound = nullptr;
    if (FMOD_Channel_GetCurrentSound(channel, &sound) != FMOD_OK)
        return Sound();
    return Sound(sound);
}

bool SoundChannel::IsPlaying()
{
    FMOD_BOOL playing = 0;
    if (FMOD_Channel_IsPlaying(channel, &playing) != FMOD_OK)
        return false;
    return playing != 0;
}

FMOD_CHANNEL* SoundChannel::GetInternal()
{
    return channel;
}

bool SoundChannel::IsSet() const
{
    return channel != nullptr;
}
