#pragma once

#include <boost/lockfree/spsc_queue.hpp>
#include <boost/noncopyable.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>

// Captured frames on their way from a device callback to the game thread.
// Frames that find the ring full are counted as lost, so the game thread can
// keep the recording in step with real time when it fell behind.
class CaptureRing : private boost::noncopyable
{
public:
    CaptureRing(int channelCount, std::size_t capacityFrames);

    // Device side: never allocates, locks or waits.
    void Push(const float* samples, std::size_t frames);

    // Game side. Moves up to maxFrames frames into destination.
    std::size_t Drain(float* destination, std::size_t maxFrames);
    // Frames lost since the last call; the frames still queued are older.
    std::uint64_t TakeLost();
    // Drops every queued frame and tells how many there were.
    std::size_t Discard();

private:
    std::size_t m_channels;
    boost::lockfree::spsc_queue<float> m_ring;
    std::atomic<std::uint64_t> m_lost;
};
