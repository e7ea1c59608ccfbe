#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class LiveChannels;

// Keeps the read-ahead of every live stream filled (the buffer-length setting): decoding and
// time-stretching happen here, away from the device callback and the GUI thread. In manual mode
// no thread runs and the render calls fillAll() itself.
class StreamFeeder
{
public:
    StreamFeeder(LiveChannels& live, int outputRate, int outputChannels);
    ~StreamFeeder();
    StreamFeeder(const StreamFeeder&) = delete;
    StreamFeeder& operator=(const StreamFeeder&) = delete;

    void startThread();
    // GUI thread; waits for a pass under way, at most a second. False when the thread did not
    // end in time: it was left running, and this object and the streams it holds must be kept.
    bool stopThread();
    // Asks the thread to look at the streams now (after a play, a seek or a setting change).
    // GUI thread; takes only the feeder's own short lock, never one the callback holds.
    void wake();
    // One pass over the live streams, a few blocks each. Returns true when a stream got its
    // full share and may want more at once.
    bool fillAll();
    void setBufferMs(int ms) { bufferMs_.store(ms); }
    // Blocks of read-ahead a stream keeps at the current buffer length.
    int targetBlocks(int framesPerBlock) const;
    // Steady-clock time (ns) the last pass over the streams ended, for the output trace.
    std::int64_t lastPassNs() const { return lastPassNs_.load(std::memory_order_relaxed); }

private:
    void run();
    std::chrono::milliseconds pollInterval() const;

    LiveChannels& live_;
    int outputRate_;
    int outputChannels_;
    std::atomic<int> bufferMs_{500};
    std::atomic<bool> running_{false};
    std::atomic<int> liveCount_{0}; // streams seen by the last pass
    std::atomic<std::int64_t> lastPassNs_{0};
    std::mutex mutex_;
    std::condition_variable wakeUp_;
    bool woken_ = false;
    std::condition_variable ended_;
    bool threadEnded_ = false;
    std::thread thread_;
};
