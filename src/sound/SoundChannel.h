#pragma once

#include "platform/SoundLibrary.h"
#include "sound/Sound.h"

// A handle to a playing channel of the sound layer. It does not own the
// channel, which ends by Stop or when its sound ends.
class SoundChannel
{
public:
    SoundChannel();
    explicit SoundChannel(FMOD_CHANNEL* internal);
    SoundChannel(const SoundChannel&) = default;
    SoundChannel& operator=(const SoundChannel&) = default;
    virtual ~SoundChannel();

    void SetVolume(float volume);
    // count magnitudes from 0 Hz up to half the sample rate, before the channel volume.
    void GetSpectrum(float* values, int count, int channelOffset, FMOD_DSP_FFT_WINDOW window);
    // The count most recent samples, -1..1, before the channel volume.
    void GetWaveData(float* values, int count, int channelOffset);
    void Stop();
    // Not error-checked: an empty Sound when the query fails.
    Sound GetCurrentSound();
    // Not error-checked: false when the query fails.
    bool IsPlaying();
    FMOD_CHANNEL* GetInternal();
    bool IsSet() const;

private:
    FMOD_CHANNEL* m_channel;
};
