#pragma once
// How long a thread of this process has waited for a processor: the time it was ready to run
// while others ran (the kernel's scheduler statistics). A file's open is judged by its own time,
// not by what a busy machine keeps it waiting.
#include <chrono>
#include <sys/types.h>

// The calling thread's id, for ThreadWaitTime.
pid_t CurrentThreadId();

// Time the thread has spent ready but not running since it started; zero where the kernel does
// not keep the figure.
std::chrono::nanoseconds ThreadWaitTime(pid_t thread);
