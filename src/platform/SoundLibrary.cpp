#include "platform/SoundLibrary.h"

#include "platform/LayerSystem.h"
#include "platform/SoundLibraryTesting.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

// Handles are numbers, not addresses: a handle of a released system, sound or
// ended channel is recognised as stale instead of being dereferenced.
//   system  : serial
//   sound   : serial << 40 | sound id
//   channel : serial << 40 | generation << 16 | (channel + 1)
namespace
{
const int SERIAL_SHIFT = 40;
const int GENERATION_SHIFT = 16;
const std::uint64_t GENERATION_MASK = 0xFFFFFF;
const std::uint64_t LOW_MASK = (std::uint64_t(1) << SERIAL_SHIFT) - 1;
const std::uint64_t SLOT_MASK = 0xFFFF;

std::map<std::uint64_t, std::unique_ptr<LayerSystem>> systems;
std::uint64_t nextSerial = 1;
unsigned int reportedVersion = FMOD_VERSION;

const char* const ERROR_TEXTS[] = {
    "No errors.",                                                                          // 0
    "The resource is already locked.",                                                     // 1
    "The command is not allowed here or on this object.",                                  // 2
    "The CD audio driver could not be used.",                                              // 3
    "The CD audio device could not be initialised.",                                       // 4
    "The CD audio device is not valid.",                                                   // 5
    "The CD holds no audio tracks.",                                                       // 6
    "No CD audio devices were found.",                                                     // 7
    "There is no disc in the CD drive.",                                                   // 8
    "Reading the CD audio failed.",                                                        // 9
    "No free channel: every channel plays a looping sound.",                               // 10
    "The channel was taken over by another sound.",                                        // 11
    "A system component call failed.",                                                     // 12
    "A DMA transfer failed.",                                                              // 13
    "The effect units could not be connected.",                                            // 14
    "The effect unit got data in a format it cannot take.",                                // 15
    "The requested effect unit was not found.",                                            // 16
    "The effect unit is still running.",                                                   // 17
    "The effect unit has too many connections.",                                           // 18
    "The sound file is damaged or cannot be read.",                                        // 19
    "Seeking in the file failed.",                                                         // 20
    "The media was removed while it was read.",                                            // 21
    "The end of the file came too early.",                                                 // 22
    "The sound file was not found.",                                                       // 23
    "The file is not wanted.",                                                             // 24
    "The file is not in a sound format that can be read.",                                 // 25
    "A web request failed.",                                                               // 26
    "The web server refused access.",                                                      // 27
    "The web proxy needs a login.",                                                        // 28
    "The web server reported an error.",                                                   // 29
    "The web request timed out.",                                                          // 30
    "The sound system was not set up in the right order.",                                 // 31
    "The sound system is initialised already; this call must come before Init.",           // 32
    "An internal error of the sound layer occurred.",                                      // 33
    "The address is not valid.",                                                           // 34
    "A value is not a valid number.",                                                      // 35
    "The handle is not valid (released, ended or never created).",                         // 36
    "An invalid parameter was passed, such as a driver number outside the driver list.",   // 37
    "The position is not valid.",                                                          // 38
    "The speaker is not valid for this output.",                                           // 39
    "The sync point is not valid.",                                                        // 40
    "The vector is not valid.",                                                            // 41
    "The most audible sounds are already playing.",                                        // 42
    "Not enough memory.",                                                                  // 43
    "The memory cannot be addressed directly.",                                            // 44
    "Not enough sound memory.",                                                            // 45
    "The call needs a 2D sound.",                                                          // 46
    "The call needs a 3D sound.",                                                          // 47
    "The call needs a hardware sound.",                                                    // 48
    "The call needs a software sound.",                                                    // 49
    "The network connection failed.",                                                      // 50
    "A network socket failed.",                                                            // 51
    "The network address is not valid.",                                                   // 52
    "The network operation would block.",                                                  // 53
    "The operation is not ready yet.",                                                     // 54
    "The output device is already in use.",                                                // 55
    "The output buffer could not be made.",                                                // 56
    "An output driver call failed.",                                                       // 57
    "The output format is not supported.",                                                 // 58
    "The output type is not supported here.",                                              // 59
    "The sound devices could not be listed.",                                              // 60
    "The output format could not be set.",                                                 // 61
    "The output device could not be opened: no playback device of that output exists.",    // 62
    "The output has no hardware voices.",                                                  // 63
    "The output has no software voices.",                                                  // 64
    "Panning is not possible here.",                                                       // 65
    "A plug-in failed.",                                                                   // 66
    "Too many plug-in instances.",                                                         // 67
    "A plug-in is missing.",                                                               // 68
    "A plug-in ran out of resources.",                                                     // 69
    "The sound is preloaded and cannot be changed.",                                       // 70
    "The programmer sound failed.",                                                        // 71
    "Recording failed: no recording device exists, or it could not be opened.",            // 72
    "The reverb instance is not valid.",                                                   // 73
    "The sub-sound is already in use.",                                                    // 74
    "The sub-sound cannot be moved.",                                                      // 75
    "The sub-sound has a different mode.",                                                 // 76
    "The sound has sub-sounds; the call is not allowed on it.",                            // 77
    "The tag was not found.",                                                              // 78
    "Too many channels were asked for.",                                                   // 79
    "This function is not implemented.",                                                   // 80
    "The sound system is not initialised; call Init first.",                               // 81
    "The call is not supported on this platform.",                                         // 82
    "The update call failed.",                                                             // 83
    "The data has a version that cannot be read.",                                         // 84
    "The event failed.",                                                                   // 85
    "The event holds information only.",                                                   // 86
    "An internal event error occurred.",                                                   // 87
    "The event reached its stream limit.",                                                 // 88
    "The event data does not match.",                                                      // 89
    "Two events have the same name.",                                                      // 90
    "The event was not found.",                                                            // 91
    "The event needs a simple setup.",                                                     // 92
    "Two events have the same identifier.",                                                // 93
    "The event data is loaded already.",                                                   // 94
    "The music system is not initialised.",                                                // 95
    "The music item was not found.",                                                       // 96
    "The music item has no callback.",                                                     // 97
};
const int ERROR_TEXT_COUNT = static_cast<int>(sizeof(ERROR_TEXTS) / sizeof(ERROR_TEXTS[0]));
static_assert(sizeof(ERROR_TEXTS) / sizeof(ERROR_TEXTS[0]) == 98, "one text per code 0..97");

// A device that was found but could not be opened is named in the text of
// the failure it caused, until the next failure of that kind.
FMOD_RESULT unopenedResult = FMOD_OK;
std::string unopenedText;

FMOD_RESULT NoteUnopenedDevice(FMOD_RESULT result, const LayerSystem& layer)
{
    if (result != FMOD_ERR_OUTPUT_INIT && result != FMOD_ERR_RECORD)
        return result;
    unopenedResult = result;
    unopenedText.clear();
    const std::string& device = layer.GetUnopenedDevice();
    if (device.empty())
        return result;
    unopenedText = result == FMOD_ERR_RECORD
                       ? "Recording failed: the recording device \"" + device + "\" could not be opened."
                       : "The output device \"" + device + "\" could not be opened.";
    return result;
}

std::uint64_t ToNumber(const void* handle)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

template <typename Handle>
Handle* ToHandle(std::uint64_t number)
{
    return reinterpret_cast<Handle*>(static_cast<std::uintptr_t>(number));
}

LayerSystem* FindSystem(std::uint64_t serial)
{
    auto found = systems.find(serial);
    return found == systems.end() ? nullptr : found->second.get();
}

LayerSystem* SystemOf(FMOD_SYSTEM* system)
{
    return system ? FindSystem(ToNumber(system)) : nullptr;
}

struct ChannelRef
{
    LayerSystem* system;
    MixerChannel* channel;
};

ChannelRef ChannelOf(FMOD_CHANNEL* channel)
{
    const std::uint64_t number = ToNumber(channel);
    ChannelRef ref = {nullptr, nullptr};
    if (!channel)
        return ref;
    ref.system = FindSystem(number >> SERIAL_SHIFT);
    const int slot = static_cast<int>(number & SLOT_MASK) - 1;
    const std::uint32_t generation = static_cast<std::uint32_t>((number >> GENERATION_SHIFT) & GENERATION_MASK);
    if (ref.system)
        ref.channel = ref.system->FindChannel(slot, generation);
    return ref;
}

// The layer's calls report failures as results; nothing is thrown past them.
template <typename Call>
FMOD_RESULT Guarded(Call call)
{
    try
    {
        return call();
    }
    catch (const std::bad_alloc&)
    {
        return FMOD_ERR_MEMORY;
    }
    catch (...)
    {
        return FMOD_ERR_INTERNAL;
    }
}

FMOD_RESULT DriverInfo(FMOD_SYSTEM* system, bool record, int id, char* name, int namelen)
{
    LayerSystem* layer = SystemOf(system);
    if (!layer)
        return FMOD_ERR_INVALID_HANDLE;
    std::vector<std::string> names;
    const FMOD_RESULT result = layer->GetDriverNames(record, names);
    if (result != FMOD_OK)
        return result;
    if (id < 0 || static_cast<std::size_t>(id) >= names.size() || (name && namelen <= 0))
        return FMOD_ERR_INVALID_PARAM;
    if (name)
    {
        const std::size_t length = std::min(names[static_cast<std::size_t>(id)].size(),
                                            static_cast<std::size_t>(namelen - 1));
        std::memcpy(name, names[static_cast<std::size_t>(id)].data(), length);
        name[length] = '\0';
    }
    return FMOD_OK;
}

FMOD_RESULT DriverCount(FMOD_SYSTEM* system, bool record, int* count)
{
    LayerSystem* layer = SystemOf(system);
    if (!layer)
        return FMOD_ERR_INVALID_HANDLE;
    if (!count)
        return FMOD_ERR_INVALID_PARAM;
    std::vector<std::string> names;
    const FMOD_RESULT result = layer->GetDriverNames(record, names);
    *count = result == FMOD_OK ? static_cast<int>(names.size()) : 0;
    return result;
}
}

