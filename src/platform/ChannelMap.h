#pragma once

#include <cstddef>

// Converts interleaved frames between the channel count of a device and that
// of the game's sound. Fewer channels: each one is the mean of the device
// channels that fold onto it (channel c takes c, c + out, c + 2 out, ...), so
// stereo mixes down to mono whichever side carries the voice. More channels:
// channel c repeats channel c modulo the input count, so mono plays on every
// speaker. Real-time safe: no allocation, no lock.
class ChannelMap
{
public:
    static void Convert(const float* input, int inputChannels, float* output, int outputChannels,
                        std::size_t frames);
};
