#pragma once

#include <sys/types.h>

// Scheduling for the threads that keep the sound going: the output's, the feeder's (it keeps the
// read-ahead topped up) and the sound server client's. They run at a raised niceness where the
// system allows it, in the ordinary class: they sleep nearly all the time, so each wake-up is
// served at once even with every core busy. The real-time class was measured against this and
// dropped: it cost the output thread, which wakes every period, more of a core per wake-up and
// its tones had no fewer gaps under any load. Where the raise is refused (an ordinary user
// without the allowance) a thread keeps what it has.
namespace ThreadPriority {
constexpr int kRaisedNice = -10;

// True when the thread now runs at the raised niceness. tid 0: the calling thread.
bool Raise(pid_t tid = 0);
} // namespace ThreadPriority
