#include "audio/NullOutput.h"

#include <chrono>

NullOutput::NullOutput(int rate, int channels, Render render)
    : rate_(rate), channels_(channels), render_(std::move(render)),
      buffer_(static_cast<std::size_t>(rate / 100 + 1) * static_cast<std::size_t>(channels))
{
}

NullOutput::~NullOutput()
{
    stop();
}

bool NullOutput::start()
{
    if (running_.exchange(true)) {
        return true;
    }
    thread_ = std::thread([this] { run(); });
    return true;
}

bool NullOutput::stop()
{
    if (running_.exchange(false) && thread_.joinable()) {
        thread_.join();
    }
    return true;
}

void NullOutput::run()
{
    using Clock = std::chrono::steady_clock;
    const int period = rate_ / 100;
    const auto periodTime = std::chrono::nanoseconds(1000000000LL * period / rate_);
    auto next = Clock::now();
    while (running_.load()) {
        render_(buffer_.data(), period);
        next += periodTime;
        const auto now = Clock::now();
        if (next < now - periodTime * 10) {
            next = now; // fell far behind (machine suspended): do not race to catch up
        }
        std::this_thread::sleep_until(next);
    }
}
