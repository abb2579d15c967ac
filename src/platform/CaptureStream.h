#pragma once

#include "platform/CaptureRing.h"

#include <boost/noncopyable.hpp>

#include <portaudio.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// An input stream whose callback only copies whole frames into a lock-free
// ring; the game thread takes them out with Drain. A device that is opened with
// other channels than the sound's is mixed to the sound's channels on the way.
class CaptureStream : private boost::noncopyable
{
public:
    CaptureStream(int channelCount, std::size_t capacityFrames);
    ~CaptureStream();

    // Tries the device's channel counts, best first; false when none opens.
    bool Open(int device, int sampleRate);
    // Moves up to maxFrames captured frames into destination; never waits.
    std::size_t Drain(float* destination, std::size_t maxFrames);
    // Frames lost to a full ring since the last call; the queued ones are older.
    std::uint64_t TakeLost();
    std::size_t Discard();
    // False once the device has stopped delivering, for example when unplugged.
    bool IsActive() const;

private:
    static int Callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags flags, void* user);

    int m_channels;
    int m_deviceChannels;
    // Room for frames mixed to the sound's channels, made before the stream starts.
    std::vector<float> m_mixed;
    CaptureRing m_ring;
    PaStream* m_stream;
};
