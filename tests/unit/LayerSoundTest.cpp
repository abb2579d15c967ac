#include "platform/LayerSound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
LayerSound Ramp(std::size_t frames, int channels, std::uint64_t recorded)
{
    LayerSound sound;
    sound.channels = channels;
    sound.frames = frames;
    for (std::size_t i = 0; i < frames * static_cast<std::size_t>(channels); ++i)
        sound.samples.push_back(static_cast<float>(i + 1));
    sound.recording = true;
    sound.recordedFrames = recorded;
    return sound;
}

struct SilenceCase
{
    const char* name;
    std::uint64_t recorded;
    std::uint64_t lost;
    bool loop;
    std::uint64_t recordedAfter;
    std::vector<std::size_t> silentFrames;
};

const SilenceCase SILENCE_CASES[] = {
    {"within_the_buffer", 2, 3, true, 5, {2, 3, 4}},
    {"around_the_end", 8, 4, true, 12, {8, 9, 0, 1}},
    {"longer_than_the_buffer", 3, 25, true, 28, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    {"without_loop_stops_at_the_end", 8, 5, false, 10, {8, 9}},
    {"without_loop_when_full", 10, 5, false, 10, {}},
};

class LayerSoundSilence : public testing::TestWithParam<SilenceCase>
{
};
}

TEST_P(LayerSoundSilence, lost_frames_become_silence_and_count_as_recorded)
{
    const SilenceCase& c = GetParam();
    LayerSound sound = Ramp(10, 2, c.recorded);
    sound.RecordSilence(c.lost, c.loop);
    EXPECT_EQ(sound.recordedFrames, c.recordedAfter);
    for (std::size_t frame = 0; frame < 10; ++frame)
    {
        const bool silent =
            std::find(c.silentFrames.begin(), c.silentFrames.end(), frame) != c.silentFrames.end();
        for (std::size_t channel = 0; channel < 2; ++channel)
        {
            const std::size_t i = frame * 2 + channel;
            EXPECT_EQ(sound.samples[i], silent ? 0.0f : static_cast<float>(i + 1)) << "frame " << frame;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Losses, LayerSoundSilence, testing::ValuesIn(SILENCE_CASES),
                         [](const testing::TestParamInfo<SilenceCase>& test) { return test.param.name; });
