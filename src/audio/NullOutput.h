#pragma once

#include "audio/OutputDevice.h"
#include "audio/OutputIdle.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Device 0, "No sound": renders in real time, one 10 ms period at a time, and throws the sound
// away, as a silent sound card would. Streams therefore play, end and report positions as usual.
// After a stretch of silence the thread waits until a play wakes it, as a real device stops.
class NullOutput : public OutputDevice
{
public:
    NullOutput(int rate, int channels, Render render);
    ~NullOutput() override;
    bool start() override;
    bool stop() override;
    bool running() const override { return running_.load(); }
    bool wake() override;
    int restarts() const override { return restarts_; }
    bool parked() const override { return idle_.parked(); }

private:
    void run();
    // Waits, parked, until woken or stopped.
    void park();

    int rate_;
    int channels_;
    Render render_;
    std::vector<float> buffer_;
    std::atomic<bool> running_{false};
    OutputIdle idle_;
    int restarts_ = 0;
    std::mutex mutex_;
    std::condition_variable kicked_;
    bool kick_ = false;
    std::thread thread_;
};
