#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// A record of every output period, for finding what a gap under load waited on: when the period
// began, how long its render took, the least read-ahead a playing stream had left and how long
// ago the feeder last finished a pass. Switched on by RBX_OUTPUT_TRACE=<file>; the output thread
// only stores into memory set aside (and touched) beforehand, and a plain thread of its own
// writes the lines out twice a second.
class OutputTrace
{
public:
    struct Period
    {
        std::int64_t startNs = 0; // steady clock
        std::int32_t renderUs = 0;
        std::int32_t frames = 0;
        std::int32_t leastAheadFrames = -1; // -1: nothing playing
        std::int32_t feederAgeUs = 0;
        // The output thread's own counts so far: page faults (minor, major) and preemptions.
        std::int32_t minorFaults = 0;
        std::int32_t majorFaults = 0;
        std::int32_t preemptions = 0;
    };

    // The trace the environment asks for, or nullptr.
    static std::unique_ptr<OutputTrace> FromEnvironment();
    explicit OutputTrace(const char* path);
    ~OutputTrace();
    OutputTrace(const OutputTrace&) = delete;
    OutputTrace& operator=(const OutputTrace&) = delete;

    // Output thread: never blocks or allocates; periods beyond the memory set aside are dropped.
    void note(const Period& period);
    static std::int64_t NowNs();
    // Fills the thread's counts into the period (the calling thread's).
    static void CountThread(Period& period);

private:
    void writeOut();

    std::vector<Period> periods_;
    std::atomic<std::size_t> count_{0};
    std::atomic<bool> running_{true};
    std::string path_;
    std::thread writer_;
};