void SoundLibrarySetReportedVersion(unsigned int version)
{
    reportedVersion = version;
}

unsigned int SoundLibraryGetSoundFrames(FMOD_SOUND* sound)
{
    LayerSystem* layer = sound ? FindSystem(ToNumber(sound) >> SERIAL_SHIFT) : nullptr;
    return layer ? static_cast<unsigned int>(layer->GetSoundFrames(ToNumber(sound) & LOW_MASK)) : 0;
}

unsigned int SoundLibraryGetSoundStarts(FMOD_SOUND* sound)
{
    LayerSystem* layer = sound ? FindSystem(ToNumber(sound) >> SERIAL_SHIFT) : nullptr;
    return layer ? layer->GetSoundStarts(ToNumber(sound) & LOW_MASK) : 0;
}

FMOD_RESULT FMOD_System_Create(FMOD_SYSTEM** system)
{
    return Guarded([&] {
        if (!system)
            return FMOD_ERR_INVALID_PARAM;
        const std::uint64_t serial = nextSerial++;
        systems[serial].reset(new LayerSystem());
        *system = ToHandle<FMOD_SYSTEM>(serial);
        return FMOD_OK;
    });
}

FMOD_RESULT FMOD_System_Release(FMOD_SYSTEM* system)
{
    return Guarded([&] {
        auto found = systems.find(ToNumber(system));
        if (!system || found == systems.end())
            return FMOD_ERR_INVALID_HANDLE;
        systems.erase(found);
        return FMOD_OK;
    });
}

