#include "sound/SoundMicrophoneAnalyzer.h"

#include "sound/SoundSystem.h"

#include <chrono>
#include <thread>

namespace
{
// Lets the recording run ahead of the playback that is analysed.
const std::chrono::milliseconds PLAYBACK_DELAY(200);
// Spectrum values at or below this magnitude count as silence.
const float SPECTRUM_THRESHOLD = 0.01f;
}

SoundMicrophoneAnalyzer::SoundMicrophoneAnalyzer(SoundSystem& system, int rate, int size)
    : soundSystem(system),
      running(false),
      recordSound(),
      channel(),
      sampleRate(rate),
      spectrumSize(size),
      nyquist(0.5f * static_cast<float>(rate)),
      hzPerBin(nyquist / static_cast<float>(size)),
      spectrum(new float[size]),
      waveData(new float[size]),
      dominantHzActive(false),
      dominantHz(0.0f),
      volume(0.0f)
{
}

SoundMicrophoneAnalyzer::~SoundMicrophoneAnalyzer()
{
    Stop();
}

void SoundMicrophoneAnalyzer::Start(int recordDriver)
{
    Stop();
    recordSound = soundSystem.CreateSound(nullptr, FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE | FMOD_OPENUSER, 1,
                                          FMOD_SOUND_FORMAT_PCM16, sampleRate);
    soundSystem.RecordStart(recordDriver, recordSound, true);
    std::this_thread::sleep_for(PLAYBACK_DELAY);
    channel = soundSystem.PlaySound(FMOD_CHANNEL_REUSE, recordSound, false);
    channel.SetVolume(0.0f);
    running = true;
    dominantHzActive = false;
    dominantHz = 0.0f;
    volume = 0.0f;
}

void SoundMicrophoneAnalyzer::Stop()
{
    if (!running)
        return;
    channel.Stop();
    recordSound.Release();
    running = false;
}

void SoundMicrophoneAnalyzer::Update()
{
    if (!running)
        return;
    channel.GetSpectrum(spectrum.get(), spectrumSize, 0, FMOD_DSP_FFT_WINDOW_TRIANGLE);
    channel.GetWaveData(waveData.get(), spectrumSize, 0);
    Evaluate(spectrum.get(), waveData.get());
}

void SoundMicrophoneAnalyzer::Evaluate(const float* spectrumValues, const float* waveValues)
{
    volume = 0.0f;
    float bestValue = 0.0f;
    int bestIndex = 0;
    for (int i = 0; i < spectrumSize; ++i)
    {
        // Strict comparisons: among equal maxima the lowest index stays.
        if (spectrumValues[i] > SPECTRUM_THRESHOLD && spectrumValues[i] > bestValue)
        {
            bestValue = spectrumValues[i];
            bestIndex = i;
        }
        // The signed sample, so a wave below zero reads as silence.
        if (waveValues[i] > volume)
            volume = waveValues[i];
    }
    if (bestIndex == 0)
    {
        dominantHzActive = false;
        return;
    }
    dominantHzActive = true;
    // The lower edge of the bin.
    dominantHz = static_cast<float>(bestIndex) * hzPerBin;
}

bool SoundMicrophoneAnalyzer::IsRunning() const
{
    return running;
}

bool SoundMicrophoneAnalyzer::IsDominantHzActive() const
{
    return dominantHzActive;
}

float SoundMicrophoneAnalyzer::GetDominantHz() const
{
    return dominantHz;
}

float SoundMicrophoneAnalyzer::GetVolume() const
{
    return volume;
}
