#include "platform/ChannelMap.h"

void ChannelMap::Convert(const float* input, int inputChannels, float* output, int outputChannels,
                         std::size_t frames)
{
    const std::size_t in = static_cast<std::size_t>(inputChannels);
    const std::size_t out = static_cast<std::size_t>(outputChannels);
    for (std::size_t f = 0; f < frames; ++f)
    {
        const float* source = input + f * in;
        float* target = output + f * out;
        if (in <= out)
        {
            for (std::size_t c = 0; c < out; ++c)
                target[c] = source[c % in];
            continue;
        }
        for (std::size_t c = 0; c < out; ++c)
        {
            float sum = 0.0f;
            int count = 0;
            for (std::size_t d = c; d < in; d += out)
            {
                sum += source[d];
                ++count;
            }
            target[c] = sum / static_cast<float>(count);
        }
    }
}
