#pragma once

#include "platform/SoundLibrary.h"

#include <kiss_fftr.h>

#include <boost/noncopyable.hpp>

#include <array>
#include <vector>

// Magnitude spectra of real signals. Buffers and FFT plans are kept, so after
// the first call of a size nothing is allocated.
class SpectrumAnalyzer : private boost::noncopyable
{
public:
    static const int MIN_VALUES = 64;
    static const int MAX_VALUES = 8192;

    SpectrumAnalyzer();
    ~SpectrumAnalyzer();

    // A power of two from MIN_VALUES to MAX_VALUES.
    static bool IsValidCount(int count);
    static bool IsValidWindow(FMOD_DSP_FFT_WINDOW window);

    // Where the caller puts the 2 x count samples, oldest first.
    float* GetInput();
    // Transforms the 2 x count samples of GetInput() into count magnitudes from
    // 0 Hz up to (not including) half the sample rate; false for a count or
    // window outside the valid ones, or when no FFT plan could be made.
    bool Compute(int count, FMOD_DSP_FFT_WINDOW window, float* values);

private:
    void PrepareWindow(int size, FMOD_DSP_FFT_WINDOW window);
    kiss_fftr_cfg GetConfig(int size);

    std::array<kiss_fftr_cfg, 8> m_configs;
    std::vector<float> m_input;
    std::vector<kiss_fft_cpx> m_bins;
    std::vector<float> m_windowTable;
    int m_windowSize;
    FMOD_DSP_FFT_WINDOW m_windowType;
    float m_windowScale;
};
