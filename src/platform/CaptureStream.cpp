#include "platform/CaptureStream.h"

#include "platform/PortAudioBackend.h"

CaptureStream::CaptureStream(int channelCount, std::size_t capacityFrames)
    : m_channels(channelCount), m_ring(channelCount, capacityFrames), m_stream(nullptr)
{
}

CaptureStream::~CaptureStream()
{
    PortAudioBackend::CloseStream(m_stream);
}

bool CaptureStream::Open(int device, int sampleRate)
{
    m_stream = PortAudioBackend::OpenStream(device, m_channels, true, sampleRate, &CaptureStream::Callback, this);
    return m_stream != nullptr;
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
