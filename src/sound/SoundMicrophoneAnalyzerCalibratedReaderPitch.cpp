#include "sound/SoundMicrophoneAnalyzerCalibratedReaderPitch.h"

#include "sound/SoundMicrophoneAnalyzer.h"

SoundMicrophoneAnalyzerCalibratedReaderPitch::SoundMicrophoneAnalyzerCalibratedReaderPitch(
    const SoundMicrophoneAnalyzer& analyzer)
    : SoundMicrophoneAnalyzerCalibratedReader(analyzer, CalibratedReaderTypePitch)
{
}

float SoundMicrophoneAnalyzerCalibratedReaderPitch::GetRealValue() const
{
    return m_analyzer.GetDominantHz();
}
