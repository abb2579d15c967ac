#include "platform/SoftwareMixer.h"

#include <algorithm>
#include <cmath>

SoftwareMixer::SoftwareMixer(int channelCount, int rate, int outChannels, bool useInterpolation)
    : m_channels(static_cast<std::size_t>(channelCount)),
      m_outputRate(rate),
      m_outputChannels(outChannels),
      m_interpolate(useInterpolation),
      m_nextSerial(1)
{
}

int SoftwareMixer::GetChannelCount() const
{
    return static_cast<int>(m_channels.size());
}

int SoftwareMixer::GetOutputChannels() const
{
    return m_outputChannels;
}

MixerChannel& SoftwareMixer::GetChannel(int index)
{
    return m_channels[static_cast<std::size_t>(index)];
}

int SoftwareMixer::Allocate() const
{
    int oldest = -1;
    for (std::size_t i = 0; i < m_channels.size(); ++i)
    {
        const MixerChannel& channel = m_channels[i];
        if (!channel.active)
            return static_cast<int>(i);
        if (!channel.sound->looping &&
            (oldest < 0 || channel.startSerial < m_channels[static_cast<std::size_t>(oldest)].startSerial))
            oldest = static_cast<int>(i);
    }
    return oldest;
}

void SoftwareMixer::Start(int index, LayerSound* sound, bool paused)
{
    MixerChannel& channel = GetChannel(index);
    channel.sound = sound;
    channel.position = 0.0;
    channel.step = static_cast<double>(sound->frequency) / m_outputRate;
    channel.advanced = 0.0;
    channel.volume = 1.0f;
    channel.active = true;
    channel.paused = paused;
    channel.linked = sound->recording;
    channel.linkOffset = sound->recordedFrames;
    channel.startSerial = m_nextSerial++;
}

void SoftwareMixer::StopSound(const LayerSound* sound)
{
    for (MixerChannel& channel : m_channels)
        if (channel.active && channel.sound == sound)
            channel.active = false;
}

void SoftwareMixer::Follow(MixerChannel& channel) const
{
    if (!channel.linked || channel.sound->recording)
        return;
    const std::uint64_t played = channel.sound->recordedFrames - channel.linkOffset;
    channel.advanced = static_cast<double>(played);
    channel.position = static_cast<double>(played % channel.sound->frames);
    channel.linked = false;
}

float SoftwareMixer::SampleAt(const LayerSound& sound, double position, int soundChannel) const
{
    const std::size_t frames = sound.frames;
    std::size_t index = static_cast<std::size_t>(position);
    if (index >= frames)
        index = sound.looping ? index % frames : frames - 1;
    const float first = sound.samples[index * sound.channels + soundChannel];
    if (!m_interpolate)
        return first;
    std::size_t next = index + 1;
    float second = 0.0f;
    if (next < frames)
        second = sound.samples[next * sound.channels + soundChannel];
    else if (sound.looping)
        second = sound.samples[static_cast<std::size_t>(soundChannel)];
    const float fraction = static_cast<float>(position - std::floor(position));
    return first + (second - first) * fraction;
}

float SoftwareMixer::OutputSample(const LayerSound& sound, double position, int outputChannel) const
{
    if (m_outputChannels == 1 && sound.channels > 1)
    {
        float sum = 0.0f;
        for (int c = 0; c < sound.channels; ++c)
            sum += SampleAt(sound, position, c);
        return sum / static_cast<float>(sound.channels);
    }
    return SampleAt(sound, position, outputChannel % sound.channels);
}

void SoftwareMixer::Mix(float* output, int frames)
{
    std::fill(output, output + static_cast<std::size_t>(frames) * m_outputChannels, 0.0f);
    for (MixerChannel& channel : m_channels)
    {
        if (!channel.active || channel.paused)
            continue;
        Follow(channel);
        const LayerSound& sound = *channel.sound;
        if (channel.linked)
        {
            if (channel.volume != 0.0f)
                MixRecording(channel, output, frames);
            continue;
        }
        const double length = static_cast<double>(sound.frames);
        if (channel.volume == 0.0f)
        {
            // Silent: only the position moves.
            const double distance = channel.step * frames;
            channel.advanced += distance;
            channel.position += distance;
            if (channel.position >= length)
            {
                if (sound.looping)
                    channel.position = std::fmod(channel.position, length);
                else
                    channel.active = false;
            }
            continue;
        }
        for (int f = 0; f < frames; ++f)
        {
            for (int o = 0; o < m_outputChannels; ++o)
                output[f * m_outputChannels + o] += channel.volume * OutputSample(sound, channel.position, o);
            channel.position += channel.step;
            channel.advanced += channel.step;
            if (channel.position >= length)
            {
                if (!sound.looping)
                {
                    channel.active = false;
                    break;
                }
                channel.position -= length;
            }
        }
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(frames) * m_outputChannels; ++i)
        output[i] = std::min(1.0f, std::max(-1.0f, output[i]));
}

void SoftwareMixer::MixRecording(MixerChannel& channel, float* output, int frames) const
{
    const LayerSound& sound = *channel.sound;
    const double length = static_cast<double>(sound.frames);
    const double captured = static_cast<double>(sound.recordedFrames - channel.linkOffset);
    // Each captured frame plays once, in order, never ahead of the capture. A
    // mix that fell far behind picks up half a sound length before the
    // capture, so it never reads frames that the capture is overwriting.
    if (captured - channel.advanced > 0.5 * length)
        channel.advanced = captured - 0.5 * length;
    for (int f = 0; f < frames && channel.advanced + 1.0 <= captured; ++f)
    {
        const double position = std::fmod(channel.advanced, length);
        for (int o = 0; o < m_outputChannels; ++o)
            output[f * m_outputChannels + o] += channel.volume * OutputSample(sound, position, o);
        channel.advanced += channel.step;
    }
}

void SoftwareMixer::GetRecentSamples(const MixerChannel& channel, int offset, float* destination, int count) const
{
    const LayerSound& sound = *channel.sound;
    const bool linked = channel.linked && sound.recording;
    const std::uint64_t played = linked ? sound.recordedFrames - channel.linkOffset
                                        : static_cast<std::uint64_t>(channel.advanced);
    const std::size_t frames = sound.frames;
    const std::size_t end = linked ? static_cast<std::size_t>(played % frames)
                                   : static_cast<std::size_t>(channel.position) % frames;
    const std::size_t wanted = static_cast<std::size_t>(count);
    const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(played, wanted));
    const std::size_t silent = wanted - available;
    std::fill(destination, destination + silent, 0.0f);
    // The first available sample lies `available` frames before the end.
    std::size_t index = (end + frames - available % frames) % frames;
    const std::size_t stride = static_cast<std::size_t>(sound.channels);
    const float* data = sound.samples.data() + offset;
    // In runs up to the end of the sound, so a mono sound is a plain copy.
    for (std::size_t i = silent; i < wanted; index = 0)
    {
        const std::size_t run = std::min(wanted - i, frames - index);
        if (stride == 1)
            std::copy(data + index, data + index + run, destination + i);
        else
            for (std::size_t k = 0; k < run; ++k)
                destination[i + k] = data[(index + k) * stride];
        i += run;
    }
}
