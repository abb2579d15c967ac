#include "platform/LayerSystem.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace
{
// Output types are numbered below this in the interface; the ones this
// platform lacks select auto-detection.
const int OUTPUT_TYPE_LIMIT = 32;
const char* const NO_SOUND_DRIVER_NAME = "No sound";
const int MIN_SAMPLE_RATE = 8000;
const int MAX_SAMPLE_RATE = 192000;
const int MAX_OUTPUT_CHANNELS = 8;
const int MAX_INPUT_CHANNELS = 16;
const int MAX_SOUND_CHANNELS = 16;
const int MAX_MIXER_CHANNELS = 4093;
const int MAX_WAVE_VALUES = 16384;
const std::size_t MIX_CHUNK_FRAMES = 1024;
// Mixed output kept queued for the device.
const double MIX_AHEAD_SECONDS = 0.05;
const double PLAYBACK_RING_SECONDS = 0.25;
const double CAPTURE_RING_SECONDS = 1.0;

int BytesPerSample(FMOD_SOUND_FORMAT format)
{
    switch (format)
    {
    case FMOD_SOUND_FORMAT_PCM8:
        return 1;
    case FMOD_SOUND_FORMAT_PCM16:
        return 2;
    case FMOD_SOUND_FORMAT_PCM24:
        return 3;
    case FMOD_SOUND_FORMAT_PCM32:
    case FMOD_SOUND_FORMAT_PCMFLOAT:
        return 4;
    case FMOD_SOUND_FORMAT_NONE:
    default:
        return 0;
    }
}
}

LayerSystem::LayerSystem()
    : m_outputKind(OutputAuto),
      m_driver(0),
      m_sampleRate(48000),
      m_outputChannels(2),
      m_resampler(FMOD_DSP_RESAMPLER_LINEAR),
      m_initialised(false),
      m_nextSoundId(1),
      m_mixedFrames(0)
{
}

LayerSystem::~LayerSystem()
{
    // Streams first, so no callback outlives what it writes to.
    m_captures.clear();
    m_playback.reset();
    m_mixer.reset();
    m_sounds.clear();
    m_backend.reset();
}

PortAudioBackend& LayerSystem::Backend()
{
    if (!m_backend)
        m_backend.reset(new PortAudioBackend());
    return *m_backend;
}

PortAudioBackend::HostKind LayerSystem::HostOf(OutputKind kind) const
{
    switch (kind)
    {
    case OutputAlsa:
        return PortAudioBackend::HostAlsa;
    case OutputPulse:
        return PortAudioBackend::HostPulse;
    case OutputOss:
        return PortAudioBackend::HostOss;
    case OutputAuto:
    case OutputNone:
    default:
        return PortAudioBackend::HostDefault;
    }
}

std::vector<int> LayerSystem::PlaybackDevices()
{
    if (m_outputKind == OutputNone)
        return std::vector<int>();
    return Backend().ListDevices(HostOf(m_outputKind), false);
}

std::vector<int> LayerSystem::RecordDevices()
{
    return Backend().ListDevices(HostOf(m_outputKind), true);
}

bool LayerSystem::ListsNoSoundDriver()
{
    return m_outputKind == OutputNone || (m_outputKind == OutputAuto && PlaybackDevices().empty());
}

