#pragma once

#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"

// Maps the largest sample value.
class SoundMicrophoneAnalyzerCalibratedReaderVolume : public SoundMicrophoneAnalyzerCalibratedReader
{
public:
    explicit SoundMicrophoneAnalyzerCalibratedReaderVolume(const SoundMicrophoneAnalyzer& analyzer);

    float GetRealValue() const override;
};
