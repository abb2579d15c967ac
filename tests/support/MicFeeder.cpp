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

MicFeeder::MicFeeder() : m_fd(-1), m_hz(0.0f), m_amplitude(0.0f), m_running(true)
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
}

void MicFeeder::Run()
{
    std::vector<short> chunk(CHUNK_FRAMES);
    double phase = 0.0;
    auto next = std::chrono::steady_clock::now();
    while (m_running)
    {
        const double step = TWO_PI * m_hz.load() / SAMPLE_RATE;
        const float level = m_amplitude.load();
        for (short& sample : chunk)
        {
            sample = static_cast<short>(std::lround(32767.0 * level * std::sin(phase)));
            phase = std::fmod(phase + step, TWO_PI);
        }
        if (write(m_fd, chunk.data(), chunk.size() * sizeof(short)) < 0)
            return;
        next += CHUNK;
        std::this_thread::sleep_until(next);
    }
}
