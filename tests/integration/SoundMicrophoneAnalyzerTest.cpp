// Needs the sound server of tools/headless.sh: its virtual microphone is fed
// through the FIFO named by VELMORA_TEST_MIC_FIFO.
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"
#include "support/ChildProcess.h"
#include "support/MicFeeder.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const int SPECTRUM_SIZE = 8192;
const float HZ_PER_BIN = 24000.0f / SPECTRUM_SIZE;

void Configure(SoundSystem& system)
{
    system.SetOutputFormat(FMOD_OUTPUTTYPE_AUTODETECT);
    system.SetDriver(0);
    system.SetSoftwareFormat(SAMPLE_RATE, FMOD_SOUND_FORMAT_PCM16, 1, 0, FMOD_DSP_RESAMPLER_LINEAR);
    system.Init(32, FMOD_INIT_NORMAL, nullptr);
}

// The record driver that reaches the sound server's default source.
int ServerRecordDriver(SoundSystem& system)
{
    const std::vector<std::string> names = system.EnlistRecordDrivers();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == "default")
            return static_cast<int>(i);
    return 0;
}

// Updates like the game loop does until the condition holds or the time is up.
template <typename Condition>
bool UpdateUntil(SoundSystem& system, SoundMicrophoneAnalyzer& analyzer, std::chrono::milliseconds limit,
                 Condition condition)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end)
    {
        system.Update();
        analyzer.Update();
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// Amplitude of the frequency in a stretch of 16-bit mono samples, 0..1 for a
// sine (Goertzel under a Hann window, so that the edges of a stretch, or a gap
// in it, spread next to nothing onto other frequencies).
double AmplitudeAt(const short* samples, std::size_t count, double hz)
{
    const double pi = 3.141592653589793;
    const double coefficient = 2.0 * std::cos(2.0 * pi * hz / SAMPLE_RATE);
    double previous = 0.0;
    double beforePrevious = 0.0;
    double windowSum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
    {
        const double window = 0.5 - 0.5 * std::cos(2.0 * pi * static_cast<double>(i) / static_cast<double>(count));
        windowSum += window;
        const double current = window * samples[i] / 32768.0 + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    return windowSum > 0.0 ? 2.0 * std::sqrt(std::max(power, 0.0)) / windowSum : 0.0;
}

// A recording as its recorder writes it, analysed a tenth of a second at a
// time as each tenth is complete: the amplitude of each frequency of interest
// in every tenth so far. Only what is new is read and analysed, so that
// looking often does not take the time the playback needs.
class RecordingTenths
{
public:
    RecordingTenths(const ChildProcess& recorder, std::vector<double> frequencies)
        : m_recorder(recorder), m_frequencies(std::move(frequencies)), m_amplitudes(m_frequencies.size())
    {
    }

    void CatchUp()
    {
        const std::string fresh = m_recorder.StdoutFrom(m_read);
        m_read += fresh.size();
        m_pending += fresh;
        const std::size_t piece = SAMPLE_RATE / 10;
        const std::size_t pieceBytes = piece * sizeof(short);
        std::vector<short> samples(piece);
        std::size_t used = 0;
        for (; used + pieceBytes <= m_pending.size(); used += pieceBytes)
        {
            std::memcpy(samples.data(), m_pending.data() + used, pieceBytes);
            for (std::size_t f = 0; f < m_frequencies.size(); ++f)
                m_amplitudes[f].push_back(AmplitudeAt(samples.data(), piece, m_frequencies[f]));
        }
        m_pending.erase(0, used);
    }

    // Per tenth, for the frequency of that index.
    const std::vector<double>& Amplitudes(std::size_t frequency) const { return m_amplitudes[frequency]; }

private:
    const ChildProcess& m_recorder;
    std::vector<double> m_frequencies;
    std::vector<std::vector<double>> m_amplitudes;
    std::string m_pending;
    std::size_t m_read = 0;
};

void WriteTone(const std::string& path, double hz, float amplitude, int frames)
{
    SF_INFO info = {};
    info.samplerate = SAMPLE_RATE;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<std::size_t>(i)] =
            amplitude * static_cast<float>(std::sin(2.0 * 3.141592653589793 * hz * i / SAMPLE_RATE));
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

bool WithinOneBin(float hz, float expected)
{
    return std::fabs(hz - expected) <= HZ_PER_BIN;
}

class SoundMicrophoneAnalyzerServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(feeder.IsOpen()) << "run under tools/headless.sh";
        ASSERT_TRUE(system.HasSystem());
        Configure(system);
    }

    MicFeeder feeder;
    SoundSystem system;
};
}

