#include "platform/CaptureRing.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<float> Frames(int first, int count, int channels)
{
    std::vector<float> samples;
    for (int f = first; f < first + count; ++f)
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<float>(f * 10 + c));
    return samples;
}
}

TEST(CaptureRing, frames_come_out_whole_and_in_order)
{
    CaptureRing ring(2, 8);
    ring.Push(Frames(0, 3, 2).data(), 3);
    ring.Push(Frames(3, 2, 2).data(), 2);
    std::vector<float> out(2 * 8, -1.0f);
    EXPECT_EQ(ring.Drain(out.data(), 4), 4u);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 8), Frames(0, 4, 2));
    EXPECT_EQ(ring.Drain(out.data(), 8), 1u);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 2), Frames(4, 1, 2));
    EXPECT_EQ(ring.Drain(out.data(), 8), 0u);
    EXPECT_EQ(ring.TakeLost(), 0u);
}

TEST(CaptureRing, frames_that_find_it_full_are_counted_as_lost)
{
    CaptureRing ring(1, 4);
    ring.Push(Frames(0, 3, 1).data(), 3);
    ring.Push(Frames(3, 3, 1).data(), 3);
    ring.Push(Frames(6, 5, 1).data(), 5);
    EXPECT_EQ(ring.TakeLost(), 7u);
    EXPECT_EQ(ring.TakeLost(), 0u);
    // What is queued is older than the loss.
    std::vector<float> out(4);
    EXPECT_EQ(ring.Drain(out.data(), 4), 4u);
    EXPECT_EQ(out, Frames(0, 4, 1));
}

TEST(CaptureRing, discard_empties_it_and_counts_frames)
{
    CaptureRing ring(2, 4);
    ring.Push(Frames(0, 3, 2).data(), 3);
    EXPECT_EQ(ring.Discard(), 3u);
    std::vector<float> out(8);
    EXPECT_EQ(ring.Drain(out.data(), 4), 0u);
    ring.Push(Frames(3, 4, 2).data(), 4);
    EXPECT_EQ(ring.TakeLost(), 0u);
}
