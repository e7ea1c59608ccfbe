#include "audio/EngineClock.h"

void EngineClock::startReal()
{
    manual_.store(false);
}

void EngineClock::startManual(int rate)
{
    manualFrames_.store(0);
    manualRate_.store(rate > 0 ? rate : 44100);
    manual_.store(true);
}

std::int64_t EngineClock::nowNs() const
{
    if (manual_.load()) {
        // Whole nanoseconds from whole frames: exact enough for any slide and free of drift.
        const std::int64_t frames = manualFrames_.load();
        const std::int64_t rate = manualRate_.load();
        return frames / rate * 1000000000LL + (frames % rate) * 1000000000LL / rate;
    }
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                origin_)
        .count();
}

void EngineClock::advanceFrames(std::int64_t frames)
{
    manualFrames_.fetch_add(frames);
}
