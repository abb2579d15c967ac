#pragma once

#include <boost/noncopyable.hpp>

class SoundMicrophoneAnalyzer;

// The kind of raw voice measure a reader maps; stored as an int in the
// preferences (fixed underlying type: a stored value outside the list stays valid).
enum CalibratedReaderType : int
{
    CalibratedReaderTypePitch = 0,
    CalibratedReaderTypeVolume = 1
};

// Maps one raw measure of the analyzer linearly between a lower and an upper
// limit onto 0..1. While no dominant frequency is heard an override set by
// the player may stand in for the mapped value.
class SoundMicrophoneAnalyzerCalibratedReader : private boost::noncopyable
{
public:
    // The value returned when both limits are equal and nothing can be mapped.
    static const float EQUAL_LIMITS_VALUE;

    SoundMicrophoneAnalyzerCalibratedReader(const SoundMicrophoneAnalyzer& analyzer,
                                            CalibratedReaderType readerType);
    virtual ~SoundMicrophoneAnalyzerCalibratedReader() = default;

    virtual float GetRealValue() const = 0;

    CalibratedReaderType GetType() const { return m_readerType; }
    void SetCalibrationLower(float value);
    void SetCalibrationUpper(float value);
    float GetCalibrationLower() const { return m_calibrationLower; }
    float GetCalibrationUpper() const { return m_calibrationUpper; }

    // Clears the override as soon as a dominant frequency is active.
    float GetCalibratedValue() const;
    // -1 clears the override.
    void SetCalibratedValue(float value) { m_calibratedValueOverride = value; }

protected:
    const SoundMicrophoneAnalyzer& m_analyzer;

private:
    float GetMappedValue() const;

    CalibratedReaderType m_readerType;
    float m_calibrationLower;
    float m_calibrationUpper;
    float m_calibrationRange;
    mutable float m_calibratedValueOverride;
};
