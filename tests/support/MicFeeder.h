#pragma once

#include <boost/noncopyable.hpp>

#include <atomic>
#include <thread>

// Writes a tone (or silence) into the virtual microphone of tools/headless.sh,
// through the FIFO named by VELMORA_TEST_MIC_FIFO, at the pace of real time a
// chunk ahead, so that a change of tone reaches the sound server at once.
// 48000 Hz mono 16-bit; silent until SetTone.
class MicFeeder : private boost::noncopyable
{
public:
    MicFeeder();
    ~MicFeeder();

    bool IsOpen() const;
    void SetTone(float hz, float amplitude);

private:
    void Run();

    int m_fd;
    std::atomic<float> m_hz;
    std::atomic<float> m_amplitude;
    std::atomic<bool> m_running;
    std::thread m_worker;
};
