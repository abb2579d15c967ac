#pragma once

#include "platform/LayerSound.h"

#include <cstdint>
#include <vector>

// One voice of the mixer.
struct MixerChannel
{
    LayerSound* sound = nullptr;
    double position = 0.0;  // in frames of the sound
    double step = 1.0;      // sound frames per output frame
    double advanced = 0.0;  // sound frames played since the start
    float volume = 1.0f;
    bool active = false;
    bool paused = false;
    // A channel that plays a sound while it is recorded follows the capture:
    // it has played (recordedFrames - linkOffset) frames, so it trails the
    // record position by exactly what was captured before it started. Heard,
    // it has mixed `advanced` of those frames so far.
    bool linked = false;
    std::uint64_t linkOffset = 0;
    std::uint32_t generation = 0;
    std::uint64_t startSerial = 0;
};

// Mixes the active channels into interleaved float output, on the game thread.
class SoftwareMixer
{
public:
    SoftwareMixer(int channelCount, int outputRate, int outputChannels, bool interpolate);

    int GetChannelCount() const;
    int GetOutputChannels() const;
    MixerChannel& GetChannel(int index);

    // A free channel, else the oldest one-shot channel; -1 when every channel
    // plays a looping sound.
    int Allocate() const;
    void Start(int index, LayerSound* sound, bool paused);
    void StopSound(const LayerSound* sound);

    // Adds frames of output (pre-zeroed by the mixer) and advances the channels.
    void Mix(float* output, int frames);

    // Turns a channel whose capture has ended into an ordinary one that plays
    // on from where the capture left it.
    void Follow(MixerChannel& channel) const;

    // The count most recent samples that the channel has played of the sound's
    // channel offset, oldest first, before the channel volume; zeros stand for
    // the time before the channel started.
    void GetRecentSamples(const MixerChannel& channel, int offset, float* destination, int count) const;

private:
    // Adds an audible channel that follows a capture.
    void MixRecording(MixerChannel& channel, float* output, int frames) const;
    float SampleAt(const LayerSound& sound, double position, int soundChannel) const;
    float OutputSample(const LayerSound& sound, double position, int outputChannel) const;

    std::vector<MixerChannel> m_channels;
    int m_outputRate;
    int m_outputChannels;
    bool m_interpolate;
    std::uint64_t m_nextSerial;
};
