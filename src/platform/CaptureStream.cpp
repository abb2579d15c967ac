#include "platform/CaptureStream.h"

#include "platform/ChannelMap.h"
#include "platform/PortAudioBackend.h"

#include <algorithm>

namespace
{
const std::size_t MIX_BLOCK_FRAMES = 512;
}

CaptureStream::CaptureStream(int channelCount, std::size_t capacityFrames)
    : m_channels(channelCount),
      m_deviceChannels(channelCount),
      m_mixed(MIX_BLOCK_FRAMES * static_cast<std::size_t>(channelCount)),
      m_ring(channelCount, capacityFrames),
      m_stream(nullptr)
{
}

CaptureStream::~CaptureStream()
{
    PortAudioBackend::CloseStream(m_stream);
}

bool CaptureStream::Open(int device, int sampleRate)
{
    for (int channels : PortAudioBackend::ChannelChoices(device, m_channels, true))
    {
        m_deviceChannels = channels;
        m_stream = PortAudioBackend::OpenStream(device, channels, true, sampleRate, &CaptureStream::Callback, this);
        if (m_stream)
            return true;
    }
    return false;
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
    if (!input)
        return paContinue;
    CaptureStream* self = static_cast<CaptureStream*>(user);
    const float* samples = static_cast<const float*>(input);
    if (self->m_deviceChannels == self->m_channels)
    {
        self->m_ring.Push(samples, static_cast<std::size_t>(frames));
        return paContinue;
    }
    const std::size_t stride = static_cast<std::size_t>(self->m_deviceChannels);
    for (std::size_t done = 0; done < frames;)
    {
        const std::size_t block = std::min<std::size_t>(MIX_BLOCK_FRAMES, frames - done);
        ChannelMap::Convert(samples + done * stride, self->m_deviceChannels, self->m_mixed.data(), self->m_channels,
                            block);
        self->m_ring.Push(self->m_mixed.data(), block);
        done += block;
    }
    return paContinue;
}