FMOD_RESULT LayerSystem::SetOutput(FMOD_OUTPUTTYPE output)
{
    if (m_initialised)
        return FMOD_ERR_INITIALIZED;
    if (output < 0 || output >= OUTPUT_TYPE_LIMIT)
        return FMOD_ERR_INVALID_PARAM;
    switch (output)
    {
    case FMOD_OUTPUTTYPE_NOSOUND:
        m_outputKind = OutputNone;
        break;
    case FMOD_OUTPUTTYPE_ALSA:
        m_outputKind = OutputAlsa;
        break;
    case FMOD_OUTPUTTYPE_PULSEAUDIO:
        m_outputKind = OutputPulse;
        break;
    case FMOD_OUTPUTTYPE_OSS:
        m_outputKind = OutputOss;
        break;
    default:
        m_outputKind = OutputAuto;
        break;
    }
    m_driver = 0;
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::SetDriver(int newDriver)
{
    if (m_initialised)
        return FMOD_ERR_INITIALIZED;
    if (newDriver < 0)
        return FMOD_ERR_INVALID_PARAM;
    // Driver 0 is always accepted; Init reports an output without devices.
    if (newDriver > 0)
    {
        std::vector<std::string> names;
        GetDriverNames(false, names);
        if (static_cast<std::size_t>(newDriver) >= names.size())
            return FMOD_ERR_INVALID_PARAM;
    }
    m_driver = newDriver;
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::SetSoftwareFormat(int rate, FMOD_SOUND_FORMAT format, int outChannels, int maxInputChannels,
                                           FMOD_DSP_RESAMPLER method)
{
    if (m_initialised)
        return FMOD_ERR_INITIALIZED;
    if (rate < MIN_SAMPLE_RATE || rate > MAX_SAMPLE_RATE || BytesPerSample(format) == 0 || outChannels < 1 ||
        outChannels > MAX_OUTPUT_CHANNELS || maxInputChannels < 0 || maxInputChannels > MAX_INPUT_CHANNELS ||
        method < FMOD_DSP_RESAMPLER_NOINTERP || method > FMOD_DSP_RESAMPLER_SPLINE)
        return FMOD_ERR_INVALID_PARAM;
    m_sampleRate = rate;
    m_outputChannels = outChannels;
    m_resampler = method;
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::Init(int maxChannels)
{
    if (m_initialised)
        return FMOD_ERR_INITIALIZED;
    if (maxChannels < 1 || maxChannels > MAX_MIXER_CHANNELS)
        return FMOD_ERR_INVALID_PARAM;
    m_unopenedDevice.clear();
    if (m_outputKind != OutputNone)
    {
        const std::vector<int> devices = PlaybackDevices();
        if (static_cast<std::size_t>(m_driver) < devices.size())
        {
            const int device = devices[static_cast<std::size_t>(m_driver)];
            m_playback.reset(new PlaybackStream(
                m_outputChannels, static_cast<std::size_t>(m_sampleRate * PLAYBACK_RING_SECONDS)));
            if (!m_playback->Open(device, m_sampleRate))
            {
                m_playback.reset();
                if (m_outputKind != OutputAuto)
                    m_unopenedDevice = Backend().GetDeviceName(device);
            }
        }
        // Auto-detection falls back to no sound, so a machine without
        // speakers still runs; a chosen output must work.
        if (!m_playback && m_outputKind != OutputAuto)
            return FMOD_ERR_OUTPUT_INIT;
    }
    m_mixer.reset(new SoftwareMixer(maxChannels, m_sampleRate, m_outputChannels,
                                  m_resampler != FMOD_DSP_RESAMPLER_NOINTERP));
    m_mixBuffer.assign(MIX_CHUNK_FRAMES * static_cast<std::size_t>(m_outputChannels), 0.0f);
    m_mixStart = std::chrono::steady_clock::now();
    m_mixedFrames = 0;
    m_initialised = true;
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::Update()
{
    if (!m_initialised)
        return FMOD_ERR_UNINITIALIZED;
    DrainCaptures();
    MixAhead();
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::GetDriverNames(bool record, std::vector<std::string>& names)
{
    names.clear();
    if (!record && ListsNoSoundDriver())
    {
        names.push_back(NO_SOUND_DRIVER_NAME);
        return FMOD_OK;
    }
    const std::vector<int> devices = record ? RecordDevices() : PlaybackDevices();
    for (int device : devices)
        names.push_back(Backend().GetDeviceName(device));
    return FMOD_OK;
}

const std::string& LayerSystem::GetUnopenedDevice() const
{
    return m_unopenedDevice;
}

FMOD_RESULT LayerSystem::RecordStart(int recordDriver, std::uint64_t soundId, bool loop)
{
    if (!m_initialised)
        return FMOD_ERR_UNINITIALIZED;
    auto found = m_sounds.find(soundId);
    if (found == m_sounds.end())
        return FMOD_ERR_INVALID_HANDLE;
    LayerSound& sound = *found->second;
    m_unopenedDevice.clear();
    const std::vector<int> devices = RecordDevices();
    if (devices.empty())
        return FMOD_ERR_RECORD;
    if (recordDriver < 0 || static_cast<std::size_t>(recordDriver) >= devices.size())
        return FMOD_ERR_INVALID_PARAM;
    for (auto it = m_captures.begin(); it != m_captures.end();)
    {
        auto current = it++;
        if (current->first == recordDriver || current->second.sound == &sound)
            StopCapture(current);
    }
    Capture capture;
    capture.stream.reset(new CaptureStream(
        sound.channels, static_cast<std::size_t>(sound.frequency * CAPTURE_RING_SECONDS)));
    capture.sound = &sound;
    capture.loop = loop;
    const int device = devices[static_cast<std::size_t>(recordDriver)];
    if (!capture.stream->Open(device, sound.frequency))
    {
        m_unopenedDevice = Backend().GetDeviceName(device);
        return FMOD_ERR_RECORD;
    }
    sound.recording = true;
    sound.recordedFrames = 0;
    m_captures[recordDriver] = std::move(capture);
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::RecordStop(int recordDriver)
{
    if (!m_initialised)
        return FMOD_ERR_UNINITIALIZED;
    auto found = m_captures.find(recordDriver);
    if (found != m_captures.end())
    {
        DrainCaptures();
        found = m_captures.find(recordDriver);
        if (found != m_captures.end())
            StopCapture(found);
    }
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::IsRecording(int recordDriver, bool& recording)
{
    if (!m_initialised)
        return FMOD_ERR_UNINITIALIZED;
    DrainCaptures();
    auto found = m_captures.find(recordDriver);
    recording = found != m_captures.end() && found->second.stream->IsActive();
    return FMOD_OK;
}

void LayerSystem::StopCapture(std::map<int, Capture>::iterator capture)
{
    capture->second.sound->recording = false;
    m_captures.erase(capture);
}

void LayerSystem::DrainCaptures()
{
    for (auto it = m_captures.begin(); it != m_captures.end();)
    {
        auto current = it++;
        Capture& capture = current->second;
        LayerSound& sound = *capture.sound;
        const std::size_t stride = static_cast<std::size_t>(sound.channels);
        // After a loss the queued frames are older than it: replace both by
        // silence rather than play stale sound as the most recent.
        const std::uint64_t lost = capture.stream->TakeLost();
        if (lost > 0)
            sound.RecordSilence(lost + capture.stream->Discard(), capture.loop);
        bool full = false;
        for (;;)
        {
            if (!capture.loop && sound.recordedFrames >= sound.frames)
            {
                full = true;
                break;
            }
            const std::size_t position = static_cast<std::size_t>(sound.recordedFrames % sound.frames);
            const std::size_t room = sound.frames - position;
            const std::size_t got = capture.stream->Drain(&sound.samples[position * stride], room);
            sound.recordedFrames += got;
            if (got < room)
                break;
        }
        if (full)
            StopCapture(current);
    }
}

void LayerSystem::MixAhead()
{
    if (m_playback)
    {
        const std::size_t capacity = m_playback->GetCapacityFrames();
        const std::size_t target = std::min(capacity, static_cast<std::size_t>(m_sampleRate * MIX_AHEAD_SECONDS));
        std::size_t queued = capacity - m_playback->GetFreeFrames();
        while (queued < target)
        {
            const std::size_t frames = std::min(MIX_CHUNK_FRAMES, target - queued);
            m_mixer->Mix(m_mixBuffer.data(), static_cast<int>(frames));
            m_playback->Feed(m_mixBuffer.data(), frames);
            queued += frames;
        }
        return;
    }
    // Without a device the mix follows the clock, so sounds still end on time.
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_mixStart).count();
    const std::uint64_t due = static_cast<std::uint64_t>(elapsed * m_sampleRate);
    if (due > m_mixedFrames + static_cast<std::uint64_t>(m_sampleRate))
        m_mixedFrames = due - static_cast<std::uint64_t>(m_sampleRate);
    while (m_mixedFrames < due)
    {
        const std::size_t frames = static_cast<std::size_t>(std::min<std::uint64_t>(MIX_CHUNK_FRAMES, due - m_mixedFrames));
        m_mixer->Mix(m_mixBuffer.data(), static_cast<int>(frames));
        m_mixedFrames += frames;
    }
}

FMOD_RESULT LayerSystem::LoadFile(const char* name, LayerSound& sound) const
{
    struct stat status;
    if (stat(name, &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FMOD_ERR_FILE_NOTFOUND : FMOD_ERR_FILE_BAD;
    if (!S_ISREG(status.st_mode))
        return FMOD_ERR_FILE_BAD;
    SF_INFO info = {};
    SNDFILE* file = sf_open(name, SFM_READ, &info);
    if (!file)
        return FMOD_ERR_FORMAT;
    if (info.frames <= 0 || info.channels < 1 || info.channels > MAX_SOUND_CHANNELS || info.samplerate <= 0)
    {
        sf_close(file);
        return FMOD_ERR_FORMAT;
    }
    sound.channels = info.channels;
    sound.frequency = info.samplerate;
    sound.samples.assign(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels), 0.0f);
    const sf_count_t read = sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    if (read <= 0)
        return FMOD_ERR_FILE_BAD;
    sound.frames = static_cast<std::size_t>(read);
    sound.samples.resize(sound.frames * static_cast<std::size_t>(sound.channels));
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::CreateSound(const char* name, FMOD_MODE mode, const FMOD_CREATESOUNDEXINFO* info,
                                     std::uint64_t& soundId)
{
    if (!m_initialised)
        return FMOD_ERR_UNINITIALIZED;
    std::unique_ptr<LayerSound> sound(new LayerSound());
    if (mode & FMOD_OPENUSER)
    {
        if (!info || info->cbsize != static_cast<int>(sizeof(FMOD_CREATESOUNDEXINFO)))
            return FMOD_ERR_INVALID_PARAM;
        const int bytes = BytesPerSample(info->format);
        if (bytes == 0 || info->numchannels < 1 || info->numchannels > MAX_SOUND_CHANNELS ||
            info->defaultfrequency < MIN_SAMPLE_RATE || info->defaultfrequency > MAX_SAMPLE_RATE)
            return FMOD_ERR_INVALID_PARAM;
        const std::size_t frames = info->length / (static_cast<unsigned int>(bytes) * info->numchannels);
        if (frames == 0)
            return FMOD_ERR_INVALID_PARAM;
        sound->channels = info->numchannels;
        sound->frequency = info->defaultfrequency;
        sound->frames = frames;
        sound->samples.assign(frames * static_cast<std::size_t>(sound->channels), 0.0f);
        sound->user = true;
    }
    else
    {
        if (!name)
            return FMOD_ERR_INVALID_PARAM;
        const FMOD_RESULT loaded = LoadFile(name, *sound);
        if (loaded != FMOD_OK)
            return loaded;
    }
    sound->looping = (mode & FMOD_LOOP_NORMAL) != 0 && (mode & FMOD_LOOP_OFF) == 0;
    sound->id = m_nextSoundId++;
    soundId = sound->id;
    m_sounds[soundId] = std::move(sound);
    return FMOD_OK;
}

FMOD_RESULT LayerSystem::ReleaseSound(std::uint64_t soundId)
{
    auto found = m_sounds.find(soundId);
    if (found == m_sounds.end())
        return FMOD_ERR_INVALID_HANDLE;
    LayerSound* sound = found->second.get();
    for (auto it = m_captures.begin(); it != m_captures.end();)
    {
        auto current = it++;
        if (current->second.sound == sound)
            StopCapture(current);
    }
    if (m_mixer)
        m_mixer->StopSound(sound);
    m_sounds.erase(found);
    return FMOD_OK;
}

std::size_t LayerSystem::GetSoundFrames(std::uint64_t soundId) const
{
    auto found = m_sounds.find(soundId);
    return found == m_sounds.end() ? 0 : found->second->frames;
}

unsigned int LayerSystem::GetSoundStarts(std::uint64_t soundId) const
{
    auto found = m_sounds.find(soundId);
    return found == m_sounds.end() ? 0 : found->second->starts;
}

FMOD_RESULT LayerSystem::PlaySound(int index, std::uint64_t soundId, bool paused, int& channel,
                                   std::uint32_t& generation)
{
    if (!m_initialised)
        return FMOD_ERR_UNINITIALIZED;
    auto found = m_sounds.find(soundId);
    if (found == m_sounds.end())
        return FMOD_ERR_INVALID_HANDLE;
    DrainCaptures();
    int slot = -1;
    bool reused = false;
    if (index == FMOD_CHANNEL_REUSE && channel >= 0 && channel < m_mixer->GetChannelCount() &&
        m_mixer->GetChannel(channel).generation == generation)
    {
        slot = channel;
        reused = true;
    }
    else if (index == FMOD_CHANNEL_FREE || index == FMOD_CHANNEL_REUSE)
    {
        slot = m_mixer->Allocate();
        if (slot < 0)
            return FMOD_ERR_CHANNEL_ALLOC;
    }
    else if (index >= 0 && index < m_mixer->GetChannelCount())
        slot = index;
    else
        return FMOD_ERR_INVALID_PARAM;
    MixerChannel& target = m_mixer->GetChannel(slot);
    if (!reused)
        target.generation = (target.generation + 1) & 0xFFFFFFu;
    m_mixer->Start(slot, found->second.get(), paused);
    ++found->second->starts;
    channel = slot;
    generation = target.generation;
    return FMOD_OK;
}

MixerChannel* LayerSystem::FindChannel(int channel, std::uint32_t generation)
{
    if (!m_mixer || channel < 0 || channel >= m_mixer->GetChannelCount())
        return nullptr;
    MixerChannel& found = m_mixer->GetChannel(channel);
    if (found.generation != generation || !found.active)
        return nullptr;
    return &found;
}

FMOD_RESULT LayerSystem::GetSpectrum(MixerChannel& channel, float* values, int count, int offset,
                                     FMOD_DSP_FFT_WINDOW window)
{
    if (!values || !SpectrumAnalyzer::IsValidCount(count) || !SpectrumAnalyzer::IsValidWindow(window) ||
        offset < 0 || offset >= channel.sound->channels)
        return FMOD_ERR_INVALID_PARAM;
    DrainCaptures();
    m_mixer->Follow(channel);
    m_mixer->GetRecentSamples(channel, offset, m_analyzer.GetInput(), 2 * count);
    return m_analyzer.Compute(count, window, values) ? FMOD_OK : FMOD_ERR_MEMORY;
}

FMOD_RESULT LayerSystem::GetWaveData(MixerChannel& channel, float* values, int count, int offset)
{
    if (!values || count < 1 || count > MAX_WAVE_VALUES || offset < 0 || offset >= channel.sound->channels)
        return FMOD_ERR_INVALID_PARAM;
    DrainCaptures();
    m_mixer->Follow(channel);
    m_mixer->GetRecentSamples(channel, offset, values, count);
    return FMOD_OK;
}
