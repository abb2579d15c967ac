#include "platform/CaptureStream.h"


CaptureStream::CaptureStream(int channelCount, std::size_t capacityFrames)
    : m_channels(channelCount), m_ring(capacityFrames * static_cast<std::size_t>(channelCount)), m_stream(nullptr)
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
    const std::size_t stride = static_cast<std::size_t>(m_channels);
    std::size_t frames = m_ring.read_available() / stride;
    if (frames > maxFrames)
        frames = maxFrames;
    return m_ring.pop(destination, frames * stride) / stride;
}

int CaptureStream::Callback(const void* input, void*, unsigned long frames, const PaStreamCallbackTimeInfo*,
                              PaStreamCallbackFlags, void* user)
{
    // Real-time thread: no allocation, lock, output or exception here.
    CaptureStream* self = static_cast<CaptureStream*>(user);
    if (!input)
        return paContinue;
    const std::size_t stride = static_cast<std::size_t>(self->m_channels);
    std::size_t count = static_cast<std::size_t>(frames);
    const std::size_t room = self->m_ring.write_available() / stride;
    if (count > room)
        count = room;  // the game fell behind: the newest frames are dropped
    self->m_ring.push(static_cast<const float*>(input), count * stride);
    return paContinue;
}
