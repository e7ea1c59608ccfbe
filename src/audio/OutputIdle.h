#pragma once

#include <atomic>
#include <cstdint>

// Lets an output stop its device after a stretch of silence and start it again when a sound is
// about to play. A running device costs CPU every period (on the sound server's ALSA plug-in a
// thread of its own wakes per period too) even when it only carries silence.
//
// The device thread and the caller share one word: the count of play requests (times two) and
// the parked bit. The device thread parks only when no request came after it began the period
// that found the silence long enough, so a sound set playing just then is never lost.
class OutputIdle
{
public:
    // Parks after `parkAfterFrames` of silence; 0 never parks.
    explicit OutputIdle(std::int64_t parkAfterFrames) : parkAfter_(parkAfterFrames) {}

    // The silence (RBX_OUTPUT_IDLE_MS, else defaultMs; 0 keeps the device running) in frames at
    // `rate`. The silent device parks after kDefaultIdleMs; a real device picks its own figure.
    static constexpr int kDefaultIdleMs = 3000;
    static std::int64_t ParkAfterFrames(int rate, int defaultMs = kDefaultIdleMs);

    // Device thread, before it renders a period: the ticket periodDone expects.
    std::uint64_t periodStart() const { return word_.load(); }
    // Device thread, after rendering `frames`: true when the device is to stop now.
    bool periodDone(std::uint64_t ticket, bool sounding, int frames);

    // Caller, after it set a stream playing: true when the device is parked and must be restarted.
    bool demand() { return (word_.fetch_add(2) & kParked) != 0; }
    // Caller, with the device thread stopped or waiting: the device runs again from here on.
    void resumed();
    bool parked() const { return (word_.load() & kParked) != 0; }

private:
    static constexpr std::uint64_t kParked = 1;
    std::int64_t parkAfter_;
    std::int64_t silentFrames_ = 0; // device thread's, or the caller's while that is stopped
    std::atomic<std::uint64_t> word_{0};
};
