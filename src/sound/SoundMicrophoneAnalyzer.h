#pragma once

#include "sound/Sound.h"
#include "sound/SoundChannel.h"

#include <boost/noncopyable.hpp>

#include <memory>

class SoundSystem;

// Records the microphone into a looping user sound, plays it on a muted
// channel and, once per Update, derives the dominant frequency and the volume
// from that channel's spectrum and waveform.
class SoundMicrophoneAnalyzer : private boost::noncopyable
{
public:
    SoundMicrophoneAnalyzer(SoundSystem& system, int rate, int size);
    virtual ~SoundMicrophoneAnalyzer();

    // (Re)starts capture on the record driver; blocks for 200 ms so that
    // playback trails the recording.
    void Start(int recordDriver);
    void Stop();
    void Update();

    // Recomputes the results from spectrumSize spectrum values and wave
    // samples; Update feeds it the channel's data.
    void Evaluate(const float* spectrumValues, const float* waveValues);

    bool IsRunning() const;
    bool IsDominantHzActive() const;
    float GetDominantHz() const;
    float GetVolume() const;

private:
    SoundSystem& m_soundSystem;
    bool m_running;
    Sound m_recordSound;
    SoundChannel m_channel;
    int m_sampleRate;
    int m_spectrumSize;
    float m_nyquist;
    float m_hzPerBin;
    std::unique_ptr<float[]> m_spectrum;
    std::unique_ptr<float[]> m_waveData;
    bool m_dominantHzActive;
    float m_dominantHz;
    float m_volume;
};
