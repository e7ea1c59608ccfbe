#pragma once
// How long a thread of this process has run, and how long it has waited for a processor (the
// kernel's scheduler statistics). A file's open is judged by the processor time its decoder
// spends, not by what a busy machine or slow storage keeps it waiting.
#include <chrono>
#include <sys/types.h>

// The calling thread's id, for ThreadWaitTime and ThreadRunTime.
pid_t CurrentThreadId();

// Time the thread has spent ready but not running since it started; zero where the kernel does
// not keep the figure.
std::chrono::nanoseconds ThreadWaitTime(pid_t thread);

// Time the thread has spent on a processor since it started; zero where the kernel does not keep
// the figure.
std::chrono::nanoseconds ThreadRunTime(pid_t thread);

// Time the calling thread spends blocked (neither running nor waiting for a processor: on
// storage, mostly) from the moment this is made: a busy machine does not count, a slow disk does.
class BlockedTime
{
public:
    BlockedTime();
    std::chrono::nanoseconds elapsed() const;

private:
    pid_t thread_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::nanoseconds scheduledAtStart_;
};
