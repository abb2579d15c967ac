#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The data of one sound of the layer: interleaved float samples, -1..1.
struct LayerSound
{
    std::uint64_t id = 0;
    std::vector<float> samples;
    int channels = 1;
    int frequency = 48000;
    std::size_t frames = 0;
    bool looping = false;
    bool user = false;
    // Set while a capture writes into the sound; the capture has then written
    // recordedFrames frames in all, wrapping around the sound.
    bool recording = false;
    std::uint64_t recordedFrames = 0;
    // How often the sound was started on a channel.
    unsigned int starts = 0;

    // Records silence in place of frames that the capture lost, so the
    // recording stays in step with real time; a recording without loop stops
    // at the end of the sound.
    void RecordSilence(std::uint64_t lostFrames, bool loop);
};
