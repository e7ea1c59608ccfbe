#include "audio/OutputTrace.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
// About 17 minutes at 4 ms periods.
constexpr std::size_t kPeriods = 1 << 18;
} // namespace

std::unique_ptr<OutputTrace> OutputTrace::FromEnvironment()
{
    const char* path = std::getenv("RBX_OUTPUT_TRACE");
    if (path == nullptr || *path == '\0') {
        return nullptr;
    }
    return std::make_unique<OutputTrace>(path);
}

OutputTrace::OutputTrace(const char* path) : periods_(kPeriods), path_(path)
{
    writer_ = std::thread([this] { writeOut(); });
}

OutputTrace::~OutputTrace()
{
    running_.store(false);
    writer_.join();
}

std::int64_t OutputTrace::NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void OutputTrace::CountThread(Period& period)
{
    rusage usage{};
    if (getrusage(RUSAGE_THREAD, &usage) == 0) {
        period.minorFaults = static_cast<std::int32_t>(usage.ru_minflt);
        period.majorFaults = static_cast<std::int32_t>(usage.ru_majflt);
        period.preemptions = static_cast<std::int32_t>(usage.ru_nivcsw);
    }
}

void OutputTrace::note(const Period& period)
{
    const std::size_t n = count_.load(std::memory_order_relaxed);
    if (n < periods_.size()) {
        periods_[n] = period;
        count_.store(n + 1, std::memory_order_release);
    }
}

void OutputTrace::writeOut()
{
    std::FILE* file = std::fopen(path_.c_str(), "w");
    if (file == nullptr) {
        return;
    }
    std::fprintf(
        file,
        "start_ms render_us frames least_ahead_frames feeder_age_us minor_faults major_faults preemptions\n");
    std::size_t written = 0;
    for (bool last = false; !last;) {
        last = !running_.load();
        const std::size_t n = count_.load(std::memory_order_acquire);
        for (; written < n; ++written) {
            const Period& p = periods_[written];
            std::fprintf(file, "%.3f %d %d %d %d %d %d %d\n", static_cast<double>(p.startNs) / 1e6,
                         p.renderUs, p.frames, p.leastAheadFrames, p.feederAgeUs, p.minorFaults,
                         p.majorFaults, p.preemptions);
        }
        std::fflush(file);
        if (!last) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
    }
    std::fclose(file);
}
