#include "platform/SpectrumAnalyzer.h"

#include <cmath>
#include <cstdlib>

namespace
{
const double TWO_PI = 6.283185307179586;

int Log2(int value)
{
    int result = 0;
    while ((1 << result) < value)
        ++result;
    return result;
}

double WindowValue(FMOD_DSP_FFT_WINDOW window, int i, int size)
{
    const double x = TWO_PI * i / (size - 1);
    switch (window)
    {
    case FMOD_DSP_FFT_WINDOW_TRIANGLE:
        // Bartlett: 0 at both ends, peak in the middle of the frame.
        return 1.0 - std::fabs(2.0 * i / (size - 1) - 1.0);
    case FMOD_DSP_FFT_WINDOW_HAMMING:
        return 0.54 - 0.46 * std::cos(x);
    case FMOD_DSP_FFT_WINDOW_HANNING:
        return 0.5 - 0.5 * std::cos(x);
    case FMOD_DSP_FFT_WINDOW_BLACKMAN:
        return 0.42 - 0.5 * std::cos(x) + 0.08 * std::cos(2.0 * x);
    case FMOD_DSP_FFT_WINDOW_BLACKMANHARRIS:
        return 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2.0 * x) - 0.01168 * std::cos(3.0 * x);
    case FMOD_DSP_FFT_WINDOW_RECT:
    default:
        return 1.0;
    }
}
}

SpectrumAnalyzer::SpectrumAnalyzer()
    : m_configs(),
      m_input(2 * MAX_VALUES, 0.0f),
      m_bins(MAX_VALUES + 1),
      m_windowTable(2 * MAX_VALUES, 1.0f),
      m_windowSize(0),
      m_windowType(FMOD_DSP_FFT_WINDOW_RECT),
      m_windowScale(1.0f)
{
    m_configs.fill(nullptr);
}

SpectrumAnalyzer::~SpectrumAnalyzer()
{
    for (kiss_fftr_cfg config : m_configs)
        kiss_fftr_free(config);
}

bool SpectrumAnalyzer::IsValidCount(int count)
{
    return count >= MIN_VALUES && count <= MAX_VALUES && (count & (count - 1)) == 0;
}

bool SpectrumAnalyzer::IsValidWindow(FMOD_DSP_FFT_WINDOW window)
{
    return window >= FMOD_DSP_FFT_WINDOW_RECT && window <= FMOD_DSP_FFT_WINDOW_BLACKMANHARRIS;
}

float* SpectrumAnalyzer::GetInput()
{
    return m_input.data();
}

bool SpectrumAnalyzer::Compute(int count, FMOD_DSP_FFT_WINDOW window, float* values)
{
    // Plans exist for the valid sizes only.
    if (!IsValidCount(count) || !IsValidWindow(window))
        return false;
    const int size = 2 * count;
    kiss_fftr_cfg config = GetConfig(size);
    if (!config)
        return false;
    PrepareWindow(size, window);
    float* samples = m_input.data();
    const float* weights = m_windowTable.data();
    for (int i = 0; i < size; ++i)
        samples[i] *= weights[i];
    kiss_fftr(config, samples, m_bins.data());
    const kiss_fft_cpx* out = m_bins.data();
    for (int k = 0; k < count; ++k)
        values[k] = std::sqrt(out[k].r * out[k].r + out[k].i * out[k].i) * m_windowScale;
    return true;
}

void SpectrumAnalyzer::PrepareWindow(int size, FMOD_DSP_FFT_WINDOW window)
{
    if (size == m_windowSize && window == m_windowType)
        return;
    double sum = 0.0;
    for (int i = 0; i < size; ++i)
    {
        m_windowTable[i] = static_cast<float>(WindowValue(window, i, size));
        sum += m_windowTable[i];
    }
    // A sine of amplitude A in the middle of a bin gives |X| = A x sum(w) / 2,
    // so scaling by 2 / sum(w) makes a full-scale sine read about 1.0 whatever
    // the window.
    m_windowScale = static_cast<float>(2.0 / sum);
    m_windowSize = size;
    m_windowType = window;
}

kiss_fftr_cfg SpectrumAnalyzer::GetConfig(int size)
{
    const int slot = Log2(size) - Log2(2 * MIN_VALUES);
    if (!m_configs[slot])
        m_configs[slot] = kiss_fftr_alloc(size, 0, nullptr, nullptr);
    return m_configs[slot];
}
