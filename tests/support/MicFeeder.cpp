#include "support/MicFeeder.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const std::chrono::milliseconds CHUNK(10);
const int CHUNK_FRAMES = SAMPLE_RATE / 100;
const double TWO_PI = 6.283185307179586;
}

MicFeeder::MicFeeder()
    : m_fd(-1), m_hz(0.0f), m_amplitude(0.0f), m_running(true), m_burstFrames(0), m_stalled(false)
{
    const char* path = std::getenv("VELMORA_TEST_MIC_FIFO");
    if (path)
        m_fd = open(path, O_WRONLY);
    if (m_fd >= 0)
        m_worker = std::thread([this] { Run(); });
}

MicFeeder::~MicFeeder()
{
    m_running = false;
    if (m_worker.joinable())
        m_worker.join();
    if (m_fd >= 0)
        close(m_fd);
}

bool MicFeeder::IsOpen() const
{
    return m_fd >= 0;
}

void MicFeeder::SetTone(float hz, float amplitude)
{
    m_amplitude = amplitude;
    m_hz = hz;
    m_stalled = false;
}

void MicFeeder::SendBurstThenStall(float hz, float amplitude, int frames)
{
    m_amplitude = amplitude;
    m_hz = hz;
    m_burstFrames = frames;
    while (m_running && m_fd >= 0 && m_burstFrames.load() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void MicFeeder::Run()
{
    std::vector<short> chunk(CHUNK_FRAMES);
    double phase = 0.0;
    auto next = std::chrono::steady_clock::now();
    while (m_running)
    {
        const int burst = m_burstFrames.load();
        if (burst > 0)
        {
            std::vector<short> samples(static_cast<std::size_t>(burst));
            double burstPhase = 0.0;
            Synthesize(samples, burstPhase);
            if (write(m_fd, samples.data(), samples.size() * sizeof(short)) < 0)
                return;
            m_stalled = true;
            m_burstFrames = 0;
            continue;
        }
        if (m_stalled)
        {
            std::this_thread::sleep_for(CHUNK);
            next = std::chrono::steady_clock::now();
            continue;
        }
        Synthesize(chunk, phase);
        if (write(m_fd, chunk.data(), chunk.size() * sizeof(short)) < 0)
            return;
        next += CHUNK;
        std::this_thread::sleep_until(next);
    }
}

void MicFeeder::Synthesize(std::vector<short>& samples, double& phase) const
{
    const double step = TWO_PI * m_hz.load() / SAMPLE_RATE;
    const float level = m_amplitude.load();
    for (short& sample : samples)
    {
        sample = static_cast<short>(std::lround(32767.0 * level * std::sin(phase)));
        phase = std::fmod(phase + step, TWO_PI);
    }
}
