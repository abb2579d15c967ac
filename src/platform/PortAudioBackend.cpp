#include "platform/PortAudioBackend.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
int users = 0;
bool initialised = false;

void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...)
{
}

void IgnoreJackMessage(const char*)
{
}

const char* const PULSE_DEVICE_PREFIX = "pulse";
// Channels a device is opened with at most, when it takes no fewer.
const int MAX_DEVICE_CHANNELS = 32;
// Asked for fewer channels than a device offers at least, PortAudio's ALSA
// host opens it with more and hands over the first ones alone; opened with two,
// a stereo-only microphone is mixed down here, whichever side the voice is on,
// and mono output is heard on both speakers.
const int PREFERRED_DEVICE_CHANNELS = 2;

// Some ALSA plug-ins write to standard error directly while PortAudio probes
// them (the JACK plug-in warns about long program names), past the handlers;
// standard error points at the null device for the probe alone.
PaError InitialiseQuietly()
{
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool redirected = saved >= 0 && null >= 0 && dup2(null, STDERR_FILENO) >= 0;
    const PaError result = Pa_Initialize();
    if (redirected)
    {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
    }
    if (null >= 0)
        close(null);
    if (saved >= 0)
        close(saved);
    return result;
}
}

PortAudioBackend::PortAudioBackend() : m_available(false)
{
    if (users++ == 0)
    {
        snd_lib_error_set_handler(&IgnoreAlsaMessage);
        jack_set_error_function(&IgnoreJackMessage);
        jack_set_info_function(&IgnoreJackMessage);
        initialised = InitialiseQuietly() == paNoError;
    }
    m_available = initialised;
}

PortAudioBackend::~PortAudioBackend()
{
    if (--users == 0 && initialised)
    {
        Pa_Terminate();
        initialised = false;
    }
}

bool PortAudioBackend::IsAvailable() const
{
    return m_available;
}

std::vector<int> PortAudioBackend::ListDevices(HostKind host, bool input) const
{
    std::vector<int> devices;
    if (!m_available)
        return devices;
    PaHostApiIndex api = -1;
    switch (host)
    {
    case HostDefault:
        api = Pa_GetDefaultHostApi();
        break;
    case HostAlsa:
    case HostPulse:
        api = Pa_HostApiTypeIdToHostApiIndex(paALSA);
        break;
    case HostOss:
        api = Pa_HostApiTypeIdToHostApiIndex(paOSS);
        break;
    }
    if (api < 0)
        return devices;
    const int count = Pa_GetDeviceCount();
    for (int i = 0; i < count; ++i)
    {
        const PaDeviceInfo* info = Pa_GetDeviceInfo(i);
        if (!info || info->hostApi != api)
            continue;
        if ((input ? info->maxInputChannels : info->maxOutputChannels) <= 0)
            continue;
        if (host == HostPulse && std::strncmp(info->name, PULSE_DEVICE_PREFIX, std::strlen(PULSE_DEVICE_PREFIX)) != 0)
            continue;
        devices.push_back(i);
    }
    // Driver 0 is the system's default device (the one the desktop's sound
    // settings choose), as in the sound library the game was made for; the raw
    // hardware devices come first in PortAudio's order and are often busy.
    const PaHostApiInfo* apiInfo = Pa_GetHostApiInfo(api);
    const PaDeviceIndex preferred =
        apiInfo ? (input ? apiInfo->defaultInputDevice : apiInfo->defaultOutputDevice) : paNoDevice;
    const auto found = std::find(devices.begin(), devices.end(), preferred);
    if (found != devices.end())
        std::rotate(devices.begin(), found, found + 1);
    return devices;
}

std::string PortAudioBackend::GetDeviceName(int device) const
{
    const PaDeviceInfo* info = m_available ? Pa_GetDeviceInfo(device) : nullptr;
    return info && info->name ? std::string(info->name) : std::string();
}

std::vector<int> PortAudioBackend::ChannelChoices(int device, int soundChannels, bool input)
{
    std::vector<int> choices;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info)
        return choices;
    const int offered = std::min(input ? info->maxInputChannels : info->maxOutputChannels, MAX_DEVICE_CHANNELS);
    // A device that refuses the first count may still take one it offers;
    // the streams mix between the two.
    for (int count : {std::max(soundChannels, PREFERRED_DEVICE_CHANNELS), soundChannels, offered})
    {
        count = std::min(count, offered);
        if (count >= 1 && std::find(choices.begin(), choices.end(), count) == choices.end())
            choices.push_back(count);
    }
    return choices;
}

PaStream* PortAudioBackend::OpenStream(int device, int channelCount, bool input, int sampleRate,
                                       PaStreamCallback* callback, void* user)
{
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (!info || (input ? info->maxInputChannels : info->maxOutputChannels) < channelCount)
        return nullptr;
    PaStreamParameters parameters;
    parameters.device = device;
    parameters.channelCount = channelCount;
    parameters.sampleFormat = paFloat32;
    parameters.suggestedLatency = input ? info->defaultLowInputLatency : info->defaultLowOutputLatency;
    parameters.hostApiSpecificStreamInfo = nullptr;
    PaStream* opened = nullptr;
    if (Pa_OpenStream(&opened, input ? &parameters : nullptr, input ? nullptr : &parameters, sampleRate,
                      paFramesPerBufferUnspecified, paNoFlag, callback, user) != paNoError)
        return nullptr;
    if (Pa_StartStream(opened) != paNoError)
    {
        Pa_CloseStream(opened);
        return nullptr;
    }
    return opened;
}

void PortAudioBackend::CloseStream(PaStream* stream)
{
    if (!stream)
        return;
    Pa_AbortStream(stream);
    Pa_CloseStream(stream);
}