FMOD_RESULT FMOD_System_GetVersion(FMOD_SYSTEM* system, unsigned int* version)
{
    if (!SystemOf(system))
        return FMOD_ERR_INVALID_HANDLE;
    if (!version)
        return FMOD_ERR_INVALID_PARAM;
    *version = reportedVersion;
    return FMOD_OK;
}

FMOD_RESULT FMOD_System_SetOutput(FMOD_SYSTEM* system, FMOD_OUTPUTTYPE output)
{
    LayerSystem* layer = SystemOf(system);
    return layer ? Guarded([&] { return layer->SetOutput(output); }) : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT FMOD_System_SetDriver(FMOD_SYSTEM* system, int driver)
{
    LayerSystem* layer = SystemOf(system);
    return layer ? Guarded([&] { return layer->SetDriver(driver); }) : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT FMOD_System_SetSoftwareFormat(FMOD_SYSTEM* system, int samplerate, FMOD_SOUND_FORMAT format,
                                          int numoutputchannels, int maxinputchannels,
                                          FMOD_DSP_RESAMPLER resamplemethod)
{
    LayerSystem* layer = SystemOf(system);
    return layer ? Guarded([&] {
        return layer->SetSoftwareFormat(samplerate, format, numoutputchannels, maxinputchannels, resamplemethod);
    })
                 : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT FMOD_System_Init(FMOD_SYSTEM* system, int maxchannels, FMOD_INITFLAGS, void*)
{
    LayerSystem* layer = SystemOf(system);
    return layer ? NoteUnopenedDevice(Guarded([&] { return layer->Init(maxchannels); }), *layer)
                 : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT FMOD_System_Update(FMOD_SYSTEM* system)
{
    LayerSystem* layer = SystemOf(system);
    return layer ? Guarded([&] { return layer->Update(); }) : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT FMOD_System_GetNumDrivers(FMOD_SYSTEM* system, int* numdrivers)
{
    return Guarded([&] { return DriverCount(system, false, numdrivers); });
}

FMOD_RESULT FMOD_System_GetDriverInfo(FMOD_SYSTEM* system, int id, char* name, int namelen, FMOD_GUID*)
{
    return Guarded([&] { return DriverInfo(system, false, id, name, namelen); });
}

FMOD_RESULT FMOD_System_GetRecordNumDrivers(FMOD_SYSTEM* system, int* numdrivers)
{
    return Guarded([&] { return DriverCount(system, true, numdrivers); });
}

FMOD_RESULT FMOD_System_GetRecordDriverInfo(FMOD_SYSTEM* system, int id, char* name, int namelen, FMOD_GUID*)
{
    return Guarded([&] { return DriverInfo(system, true, id, name, namelen); });
}

FMOD_RESULT FMOD_System_RecordStart(FMOD_SYSTEM* system, int id, FMOD_SOUND* sound, FMOD_BOOL loop)
{
    LayerSystem* layer = SystemOf(system);
    if (!layer)
        return FMOD_ERR_INVALID_HANDLE;
    if (!sound)
        return FMOD_ERR_INVALID_PARAM;
    if ((ToNumber(sound) >> SERIAL_SHIFT) != ToNumber(system))
        return FMOD_ERR_INVALID_HANDLE;
    return NoteUnopenedDevice(
        Guarded([&] { return layer->RecordStart(id, ToNumber(sound) & LOW_MASK, loop != 0); }), *layer);
}

FMOD_RESULT FMOD_System_RecordStop(FMOD_SYSTEM* system, int id)
{
    LayerSystem* layer = SystemOf(system);
    return layer ? Guarded([&] { return layer->RecordStop(id); }) : FMOD_ERR_INVALID_HANDLE;
}

FMOD_RESULT FMOD_System_IsRecording(FMOD_SYSTEM* system, int id, FMOD_BOOL* recording)
{
    LayerSystem* layer = SystemOf(system);
    if (!layer)
        return FMOD_ERR_INVALID_HANDLE;
    if (!recording)
        return FMOD_ERR_INVALID_PARAM;
    return Guarded([&] {
        bool flag = false;
        const FMOD_RESULT result = layer->IsRecording(id, flag);
        *recording = flag ? 1 : 0;
        return result;
    });
}

FMOD_RESULT FMOD_System_CreateSound(FMOD_SYSTEM* system, const char* name_or_data, FMOD_MODE mode,
                                    FMOD_CREATESOUNDEXINFO* exinfo, FMOD_SOUND** sound)
{
    LayerSystem* layer = SystemOf(system);
    if (!layer)
        return FMOD_ERR_INVALID_HANDLE;
    if (!sound)
        return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    return Guarded([&] {
        std::uint64_t id = 0;
        const FMOD_RESULT result = layer->CreateSound(name_or_data, mode, exinfo, id);
        if (result == FMOD_OK)
            *sound = ToHandle<FMOD_SOUND>(ToNumber(system) << SERIAL_SHIFT | id);
        return result;
    });
}

FMOD_RESULT FMOD_System_PlaySound(FMOD_SYSTEM* system, FMOD_CHANNELINDEX channelid, FMOD_SOUND* sound,
                                  FMOD_BOOL paused, FMOD_CHANNEL** channel)
{
    LayerSystem* layer = SystemOf(system);
    if (!layer)
        return FMOD_ERR_INVALID_HANDLE;
    if (!sound)
        return FMOD_ERR_INVALID_PARAM;
    if ((ToNumber(sound) >> SERIAL_SHIFT) != ToNumber(system))
        return FMOD_ERR_INVALID_HANDLE;
    return Guarded([&] {
        int slot = -1;
        std::uint32_t generation = 0;
        if (channelid == FMOD_CHANNEL_REUSE && channel && *channel &&
            (ToNumber(*channel) >> SERIAL_SHIFT) == ToNumber(system))
        {
            slot = static_cast<int>(ToNumber(*channel) & SLOT_MASK) - 1;
            generation = static_cast<std::uint32_t>((ToNumber(*channel) >> GENERATION_SHIFT) & GENERATION_MASK);
        }
        const FMOD_RESULT result =
            layer->PlaySound(channelid, ToNumber(sound) & LOW_MASK, paused != 0, slot, generation);
        if (result == FMOD_OK && channel)
            *channel = ToHandle<FMOD_CHANNEL>(ToNumber(system) << SERIAL_SHIFT |
                                              (generation & GENERATION_MASK) << GENERATION_SHIFT |
                                              static_cast<std::uint64_t>(slot + 1));
        return result;
    });
}

FMOD_RESULT FMOD_Sound_Release(FMOD_SOUND* sound)
{
    if (!sound)
        return FMOD_ERR_INVALID_HANDLE;
    const std::uint64_t serial = ToNumber(sound) >> SERIAL_SHIFT;
    LayerSystem* layer = FindSystem(serial);
    // A released system freed its sounds with it, so there is nothing left to
    // free; the game reloads its sounds after the sound card was changed.
    if (!layer)
        return serial > 0 && serial < nextSerial ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
    return Guarded([&] { return layer->ReleaseSound(ToNumber(sound) & LOW_MASK); });
}

FMOD_RESULT FMOD_Channel_SetVolume(FMOD_CHANNEL* channel, float volume)
{
    const ChannelRef ref = ChannelOf(channel);
    if (!ref.channel)
        return FMOD_ERR_INVALID_HANDLE;
    if (std::isnan(volume))
        return FMOD_ERR_INVALID_FLOAT;
    ref.channel->volume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_GetSpectrum(FMOD_CHANNEL* channel, float* spectrumarray, int numvalues, int channeloffset,
                                     FMOD_DSP_FFT_WINDOW windowtype)
{
    const ChannelRef ref = ChannelOf(channel);
    if (!ref.channel)
        return FMOD_ERR_INVALID_HANDLE;
    return Guarded(
        [&] { return ref.system->GetSpectrum(*ref.channel, spectrumarray, numvalues, channeloffset, windowtype); });
}

FMOD_RESULT FMOD_Channel_GetWaveData(FMOD_CHANNEL* channel, float* wavearray, int numvalues, int channeloffset)
{
    const ChannelRef ref = ChannelOf(channel);
    if (!ref.channel)
        return FMOD_ERR_INVALID_HANDLE;
    return Guarded([&] { return ref.system->GetWaveData(*ref.channel, wavearray, numvalues, channeloffset); });
}

FMOD_RESULT FMOD_Channel_Stop(FMOD_CHANNEL* channel)
{
    const ChannelRef ref = ChannelOf(channel);
    if (!ref.system)
        return FMOD_ERR_INVALID_HANDLE;
    // A channel that has ended or was given to another sound is stopped already.
    if (ref.channel)
        ref.channel->active = false;
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_GetCurrentSound(FMOD_CHANNEL* channel, FMOD_SOUND** sound)
{
    if (!sound)
        return FMOD_ERR_INVALID_PARAM;
    *sound = nullptr;
    const ChannelRef ref = ChannelOf(channel);
    if (!ref.channel)
        return FMOD_ERR_INVALID_HANDLE;
    *sound = ToHandle<FMOD_SOUND>((ToNumber(channel) >> SERIAL_SHIFT) << SERIAL_SHIFT | ref.channel->sound->id);
    return FMOD_OK;
}

FMOD_RESULT FMOD_Channel_IsPlaying(FMOD_CHANNEL* channel, FMOD_BOOL* isplaying)
{
    if (!isplaying)
        return FMOD_ERR_INVALID_PARAM;
    const ChannelRef ref = ChannelOf(channel);
    *isplaying = ref.channel ? 1 : 0;
    return ref.system ? FMOD_OK : FMOD_ERR_INVALID_HANDLE;
}

const char* FMOD_ErrorString(FMOD_RESULT result)
{
    if (result == unopenedResult && !unopenedText.empty())
        return unopenedText.c_str();
    const int code = static_cast<int>(result);
    return code >= 0 && code < ERROR_TEXT_COUNT ? ERROR_TEXTS[code] : "Unknown error.";
}
