#pragma once

#include <boost/lockfree/spsc_queue.hpp>
#include <boost/noncopyable.hpp>

#include <portaudio.h>

#include <cstddef>
#include <vector>

// An output stream whose callback only takes mixed samples out of a lock-free
// ring (silence when it runs dry); the game thread fills it with Feed. A device
// that is opened with other channels than the mix is fed the mix spread or
// mixed down to its channels.
class PlaybackStream : private boost::noncopyable
{
public:
    PlaybackStream(int channelCount, std::size_t capacityFrames);
    ~PlaybackStream();

    // Tries the device's channel counts, best first; false when none opens.
    bool Open(int device, int sampleRate);
    // Frames that fit into the ring now.
    std::size_t GetFreeFrames() const;
    std::size_t GetCapacityFrames() const;
    void Feed(const float* samples, std::size_t frames);

private:
    static int Callback(const void* input, void* output, unsigned long frames,
                        const PaStreamCallbackTimeInfo* timeInfo, PaStreamCallbackFlags flags, void* user);

    int m_channels;
    int m_deviceChannels;
    // Room for mixed frames on their way to other device channels, made before the stream starts.
    std::vector<float> m_block;
    std::size_t m_capacityFrames;
    boost::lockfree::spsc_queue<float> m_ring;
    PaStream* m_stream;
};
