#pragma once

#include "audio/OutputDevice.h"

#include <atomic>
#include <thread>
#include <vector>

// Device 0, "No sound": renders in real time, one 10 ms period at a time, and throws the sound
// away, as a silent sound card would. Streams therefore play, end and report positions as usual.
class NullOutput : public OutputDevice {
public:
    NullOutput(int rate, int channels, Render render);
    ~NullOutput() override;
    bool start() override;
    bool stop() override;
    bool running() const override { return running_.load(); }

private:
    void run();

    int rate_;
    int channels_;
    Render render_;
    std::vector<float> buffer_;
    std::atomic<bool> running_{false};
    std::thread thread_;
};
