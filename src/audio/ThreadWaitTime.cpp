#include "ThreadWaitTime.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

pid_t CurrentThreadId()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

std::chrono::nanoseconds ThreadWaitTime(pid_t thread)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/self/task/%d/schedstat", static_cast<int>(thread));
    std::FILE* file = std::fopen(path, "re");
    if (file == nullptr) {
        return std::chrono::nanoseconds{0};
    }
    // "time on the processor, time waiting for one, timeslices", in nanoseconds.
    unsigned long long running = 0;
    unsigned long long waiting = 0;
    const int read = std::fscanf(file, "%llu %llu", &running, &waiting);
    std::fclose(file);
    return std::chrono::nanoseconds{read == 2 ? static_cast<long long>(waiting) : 0};
}
