#include "sound/SoundChannel.h"

#include "sound/ErrorCheck.h"

SoundChannel::SoundChannel() : m_channel(nullptr)
{
}

SoundChannel::SoundChannel(FMOD_CHANNEL* internal) : m_channel(internal)
{
}

SoundChannel::~SoundChannel()
{
}

void SoundChannel::SetVolume(float volume)
{
    errcheck(FMOD_Channel_SetVolume(m_channel, volume));
}

void SoundChannel::GetSpectrum(float* values, int count, int channelOffset, FMOD_DSP_FFT_WINDOW window)
{
    errcheck(FMOD_Channel_GetSpectrum(m_channel, values, count, channelOffset, window));
}

void SoundChannel::GetWaveData(float* values, int count, int channelOffset)
{
    errcheck(FMOD_Channel_GetWaveData(m_channel, values, count, channelOffset));
}

void SoundChannel::Stop()
{
    errcheck(FMOD_Channel_Stop(m_channel));
}

Sound SoundChannel::GetCurrentSound()
{
    FMOD_SOUND* sound = nullptr;
    if (FMOD_Channel_GetCurrentSound(m_channel, &sound) != FMOD_OK)
        return Sound();
    return Sound(sound);
}

bool SoundChannel::IsPlaying()
{
    FMOD_BOOL playing = 0;
    if (FMOD_Channel_IsPlaying(m_channel, &playing) != FMOD_OK)
        return false;
    return playing != 0;
}

FMOD_CHANNEL* SoundChannel::GetInternal()
{
    return m_channel;
}

bool SoundChannel::IsSet() const
{
    return m_channel != nullptr;
}
