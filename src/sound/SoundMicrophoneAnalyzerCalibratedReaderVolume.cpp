#include "sound/SoundMicrophoneAnalyzerCalibratedReaderVolume.h"

#include "sound/SoundMicrophoneAnalyzer.h"

SoundMicrophoneAnalyzerCalibratedReaderVolume::SoundMicrophoneAnalyzerCalibratedReaderVolume(
    const SoundMicrophoneAnalyzer& soundAnalyzer)
    : SoundMicrophoneAnalyzerCalibratedReader(soundAnalyzer, CalibratedReaderTypeVolume)
{
}

float SoundMicrophoneAnalyzerCalibratedReaderVolume::GetRealValue() const
{
    return m_analyzer.GetVolume();
}
