#include "audio/StreamFeeder.h"

#include "audio/Channel.h"
#include "audio/LiveChannels.h"
#include "audio/ThreadPriority.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>

namespace {
// How often the thread tops up the streams when nobody wakes it: a quarter of the read-ahead,
// so a stream is topped up four times before it could run dry, within these bounds. Each wake
// costs a context switch, several times the decoding of a few ms of sound: with the default
// second of read-ahead a stream keeps at least 7/8 of it at 8 wakes a second.
constexpr int kMinPollMs = 2;
constexpr int kMaxPollMs = 125;
// With nothing live the thread only waits to be woken (a play wakes it); the bound is a safety net.
constexpr auto kIdleWait = std::chrono::milliseconds(500);
// Blocks one stream gets per pass: a stream just started (or moved) gets its first blocks after
// a few ms of decoding, not after its whole read-ahead, and the others get their turn between.
constexpr int kBlocksPerPass = 8;
// How long a stop waits for a pass under way: far longer than any pass of a working decoder.
constexpr auto kStopWait = std::chrono::seconds(1);
} // namespace

StreamFeeder::StreamFeeder(LiveChannels& live, int outputRate, int outputChannels)
    : live_(live), outputRate_(outputRate), outputChannels_(outputChannels)
{}

StreamFeeder::~StreamFeeder()
{
    stopThread();
}

void StreamFeeder::startThread()
{
    if (running_.exchange(true)) {
        return;
    }
    threadEnded_ = false;
    thread_ = std::thread([this] { run(); });
    pthread_setname_np(thread_.native_handle(), "rbx-feeder");
}

bool StreamFeeder::stopThread()
{
    if (!running_.exchange(false)) {
        return true;
    }
    wake();
    if (!thread_.joinable()) {
        return true;
    }
    // A decoder stuck in a file (a hung network share, a stalled disk) must not hold the exit:
    // after the bound the thread is left to itself, and the caller keeps what it may touch.
    std::unique_lock<std::mutex> lock(mutex_);
    if (!ended_.wait_for(lock, kStopWait, [this] { return threadEnded_; })) {
        thread_.detach();
        return false;
    }
    lock.unlock();
    thread_.join();
    return true;
}

void StreamFeeder::wake()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        woken_ = true;
    }
    wakeUp_.notify_one();
}

int StreamFeeder::targetBlocks(int framesPerBlock) const
{
    const long long frames = static_cast<long long>(bufferMs_.load()) * outputRate_ / 1000;
    const int blocks = static_cast<int>((frames + framesPerBlock - 1) / framesPerBlock);
    return blocks < 2 ? 2 : blocks;
}

std::chrono::milliseconds StreamFeeder::pollInterval() const
{
    return std::chrono::milliseconds(std::clamp(bufferMs_.load() / 4, kMinPollMs, kMaxPollMs));
}

bool StreamFeeder::fillAll()
{
    bool hungry = false;
    int live = 0;
    live_.enter(LiveChannels::Feeder);
    for (int s = 0; s < LiveChannels::kSlots; ++s) {
        if (Channel* channel = live_.at(s)) {
            ++live;
            const int target = targetBlocks(channel->ring.framesPerBlock());
            const int capacity = channel->ring.capacity();
            int wrote = 0;
            try {
                wrote = channel->feed.fill(*channel, target < capacity ? target : capacity, kBlocksPerPass,
                                           outputRate_, outputChannels_);
            } catch (...) {
                // A stream that cannot go on (out of memory, a setting the time-stretcher
                // refuses) ends; the thread and the other streams go on.
                channel->feed.abandon(*channel);
            }
            hungry |= wrote == kBlocksPerPass;
        }
    }
    live_.leave(LiveChannels::Feeder);
    liveCount_.store(live, std::memory_order_relaxed);
    lastPassNs_.store(std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count(),
                      std::memory_order_relaxed);
    return hungry;
}

void StreamFeeder::run()
{
    ThreadPriority::Raise();
    while (running_.load()) {
        if (fillAll()) {
            continue; // a stream is still short of its read-ahead: another pass at once
        }
        std::unique_lock<std::mutex> lock(mutex_);
        const auto wait = liveCount_.load(std::memory_order_relaxed) > 0 ? pollInterval() : kIdleWait;
        wakeUp_.wait_for(lock, wait, [this] { return woken_ || !running_.load(); });
        woken_ = false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    threadEnded_ = true;
    ended_.notify_all();
}
