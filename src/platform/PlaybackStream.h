#pragma once

#include <boost/lockfree/spsc_queue.hpp>
#include <boost/noncopyable.hpp>

#include <portaudio.h>

#include <cstddef>

// An output stream whose callback only takes mixed samples out of a lock-free
// ring (silence when it runs dry); the game thread fills it with Feed.
class PlaybackStream : private boost::noncopyable
{
public:
    PlaybackStream(int channelCount, std::size_t capacityFrames);
    ~PlaybackStream();

    bool Open(int device, int sampleRate);
    // Frames that fit into the ring now.
    std::size_t GetFreeFrames() const;
    std::size_t GetCapacityFrames() const;
    void Feed(const float* samples, std::size_t frames);

private:
    static int Callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags flags, void* user);

    int m_channels;
    std::size_t m_capacityFrames;
    boost::lockfree::spsc_queue<float> m_ring;
    PaStream* m_stream;
};
