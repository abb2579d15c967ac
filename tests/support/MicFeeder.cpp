#include "support/MicFeeder.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace
{
const int SAMPLE_RATE = 48000;
const std::chrono::milliseconds CHUNK(10);
const int CHUNK_FRAMES = SAMPLE_RATE / 100;
static_assert(CHUNK_FRAMES * sizeof(short) <= PIPE_BUF, "a chunk must go into the pipe whole or not at all");
const double TWO_PI = 6.283185307179586;
// How long one wait for room in the pipe may last, so that a stop is seen at once.
const int POLL_MILLISECONDS = 10;
// Pacing that fell further behind than this (a stalled writer, a busy
// machine) starts again from now instead of catching up with a burst of old sound.
const std::chrono::milliseconds MOST_BEHIND(200);
// A burst that the sound server does not take within this time is given up.
const std::chrono::seconds BURST_LIMIT(10);

// A sound server gone away breaks the pipe: the writes then fail with EPIPE
// instead of the signal ending the test process.
void IgnoreBrokenPipeInThisThread()
{
    sigset_t brokenPipe;
    sigemptyset(&brokenPipe);
    sigaddset(&brokenPipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
}
}

MicFeeder::MicFeeder()
    : m_fd(-1), m_hz(0.0f), m_amplitude(0.0f), m_running(true), m_burstFrames(0), m_stalled(false),
      m_writing(false)
{
    // Without a reader (no sound server) the open fails at once instead of waiting for one.
    const char* path = std::getenv("VELMORA_TEST_MIC_FIFO");
    if (path)
        m_fd = open(path, O_WRONLY | O_NONBLOCK);
    if (m_fd >= 0)
    {
        m_writing = true;
        m_worker = std::thread([this] {
            IgnoreBrokenPipeInThisThread();
            Run();
            m_writing = false;
        });
    }
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

bool MicFeeder::SendBurstThenStall(float hz, float amplitude, int frames)
{
    m_amplitude = amplitude;
    m_hz = hz;
    m_burstFrames = frames;
    const auto limit = std::chrono::steady_clock::now() + BURST_LIMIT;
    while (m_writing && m_burstFrames.load() > 0 && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return m_burstFrames.load() == 0;
}

bool MicFeeder::WriteAll(const std::vector<short>& samples)
{
    const char* data = reinterpret_cast<const char*>(samples.data());
    std::size_t left = samples.size() * sizeof(short);
    const auto limit = std::chrono::steady_clock::now() + BURST_LIMIT;
    while (left > 0 && m_running)
    {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        const ssize_t written = write(m_fd, data, left);
        if (written > 0)
        {
            data += written;
            left -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        pollfd room{m_fd, POLLOUT, 0};
        poll(&room, 1, POLL_MILLISECONDS);
    }
    return true;
}

bool MicFeeder::WriteOrDrop(const std::vector<short>& samples)
{
    // A chunk is smaller than the pipe's atomic size: it goes in whole or not at all.
    const ssize_t written = write(m_fd, samples.data(), samples.size() * sizeof(short));
    return written >= 0 || errno == EAGAIN || errno == EINTR;
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
            // The burst is the test's whole point: it waits for room, but only while the feeder runs.
            std::vector<short> samples(static_cast<std::size_t>(burst));
            double burstPhase = 0.0;
            Synthesize(samples, burstPhase);
            if (!WriteAll(samples))
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
        // While nobody records, the sound server stops reading and the pipe
        // fills: what does not fit is dropped, as a microphone nobody hears.
        Synthesize(chunk, phase);
        if (!WriteOrDrop(chunk))
            return;
        const auto now = std::chrono::steady_clock::now();
        next = now - next > MOST_BEHIND ? now : next + CHUNK;
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
