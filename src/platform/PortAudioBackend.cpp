#include "platform/PortAudioBackend.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <portaudio.h>

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
}

PortAudioBackend::PortAudioBackend() : m_available(false)
{
    if (users++ == 0)
    {
        snd_lib_error_set_handler(&IgnoreAlsaMessage);
        jack_set_error_function(&IgnoreJackMessage);
        jack_set_info_function(&IgnoreJackMessage);
        initialised = Pa_Initialize() == paNoError;
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
    return devices;
}

std::string PortAudioBackend::GetDeviceName(int device) const
{
    const PaDeviceInfo* info = m_available ? Pa_GetDeviceInfo(device) : nullptr;
    return info && info->name ? std::string(info->name) : std::string();
}
