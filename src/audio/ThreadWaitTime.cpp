#include "ThreadWaitTime.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

pid_t CurrentThreadId()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

namespace {
// "time on the processor, time waiting for one, timeslices", in nanoseconds; false where the
// kernel does not keep them.
bool ReadSchedStat(pid_t thread, unsigned long long& running, unsigned long long& waiting)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/task/%d/schedstat", static_cast<int>(thread));
    std::FILE* file = std::fopen(path, "re");
    if (file == nullptr) {
        return false;
    }
    const int read = std::fscanf(file, "%llu %llu", &running, &waiting);
    std::fclose(file);
    return read == 2;
}
} // namespace

std::chrono::nanoseconds ThreadWaitTime(pid_t thread)
{
    unsigned long long running = 0;
    unsigned long long waiting = 0;
    return std::chrono::nanoseconds{ReadSchedStat(thread, running, waiting) ? static_cast<long long>(waiting) : 0};
}

std::chrono::nanoseconds ThreadRunTime(pid_t thread)
{
    unsigned long long running = 0;
    unsigned long long waiting = 0;
    return std::chrono::nanoseconds{ReadSchedStat(thread, running, waiting) ? static_cast<long long>(running) : 0};
}

BlockedTime::BlockedTime()
    : thread_(CurrentThreadId()), start_(std::chrono::steady_clock::now()),
      scheduledAtStart_(ThreadRunTime(thread_) + ThreadWaitTime(thread_))
{
}

std::chrono::nanoseconds BlockedTime::elapsed() const
{
    const auto wall = std::chrono::steady_clock::now() - start_;
    const auto scheduled = ThreadRunTime(thread_) + ThreadWaitTime(thread_) - scheduledAtStart_;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(wall) - scheduled;
}
