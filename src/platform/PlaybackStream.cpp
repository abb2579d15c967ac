#include "platform/PlaybackStream.h"

#include "platform/ChannelMap.h"
#include "platform/PortAudioBackend.h"

#include <algorithm>

namespace
{
const std::size_t MIX_BLOCK_FRAMES = 512;
}

PlaybackStream::PlaybackStream(int channelCount, std::size_t capacity)
    : m_channels(channelCount),
      m_deviceChannels(channelCount),
      m_block(MIX_BLOCK_FRAMES * static_cast<std::size_t>(channelCount)),
      m_capacityFrames(capacity),
      m_ring(capacity * static_cast<std::size_t>(channelCount)),
      m_stream(nullptr)
{
}

PlaybackStream::~PlaybackStream()
{
    PortAudioBackend::CloseStream(m_stream);
}

bool PlaybackStream::Open(int device, int sampleRate)
{
    for (int channels : PortAudioBackend::ChannelChoices(device, m_channels, false))
    {
        m_deviceChannels = channels;
        m_stream = PortAudioBackend::OpenStream(device, channels, false, sampleRate, &PlaybackStream::Callback, this);
        if (m_stream)
            return true;
    }
    return false;
}

std::size_t PlaybackStream::GetFreeFrames() const
{
    return m_ring.write_available() / static_cast<std::size_t>(m_channels);
}

std::size_t PlaybackStream::GetCapacityFrames() const
{
    return m_capacityFrames;
}

void PlaybackStream::Feed(const float* samples, std::size_t frames)
{
    m_ring.push(samples, frames * static_cast<std::size_t>(m_channels));
}

int PlaybackStream::Callback(const void*, void* output, unsigned long frames, const PaStreamCallbackTimeInfo*,
                              PaStreamCallbackFlags, void* user)
{
    // Real-time thread: no allocation, lock, output or exception here.
    PlaybackStream* self = static_cast<PlaybackStream*>(user);
    float* out = static_cast<float*>(output);
    if (self->m_deviceChannels == self->m_channels)
    {
        const std::size_t wanted = static_cast<std::size_t>(frames) * static_cast<std::size_t>(self->m_channels);
        const std::size_t got = self->m_ring.pop(out, wanted);
        std::fill(out + got, out + wanted, 0.0f);
        return paContinue;
    }
    const std::size_t channels = static_cast<std::size_t>(self->m_channels);
    const std::size_t stride = static_cast<std::size_t>(self->m_deviceChannels);
    for (std::size_t done = 0; done < frames;)
    {
        const std::size_t block = std::min<std::size_t>(MIX_BLOCK_FRAMES, frames - done);
        // Whole frames only, so the channels stay in step when the ring runs dry.
        const std::size_t available = std::min(block, self->m_ring.read_available() / channels);
        const std::size_t got = self->m_ring.pop(self->m_block.data(), available * channels) / channels;
        ChannelMap::Convert(self->m_block.data(), self->m_channels, out + done * stride, self->m_deviceChannels, got);
        std::fill(out + (done + got) * stride, out + (done + block) * stride, 0.0f);
        done += block;
    }
    return paContinue;
}
