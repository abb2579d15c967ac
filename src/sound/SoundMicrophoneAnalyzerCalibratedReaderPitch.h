#pragma once

#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"

// Maps the dominant frequency in Hz.
class SoundMicrophoneAnalyzerCalibratedReaderPitch : public SoundMicrophoneAnalyzerCalibratedReader
{
public:
    explicit SoundMicrophoneAnalyzerCalibratedReaderPitch(const SoundMicrophoneAnalyzer& analyzer);

    float GetRealValue() const override;
};
