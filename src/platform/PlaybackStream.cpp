#include "platform/PlaybackStream.h"

#include "platform/PortAudioBackend.h"

#include <algorithm>

PlaybackStream::PlaybackStream(int channelCount, std::size_t capacity)
    : m_channels(channelCount),
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
    m_stream = PortAudioBackend::OpenStream(device, m_channels, false, sampleRate, &PlaybackStream::Callback, this);
    return m_stream != nullptr;
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
    const std::size_t wanted = static_cast<std::size_t>(frames) * static_cast<std::size_t>(self->m_channels);
    const std::size_t got = self->m_ring.pop(out, wanted);
    std::fill(out + got, out + wanted, 0.0f);
    return paContinue;
}
