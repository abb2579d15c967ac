#include "platform/CaptureRing.h"

CaptureRing::CaptureRing(int channelCount, std::size_t capacityFrames)
    : m_channels(static_cast<std::size_t>(channelCount)), m_ring(capacityFrames * m_channels), m_lost(0)
{
}

void CaptureRing::Push(const float* samples, std::size_t frames)
{
    const std::size_t room = m_ring.write_available() / m_channels;
    const std::size_t kept = frames < room ? frames : room;
    m_ring.push(samples, kept * m_channels);
    if (kept < frames)
        m_lost.fetch_add(frames - kept, std::memory_order_relaxed);
}

std::size_t CaptureRing::Drain(float* destination, std::size_t maxFrames)
{
    std::size_t frames = m_ring.read_available() / m_channels;
    if (frames > maxFrames)
        frames = maxFrames;
    return m_ring.pop(destination, frames * m_channels) / m_channels;
}

std::uint64_t CaptureRing::TakeLost()
{
    return m_lost.exchange(0, std::memory_order_relaxed);
}

std::size_t CaptureRing::Discard()
{
    return m_ring.consume_all([](float) {}) / m_channels;
}
