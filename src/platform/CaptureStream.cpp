#include "platform/CaptureStream.h"


CaptureStream::CaptureStream(int channelCount, std::size_t capacityFrames)
    : m_channels(channelCount), m_ring(channelCount, capacityFrames), m_stream(nullptr)
{
}

CaptureStream::~CaptureStream()
{
    if (!m_stream)
        return;
    // Abort rather than drain: a stalled device must not hold up the game.
    Pa_AbortStream(m_stream);
    Pa_CloseStream(m_stream);
}

bool CaptureStream::Open(int device, int sampleRate)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info || info->maxInputChannels < m_channels)
        return false;
    PaStreamParameters parameters;
    parameters.device = device;
    parameters.channelCount = m_channels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = info->defaultLowInputLatency;
    parameters.hostApiSpecificStreamInfo = nullptr;
    PaStream* opened = nullptr;
    if (Pa_OpenStream(&opened, &parameters, nullptr, sampleRate, paFramesPerBufferUnspecified, paNoFlag,
                      &CaptureStream::Callback, this) != paNoError)
        return false;
    if (Pa_StartStream(opened) != paNoError)
    {
        Pa_CloseStream(opened);
        return false;
    }
    m_stream = opened;
    return true;
}

std::size_t CaptureStream::Drain(float* destination, std::size_t maxFrames)
{
    return m_ring.Drain(destination, maxFrames);
}

std::uint64_t CaptureStream::TakeLost()
{
    return m_ring.TakeLost();
}

std::size_t CaptureStream::Discard()
{
    return m_ring.Discard();
}

bool CaptureStream::IsActive() const
{
    return m_stream && Pa_IsStreamActive(m_stream) == 1;
}

int CaptureStream::Callback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                            PaStreamCallbackFlags, void* user)
{
    // Real-time thread: no allocation, lock, output or exception here.
    if (input)
        static_cast<CaptureStream*>(user)->m_ring.Push(static_cast<const float*>(input),
                                                        static_cast<std::size_t>(frames));
    return paContinue;
}
