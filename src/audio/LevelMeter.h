#pragma once

#include <atomic>
#include <cstdint>

// Peak level of the last ~20 ms per side, kept as eight 2.5 ms segments. The mixer feeds it and
// publishes the level word (left in the low 16 bits, right in the high 16 bits, 0..32768) for the
// GUI's meters to poll.
class LevelMeter {
public:
    void configure(int rate);
    void reset();
    void feed(const float* interleaved, int frames, int channels);
    std::uint32_t word() const { return word_.load(std::memory_order_relaxed); }

private:
    static constexpr int kSegments = 8;
    float peaks_[kSegments][2] = {};
    int segment_ = 0;
    int segmentFill_ = 0;
    int segmentFrames_ = 110;
    std::atomic<std::uint32_t> word_{0};
};
