#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"

#include "sound/SoundMicrophoneAnalyzer.h"

SoundMicrophoneAnalyzerCalibratedReaderPitch::SoundMicrophoneAnalyzerCalibratedReaderPitch(
    const SoundMicrophoneAnalyzer& soundAnalyzer)
    : SoundMicrophoneAnalyzerCalibratedReader(soundAnalyzer, CalibratedReaderTypePitch)
{
}

float SoundMicrophoneAnalyzerCalibratedReaderPitch::GetRealValue() const
{
    return m_analyzer.GetDominantHz();
}
