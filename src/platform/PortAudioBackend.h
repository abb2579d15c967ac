#pragma once

#include <boost/noncopyable.hpp>

#include <portaudio.h>

#include <string>
#include <vector>

// Keeps PortAudio initialised while any instance lives; the first instance
// silences the ALSA and JACK probe messages before PortAudio starts probing.
class PortAudioBackend : private boost::noncopyable
{
public:
    enum HostKind
    {
        HostDefault,
        HostAlsa,
        HostPulse,  // the sound server's devices, reached through ALSA
        HostOss
    };

    PortAudioBackend();
    ~PortAudioBackend();

    bool IsAvailable() const;
    // PortAudio device indices of the host's input or output devices: the host
    // API's default device first, then the others in PortAudio's order.
    std::vector<int> ListDevices(HostKind host, bool input) const;
    std::string GetDeviceName(int device) const;

    // The channel counts to open the device with, best first, for a sound of
    // the given channels; empty when the device has none in that direction.
    static std::vector<int> ChannelChoices(int device, int soundChannels, bool input);
    // Opens and starts a float stream on the device, for input or for output;
    // null when the device lacks the channels or refuses the stream.
    static PaStream* OpenStream(int device, int channelCount, bool input, int sampleRate,
                                PaStreamCallback* callback, void* user);
    // Aborts rather than drains: a stalled device must not hold up the game.
    static void CloseStream(PaStream* stream);

private:
    bool m_available;
};