TEST_F(SoundMicrophoneAnalyzerServerTest, tone_of_440_hz_reads_one_bin_below_with_its_amplitude)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    // Past the start-up of the capture, the whole window holds the tone.
    UpdateUntil(system, analyzer, std::chrono::milliseconds(800), [] { return false; });
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(2000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    })) << "last reading " << analyzer.GetDominantHz() << " Hz";
    EXPECT_NEAR(analyzer.GetVolume(), 0.5f, 0.03f);
    analyzer.Stop();
}

TEST_F(SoundMicrophoneAnalyzerServerTest, silence_has_no_dominant_frequency)
{
    feeder.SetTone(440.0f, 0.0f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    bool everActive = false;
    UpdateUntil(system, analyzer, std::chrono::milliseconds(1000), [&] {
        everActive = everActive || analyzer.IsDominantHzActive();
        return false;
    });
    EXPECT_FALSE(everActive);
    EXPECT_LT(analyzer.GetVolume(), 0.01f);
}

TEST_F(SoundMicrophoneAnalyzerServerTest, change_to_660_hz_moves_the_reading_within_600_ms)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
    feeder.SetTone(660.0f, 0.5f);
    const auto changed = std::chrono::steady_clock::now();
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 659.1796875f);
    }));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - changed).count();
    EXPECT_LT(seconds, 0.6);
}

TEST_F(SoundMicrophoneAnalyzerServerTest, restart_while_running_resets_the_results)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000),
                            [&] { return analyzer.IsDominantHzActive(); }));
    analyzer.Start(ServerRecordDriver(system));
    EXPECT_TRUE(analyzer.IsRunning());
    EXPECT_FALSE(analyzer.IsDominantHzActive());
    EXPECT_EQ(analyzer.GetDominantHz(), 0.0f);
    EXPECT_EQ(analyzer.GetVolume(), 0.0f);
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
}

// A game thread that stalls longer than the capture can queue must not read
// the sound from before the stall as the most recent.
TEST_F(SoundMicrophoneAnalyzerServerTest, after_a_stall_the_sound_from_before_it_is_not_read_as_recent)
{
    feeder.SetTone(440.0f, 0.5f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    ASSERT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
    // The stall: the capture queue fills with the 440 Hz tone, the 660 Hz
    // tone after it is lost.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    feeder.SetTone(660.0f, 0.5f);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    system.Update();
    analyzer.Update();
    EXPECT_FALSE(analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f))
        << "read " << analyzer.GetDominantHz() << " Hz";
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 659.1796875f);
    }));
}

// The virtual microphone's pipe is held open without a sample written into
// it, so the server's source stalls: the game loop's reads must still return.
TEST(SoundMicrophoneAnalyzerServer, stalled_microphone_holds_up_no_update)
{
    const char* path = std::getenv("VELMORA_TEST_MIC_FIFO");
    ASSERT_NE(path, nullptr) << "run under tools/headless.sh";
    const int stalled = open(path, O_WRONLY);
    ASSERT_GE(stalled, 0);
    SoundSystem system;
    Configure(system);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    for (int frame = 0; frame < 100; ++frame)
    {
        system.Update();
        analyzer.Update();
    }
    EXPECT_TRUE(analyzer.IsRunning());
    EXPECT_FALSE(analyzer.IsDominantHzActive());
    EXPECT_EQ(analyzer.GetVolume(), 0.0f);
    analyzer.Stop();
    close(stalled);
}

TEST(SoundMicrophoneAnalyzerServer, record_driver_out_of_range_ends_with_the_sound_error)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            SoundSystem system;
            Configure(system);
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
            analyzer.Start(static_cast<int>(system.EnlistRecordDrivers().size()));
        },
        ::testing::ExitedWithCode(255), "FMOD error! \\(37\\) An invalid parameter was passed, such as a driver number");
}

TEST(SoundMicrophoneAnalyzerServer, no_record_device_ends_with_the_sound_error)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(STDERR_FILENO, STDOUT_FILENO);
            // Cut off from the sound server, this machine has no capture device.
            setenv("PULSE_SERVER", "unix:/nonexistent", 1);
            SoundSystem system;
            Configure(system);
            SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
            analyzer.Start(0);
        },
        ::testing::ExitedWithCode(255), "FMOD error! \\(72\\) Recording failed: no recording device exists");
}

