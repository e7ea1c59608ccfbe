#include "audio/NullOutput.h"

#include <chrono>

NullOutput::NullOutput(int rate, int channels, Render render)
    : rate_(rate), channels_(channels), render_(std::move(render)),
      buffer_(static_cast<std::size_t>(rate / 100 + 1) * static_cast<std::size_t>(channels)),
      idle_(OutputIdle::ParkAfterFrames(rate))
{}

NullOutput::~NullOutput()
{
    stop();
}

bool NullOutput::start()
{
    if (running_.exchange(true)) {
        return true;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        kick_ = false;
    }
    idle_.resumed();
    thread_ = std::thread([this] { run(); });
    return true;
}

bool NullOutput::stop()
{
    if (running_.exchange(false) && thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            kick_ = true;
        }
        kicked_.notify_one();
        thread_.join();
    }
    return true;
}

bool NullOutput::wake()
{
    if (!running_.load() || !idle_.demand()) {
        return true;
    }
    {
        // The thread waits in park() until kicked: its silence count is ours until then.
        std::lock_guard<std::mutex> lock(mutex_);
        idle_.resumed();
        kick_ = true;
    }
    kicked_.notify_one();
    ++restarts_;
    return true;
}

void NullOutput::park()
{
    std::unique_lock<std::mutex> lock(mutex_);
    kicked_.wait(lock, [this] { return kick_; });
    kick_ = false;
}

void NullOutput::run()
{
    using Clock = std::chrono::steady_clock;
    const int period = rate_ / 100;
    const auto periodTime = std::chrono::nanoseconds(1000000000LL * period / rate_);
    auto next = Clock::now();
    while (running_.load()) {
        const std::uint64_t ticket = idle_.periodStart();
        const bool sounding = render_(buffer_.data(), period);
        if (idle_.periodDone(ticket, sounding, period)) {
            park();
            next = Clock::now();
            continue;
        }
        next += periodTime;
        const auto now = Clock::now();
        if (next < now - periodTime * 10) {
            next = now; // fell far behind (machine suspended): do not race to catch up
        }
        std::this_thread::sleep_until(next);
    }
}
