#include "platform/PlaybackStream.h"


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
    if (!m_stream)
        return;
    Pa_AbortStream(m_stream);
    Pa_CloseStream(m_stream);
}

bool PlaybackStream::Open(int device, int sampleRate)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info || info->maxOutputChannels < m_channels)
        return false;
    PaStreamParameters parameters;
    parameters.device = device;
    parameters.channelCount = m_channels;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = info->defaultLowOutputLatency;
    parameters.hostApiSpecificStreamInfo = nullptr;
    PaStream* opened = nullptr;
    if (Pa_OpenStream(&opened, nullptr, &parameters, sampleRate, paFramesPerBufferUnspecified, paNoFlag,
                      &PlaybackStream::Callback, this) != paNoError)
        return false;
    if (Pa_StartStream(opened) != paNoError)
    {
        Pa_CloseStream(opened);
        return false;
    }
    m_stream = opened;
    return true;
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