// The channel that plays the recording is only read, never heard: what reaches
// the speakers (the null sink's monitor) holds the sound that the game plays,
// here a 1000 Hz loop, and nothing of the 440 Hz tone at the microphone. The
// speakers are judged by the tenths of a second in which the loop played
// whole: a busy machine lets the playback run dry now and then, and the edges
// of such a gap would spread onto every frequency.
TEST_F(SoundMicrophoneAnalyzerServerTest, microphone_is_not_heard_through_the_speakers)
{
    const double LOOP_HZ = 1000.0;
    const double MICROPHONE_HZ = 440.0;
    const float loopAmplitude = 0.5f;
    const double wholeLoop = 0.9 * loopAmplitude;
    const std::size_t piecesWanted = 10;
    ScratchFolder folder;
    WriteTone(folder.File("loop.wav"), LOOP_HZ, loopAmplitude, SAMPLE_RATE);
    feeder.SetTone(static_cast<float>(MICROPHONE_HZ), 0.5f);
    ChildProcess speaker("/usr/bin/parec", folder.Path(),
                         {"--device=speaker.monitor", "--raw", "--format=s16le", "--rate=48000", "--channels=1",
                          "--latency-msec=20"});
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    Sound loop = system.CreateSound(folder.File("loop.wav").c_str(), FMOD_LOOP_NORMAL | FMOD_2D | FMOD_SOFTWARE);
    system.PlaySound(loop);
    // The analyzer hears the tone meanwhile, so the recording is played.
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000), [&] {
        return analyzer.IsDominantHzActive() && WithinOneBin(analyzer.GetDominantHz(), 439.453125f);
    }));
    // Tenths of the speaker recording in which the loop played whole: a busy
    // machine's playback gaps spread onto every frequency, the microphone's too.
    RecordingTenths speakers(speaker, {LOOP_HZ, MICROPHONE_HZ});
    auto wholeTenths = [&] {
        std::vector<std::size_t> whole;
        const std::vector<double>& loopHeard = speakers.Amplitudes(0);
        for (std::size_t i = 0; i < loopHeard.size(); ++i)
            if (loopHeard[i] >= wholeLoop)
                whole.push_back(i);
        return whole;
    };
    UpdateUntil(system, analyzer, std::chrono::milliseconds(20000), [&] {
        speakers.CatchUp();
        return wholeTenths().size() >= piecesWanted;
    });
    analyzer.Stop();
    speaker.Wait(0.0);
    speakers.CatchUp();
    const std::vector<std::size_t> whole = wholeTenths();
    ASSERT_GE(whole.size(), piecesWanted) << "the speakers do not carry what the game plays; " << speaker.Stderr();
    const std::vector<double>& loopHeard = speakers.Amplitudes(0);
    const std::vector<double>& microphoneHeard = speakers.Amplitudes(1);
    for (std::size_t i : whole)
        EXPECT_LT(microphoneHeard[i], 0.005) << "the microphone is heard through the speakers at " << i / 10.0 << " s";
    // Every tenth, whole or not: a microphone heard in place of the loop
    // leaves the loop short there, and must not hide in such a tenth.
    for (std::size_t i = 0; i < loopHeard.size(); ++i)
        EXPECT_LT(microphoneHeard[i], 0.005 + 0.1 * loopHeard[i])
            << "the microphone is heard through the speakers at " << i / 10.0 << " s, beside "
            << loopHeard[i] << " of the loop";
}

// The recording is read 200 ms behind the capture: a short burst after which
// the microphone stalls is not analysed yet, and is once the capture moves on.
TEST_F(SoundMicrophoneAnalyzerServerTest, analysis_trails_the_capture_by_the_head_start)
{
    feeder.SetTone(440.0f, 0.0f);
    SoundMicrophoneAnalyzer analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE);
    analyzer.Start(ServerRecordDriver(system));
    // 40 ms of tone, well inside the 200 ms that the analysis trails by.
    ASSERT_TRUE(feeder.SendBurstThenStall(440.0f, 0.5f, SAMPLE_RATE / 25));
    float loudest = 0.0f;
    UpdateUntil(system, analyzer, std::chrono::milliseconds(600), [&] {
        loudest = std::max(loudest, analyzer.GetVolume());
        return false;
    });
    EXPECT_LT(loudest, 0.05f) << "the burst was analysed before the capture moved past it";
    feeder.SetTone(440.0f, 0.0f);
    EXPECT_TRUE(UpdateUntil(system, analyzer, std::chrono::milliseconds(3000),
                            [&] { return analyzer.GetVolume() > 0.4f; }))
        << "the burst never reached the analysis";
    analyzer.Stop();
}
