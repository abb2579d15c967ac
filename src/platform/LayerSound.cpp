#include "platform/LayerSound.h"

#include <algorithm>

void LayerSound::RecordSilence(std::uint64_t lostFrames, bool loop)
{
    if (!loop)
        lostFrames = std::min<std::uint64_t>(lostFrames, frames - std::min<std::uint64_t>(recordedFrames, frames));
    // Only the last sound length of a long loss stays in the buffer.
    const std::uint64_t kept = std::min<std::uint64_t>(lostFrames, frames);
    const std::size_t stride = static_cast<std::size_t>(channels);
    for (std::uint64_t i = lostFrames - kept; i < lostFrames; ++i)
    {
        const std::size_t position = static_cast<std::size_t>((recordedFrames + i) % frames);
        std::fill_n(samples.begin() + static_cast<std::ptrdiff_t>(position * stride), stride, 0.0f);
    }
    recordedFrames += lostFrames;
}
