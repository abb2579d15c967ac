#include "sound/SoundMicrophoneAnalyzerCalibratedReader.h"

#include "sound/SoundMicrophoneAnalyzer.h"

namespace
{
const float NO_OVERRIDE = -1.0f;
}

const float SoundMicrophoneAnalyzerCalibratedReader::EQUAL_LIMITS_VALUE = 0.5f;

SoundMicrophoneAnalyzerCalibratedReader::SoundMicrophoneAnalyzerCalibratedReader(
    const SoundMicrophoneAnalyzer& analyzer, CalibratedReaderType readerType)
    : m_analyzer(analyzer), m_readerType(readerType), m_calibrationLower(0.0f), m_calibrationUpper(0.0f),
      m_calibrationRange(0.0f), m_calibratedValueOverride(NO_OVERRIDE)
{
}

void SoundMicrophoneAnalyzerCalibratedReader::SetCalibrationLower(float value)
{
    m_calibrationLower = value;
    m_calibrationRange = m_calibrationUpper - value;
}

void SoundMicrophoneAnalyzerCalibratedReader::SetCalibrationUpper(float value)
{
    m_calibrationUpper = value;
    m_calibrationRange = value - m_calibrationLower;
}

float SoundMicrophoneAnalyzerCalibratedReader::GetCalibratedValue() const
{
    if (m_analyzer.IsDominantHzActive())
    {
        m_calibratedValueOverride = NO_OVERRIDE;
        return GetMappedValue();
    }
    if (m_calibratedValueOverride != NO_OVERRIDE)
        return m_calibratedValueOverride;
    return GetMappedValue();
}

float SoundMicrophoneAnalyzerCalibratedReader::GetMappedValue() const
{
    // Equal limits leave nothing to map between; the middle keeps the dragon level.
    if (m_calibrationRange == 0.0f)
        return EQUAL_LIMITS_VALUE;
    const float mapped = (GetRealValue() - m_calibrationLower) / m_calibrationRange;
    if (mapped < 0.0f)
        return 0.0f;
    if (mapped > 1.0f)
        return 1.0f;
    return mapped;
}
