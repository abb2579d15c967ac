#pragma once

#include <boost/noncopyable.hpp>

#include <atomic>
#include <thread>
#include <vector>

// Writes a tone (or silence) into the virtual microphone of tools/headless.sh,
// through the FIFO named by VELMORA_TEST_MIC_FIFO, at the pace of real time a
// chunk ahead, so that a change of tone reaches the sound server at once.
// It never blocks: sound that finds the pipe full is dropped, and it stops
// promptly when destroyed. 48000 Hz mono 16-bit; silent until SetTone.
class MicFeeder : private boost::noncopyable
{
public:
    MicFeeder();
    ~MicFeeder();

    bool IsOpen() const;
    // Feeds the tone from now on (and ends a stall).
    void SetTone(float hz, float amplitude);
    // Writes exactly the given number of frames of the tone, then nothing more
    // while the pipe stays open, so the virtual microphone stalls after them;
    // SetTone resumes. Returns once the burst is written: false when it could
    // not be within ten seconds.
    bool SendBurstThenStall(float hz, float amplitude, int frames);

private:
    void Run();
    // Waits for room while the feeder runs, ten seconds at most; false on a
    // broken pipe or when the time is up.
    bool WriteAll(const std::vector<short>& samples);
    // Drops what finds no room at once; false on a broken pipe.
    bool WriteOrDrop(const std::vector<short>& samples);
    void Synthesize(std::vector<short>& samples, double& phase) const;

    int m_fd;
    std::atomic<float> m_hz;
    std::atomic<float> m_amplitude;
    std::atomic<bool> m_running;
    std::atomic<int> m_burstFrames;
    std::atomic<bool> m_stalled;
    // The worker still writes: it ends on a broken pipe.
    std::atomic<bool> m_writing;
    std::thread m_worker;
};
