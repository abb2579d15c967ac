#pragma once

#include "platform/CaptureStream.h"
#include "platform/LayerSound.h"
#include "platform/PlaybackStream.h"
#include "platform/PortAudioBackend.h"
#include "platform/SoftwareMixer.h"
#include "platform/SoundLibrary.h"
#include "platform/SpectrumAnalyzer.h"

#include <boost/noncopyable.hpp>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The system object behind the layer's calls: configuration, devices,
// sounds, the mixer and the captures. Game thread only.
class LayerSystem : private boost::noncopyable
{
public:
    LayerSystem();
    ~LayerSystem();

    FMOD_RESULT SetOutput(FMOD_OUTPUTTYPE output);
    FMOD_RESULT SetDriver(int driver);
    FMOD_RESULT SetSoftwareFormat(int sampleRate, FMOD_SOUND_FORMAT format, int outputChannels, int maxInputChannels,
                                  FMOD_DSP_RESAMPLER resampler);
    FMOD_RESULT Init(int maxChannels);
    FMOD_RESULT Update();

    FMOD_RESULT GetDriverNames(bool record, std::vector<std::string>& names);
    // The device that the last Init or RecordStart found but could not open;
    // empty when that call failed otherwise or not at all.
    const std::string& GetUnopenedDevice() const;

    FMOD_RESULT RecordStart(int driver, std::uint64_t sound, bool loop);
    FMOD_RESULT RecordStop(int driver);
    FMOD_RESULT IsRecording(int driver, bool& recording);

    FMOD_RESULT CreateSound(const char* name, FMOD_MODE mode, const FMOD_CREATESOUNDEXINFO* info,
                            std::uint64_t& sound);
    FMOD_RESULT ReleaseSound(std::uint64_t sound);
    // Frames of the sound; 0 when there is no such sound.
    std::size_t GetSoundFrames(std::uint64_t sound) const;
    // How often the sound was started on a channel; 0 when there is no such sound.
    unsigned int GetSoundStarts(std::uint64_t sound) const;
    // channel/generation in: the handle to reuse (channel -1 for none); out:
    // the channel that plays.
    FMOD_RESULT PlaySound(int index, std::uint64_t sound, bool paused, int& channel, std::uint32_t& generation);

    // The playing channel of a handle, or null when it has ended or was reused.
    MixerChannel* FindChannel(int channel, std::uint32_t generation);
    FMOD_RESULT GetSpectrum(MixerChannel& channel, float* values, int count, int offset,
                            FMOD_DSP_FFT_WINDOW window);
    FMOD_RESULT GetWaveData(MixerChannel& channel, float* values, int count, int offset);

private:
    enum OutputKind
    {
        OutputAuto,
        OutputNone,
        OutputAlsa,
        OutputPulse,
        OutputOss
    };

    struct Capture
    {
        std::unique_ptr<CaptureStream> stream;
        LayerSound* sound;
        bool loop;
    };

    PortAudioBackend& Backend();
    PortAudioBackend::HostKind HostOf(OutputKind kind) const;
    std::vector<int> PlaybackDevices();
    std::vector<int> RecordDevices();
    bool ListsNoSoundDriver();
    FMOD_RESULT LoadFile(const char* name, LayerSound& sound) const;
    void DrainCaptures();
    void MixAhead();
    void StopCapture(std::map<int, Capture>::iterator capture);

    OutputKind m_outputKind;
    int m_driver;
    int m_sampleRate;
    int m_outputChannels;
    FMOD_DSP_RESAMPLER m_resampler;
    bool m_initialised;
    std::string m_unopenedDevice;

    std::unique_ptr<PortAudioBackend> m_backend;
    std::unique_ptr<SoftwareMixer> m_mixer;
    std::unique_ptr<PlaybackStream> m_playback;
    std::map<std::uint64_t, std::unique_ptr<LayerSound>> m_sounds;
    std::uint64_t m_nextSoundId;
    std::map<int, Capture> m_captures;
    SpectrumAnalyzer m_analyzer;
    std::vector<float> m_mixBuffer;
    std::chrono::steady_clock::time_point m_mixStart;
    std::uint64_t m_mixedFrames;
};
