#include "platform/LayerSound.h"
#include "platform/SoftwareMixer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
const int OUTPUT_RATE = 48000;
const int CHANNELS = 32;
const int FRAMES_PER_10_MS = OUTPUT_RATE / 100;

LayerSound LoopingSine(int rate, double hz)
{
    LayerSound sound;
    sound.frequency = rate;
    sound.frames = static_cast<std::size_t>(rate);
    sound.samples.resize(sound.frames);
    for (std::size_t i = 0; i < sound.frames; ++i)
        sound.samples[i] = static_cast<float>(0.5 * std::sin(6.283185307179586 * hz * i / rate));
    sound.looping = true;
    return sound;
}
}

// 32 audible channels mixed into the game's mono output, 10 ms per iteration;
// the argument is the sounds' rate (44100 is resampled with interpolation).
static void BM_SoftwareMixer32Channels10ms(benchmark::State& state)
{
    const int soundRate = static_cast<int>(state.range(0));
    std::vector<LayerSound> sounds;
    for (int i = 0; i < CHANNELS; ++i)
        sounds.push_back(LoopingSine(soundRate, 200.0 + 37.0 * i));
    SoftwareMixer mixer(CHANNELS, OUTPUT_RATE, 1, true);
    for (int i = 0; i < CHANNELS; ++i)
    {
        mixer.Start(i, &sounds[static_cast<std::size_t>(i)], false);
        mixer.GetChannel(i).volume = 0.5f;
    }
    std::vector<float> output(FRAMES_PER_10_MS);
    for (auto _ : state)
    {
        mixer.Mix(output.data(), FRAMES_PER_10_MS);
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SoftwareMixer32Channels10ms)->Arg(48000)->Arg(44100)->Unit(benchmark::kMicrosecond);
