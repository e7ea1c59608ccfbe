#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

// The time slides run on. On a device it is the steady clock; in manual mode it advances only by
// the frames rendered, so tests step through fades exactly. Thread: any.
class EngineClock {
public:
    void startReal();
    void startManual(int rate);
    bool manual() const { return manual_.load(); }
    std::int64_t nowNs() const;
    // Manual mode: the frames just rendered move the clock on.
    void advanceFrames(std::int64_t frames);

private:
    std::atomic<bool> manual_{false};
    std::atomic<std::int64_t> manualFrames_{0};
    std::atomic<int> manualRate_{44100};
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};
