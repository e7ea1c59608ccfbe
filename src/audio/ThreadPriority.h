#pragma once

#include <sys/types.h>

// Scheduling for the threads that keep the sound going. The output's thread must never wait on a
// busy machine; the feeder, which keeps its read-ahead topped up, ranks just below it so a play
// or a seek gets its first blocks at once however many other processes want the cores. Where the
// system refuses real-time scheduling (an ordinary user without a real-time allowance) a thread
// asks for a raised niceness instead, and where that too is refused it keeps what it has.
namespace ThreadPriority {
constexpr int kOutput = 2;
constexpr int kFeeder = 1;
constexpr int kFallbackNice = -10;

// True when the thread now runs at real-time priority. tid 0: the calling thread.
bool Raise(int priority, pid_t tid = 0);
} // namespace ThreadPriority
