#pragma once

#include <sys/types.h>

// The desktop's real-time broker for the output and feeder threads (audio/ThreadPriority.h asks
// through it from a helper thread): RealtimeKit on the system bus, where it lives, then the
// desktop portal's real-time interface on the session bus (sandboxed desktops forward it to
// RealtimeKit). Each call waits at most kBrokerTimeoutMs for an answer.
namespace RealtimeBroker {
constexpr int kBrokerTimeoutMs = 250;

// True when the broker made the thread real-time at the priority.
bool MakeThreadRealtime(pid_t process, pid_t tid, int priority);
} // namespace RealtimeBroker
