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
    : m_soundSystem(system),
      m_running(false),
      m_recordSound(),
      m_channel(),
      m_sampleRate(rate),
      m_spectrumSize(size),
      m_nyquist(0.5f * static_cast<float>(rate)),
      m_hzPerBin(m_nyquist / static_cast<float>(size)),
      m_spectrum(new float[size]),
      m_waveData(new float[size]),
      m_dominantHzActive(false),
      m_dominantHz(0.0f),
      m_volume(0.0f)
{
}

SoundMicrophoneAnalyzer::~SoundMicrophoneAnalyzer()
{
    Stop();
}

void SoundMicrophoneAnalyzer::Start(int recordDriver)
{
    Stop();
    m_recordSound = m_soundSystem.CreateSound(nullptr, FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE | FMOD_OPENUSER, 1,
                                          FMOD_SOUND_FORMAT_PCM16, m_sampleRate);
    m_soundSystem.RecordStart(recordDriver, m_recordSound, true);
    std::this_thread::sleep_for(PLAYBACK_DELAY);
    m_channel = m_soundSystem.PlaySound(FMOD_CHANNEL_REUSE, m_recordSound, false);
    m_channel.SetVolume(0.0f);
    m_running = true;
    m_dominantHzActive = false;
    m_dominantHz = 0.0f;
    m_volume = 0.0f;
}

void SoundMicrophoneAnalyzer::Stop()
{
    if (!m_running)
        return;
    m_channel.Stop();
    m_recordSound.Release();
    m_running = false;
}

void SoundMicrophoneAnalyzer::Update()
{
    if (!m_running)
        return;
    m_channel.GetSpectrum(m_spectrum.get(), m_spectrumSize, 0, FMOD_DSP_FFT_WINDOW_TRIANGLE);
    m_channel.GetWaveData(m_waveData.get(), m_spectrumSize, 0);
    Evaluate(m_spectrum.get(), m_waveData.get());
}

void SoundMicrophoneAnalyzer::Evaluate(const float* spectrumValues, const float* waveValues)
{
    m_volume = 0.0f;
    float bestValue = 0.0f;
    int bestIndex = 0;
    for (int i = 0; i < m_spectrumSize; ++i)
    {
        // Strict comparisons: among equal maxima the lowest index stays.
        if (spectrumValues[i] > SPECTRUM_THRESHOLD && spectrumValues[i] > bestValue)
        {
            bestValue = spectrumValues[i];
            bestIndex = i;
        }
        // The signed sample, so a wave below zero reads as silence.
        if (waveValues[i] > m_volume)
            m_volume = waveValues[i];
    }
    if (bestIndex == 0)
    {
        m_dominantHzActive = false;
        return;
    }
    m_dominantHzActive = true;
    // The lower edge of the bin.
    m_dominantHz = static_cast<float>(bestIndex) * m_hzPerBin;
}

bool SoundMicrophoneAnalyzer::IsRunning() const
{
    return m_running;
}

bool SoundMicrophoneAnalyzer::IsDominantHzActive() const
{
    return m_dominantHzActive;
}

float SoundMicrophoneAnalyzer::GetDominantHz() const
{
    return m_dominantHz;
}

float SoundMicrophoneAnalyzer::GetVolume() const
{
    return m_volume;
}
