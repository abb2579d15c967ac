#include "platform/ChannelMap.h"

#include <gtest/gtest.h>

#include <vector>

// A device opened with other channels than the game's sound: captured frames
// are mixed down to the sound's channels, mixed frames spread over the device's.
TEST(ChannelMap, mixes_down_the_channels_a_device_offers_and_spreads_the_ones_it_lacks)
{
    const struct
    {
        const char* what;
        int inputChannels;
        std::vector<float> input;
        int outputChannels;
        std::vector<float> output;
    } cases[] = {
        {"voice on the right of a stereo-only microphone", 2, {0.0f, 0.5f, 0.0f, -0.5f}, 1, {0.25f, -0.25f}},
        {"voice on both sides", 2, {0.5f, 0.5f, 0.2f, 0.4f}, 1, {0.5f, 0.3f}},
        {"four channels to mono", 4, {0.1f, 0.2f, 0.3f, 0.4f}, 1, {0.25f}},
        {"four channels to stereo, even and odd channels", 4, {0.1f, 0.2f, 0.3f, 0.4f}, 2, {0.2f, 0.3f}},
        {"mono mix on a stereo-only output", 1, {0.5f, -0.25f}, 2, {0.5f, 0.5f, -0.25f, -0.25f}},
        {"same channels", 2, {0.1f, 0.2f}, 2, {0.1f, 0.2f}},
    };
    for (const auto& c : cases)
    {
        const std::size_t frames = c.input.size() / static_cast<std::size_t>(c.inputChannels);
        std::vector<float> output(frames * static_cast<std::size_t>(c.outputChannels), 9.0f);
        ChannelMap::Convert(c.input.data(), c.inputChannels, output.data(), c.outputChannels, frames);
        ASSERT_EQ(output.size(), c.output.size()) << c.what;
        for (std::size_t i = 0; i < output.size(); ++i)
            EXPECT_FLOAT_EQ(output[i], c.output[i]) << c.what << ", sample " << i;
    }
}
