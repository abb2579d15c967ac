// The analyzer's per-frame work beside the bare FFT it is built on. The
// analyzer records from the sound server, so run it under tools/headless.sh
// (make bench does).
#include "sound/SoundMicrophoneAnalyzer.h"
#include "sound/SoundSystem.h"
#include "support/MicFeeder.h"

#include <benchmark/benchmark.h>
#include <kiss_fftr.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const int SPECTRUM_SIZE = 8192;
const int FFT_SIZE = 2 * SPECTRUM_SIZE;

// One running analyzer for every run: its start waits 200 ms.
struct RunningAnalyzer
{
    RunningAnalyzer() : analyzer(system, SAMPLE_RATE, SPECTRUM_SIZE)
    {
        // A 440 Hz tone, as a voice would come in (a microphone that delivers
        // nothing is no real case).
        feeder.SetTone(440.0f, 0.5f);
        system.SetOutputFormat(FMOD_OUTPUTTYPE_AUTODETECT);
        system.SetDriver(0);
        system.SetSoftwareFormat(SAMPLE_RATE, FMOD_SOUND_FORMAT_PCM16, 1, 0, FMOD_DSP_RESAMPLER_LINEAR);
        system.Init(32, FMOD_INIT_NORMAL, nullptr);
        const std::vector<std::string> names = system.EnlistRecordDrivers();
        if (names.empty())
            return;
        int driver = 0;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == "default")
                driver = static_cast<int>(i);
        analyzer.Start(driver);
    }

    MicFeeder feeder;
    SoundSystem system;
    SoundMicrophoneAnalyzer analyzer;
};

RunningAnalyzer& Running()
{
    static RunningAnalyzer running;
    return running;
}
}

static void BM_SoundMicrophoneAnalyzerUpdate(benchmark::State& state)
{
    RunningAnalyzer& running = Running();
    if (!running.analyzer.IsRunning())
    {
        state.SkipWithError("no recording device: run under tools/headless.sh");
        return;
    }
    for (auto _ : state)
    {
        running.analyzer.Update();
        benchmark::DoNotOptimize(running.analyzer.GetDominantHz());
    }
}
BENCHMARK(BM_SoundMicrophoneAnalyzerUpdate)->Unit(benchmark::kMicrosecond);

static void BM_KissFftr16384(benchmark::State& state)
{
    kiss_fftr_cfg config = kiss_fftr_alloc(FFT_SIZE, 0, nullptr, nullptr);
    std::vector<float> input(FFT_SIZE);
    for (int i = 0; i < FFT_SIZE; ++i)
        input[static_cast<std::size_t>(i)] = static_cast<float>(0.5 * std::sin(0.0576 * i));
    std::vector<kiss_fft_cpx> output(FFT_SIZE / 2 + 1);
    for (auto _ : state)
    {
        kiss_fftr(config, input.data(), output.data());
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    kiss_fftr_free(config);
}
BENCHMARK(BM_KissFftr16384)->Unit(benchmark::kMicrosecond);
