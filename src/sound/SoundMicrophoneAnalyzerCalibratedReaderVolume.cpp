#include "sound/SoundMicrophoneAnalyzerCalibratedReaderVolume.h"

#include "sound/SoundMicrophoneAnalyzer.h"

SoundMicrophoneAnalyzerCalibratedReaderVolume::SoundMicrophoneAnalyzerCalibratedReaderVolume(
    const SoundMicrophoneAnalyzer& analyzer)
    : SoundMicrophoneAnalyzerCalibratedReader(analyzer, CalibratedReaderTypeVolume)
{
}

float SoundMicrophoneAnalyzerCalibratedReaderVolume::GetRealValue() const
{
    return m_analyzer.GetVolume();
}
