#pragma once

#include <sys/types.h>

// Scheduling for the threads that keep the sound going: the output's and the feeder's (it keeps
// the read-ahead topped up), and the sound server client's under PortAudio. On a saturated
// machine the ordinary class is not enough: the kernel shares the processors between sessions
// (autogroups, or the desktop's cgroups) first, so a raised niceness counts only against the
// program's own threads, and an output thread was seen runnable but not run for a second. So:
//   1. the real-time class (SCHED_FIFO) where RLIMIT_RTPRIO (or the privilege) allows it;
//   2. else the desktop's real-time broker, asked by a helper thread of the program
//      (AskBrokerInBackground) so that a bus that does not answer delays no sound;
//   3. else the raised niceness, and the process's own scheduling group's weight raised
//      (/proc/self/autogroup) where RLIMIT_NICE allows it.
// A real-time thread's work between two sleeps is bounded by RLIMIT_RTTIME: past the soft limit
// the kernel sends the thread SIGXCPU and the watchdog's handler moves it back to the ordinary
// class, so a runaway can never starve the window.
namespace ThreadPriority {
enum class Role { Output, Feeder };
enum class Granted { RealTime, Nice, Unchanged };

constexpr int kRaisedNice = -10;
// Below the sound server's own threads and well within what the common brokers grant (20); the
// output above the feeder, so that a render is never queued behind a decode.
constexpr int kOutputPriority = 10;
constexpr int kFeederPriority = 9;
// Real-time CPU a thread may use without sleeping: the soft limit demotes it, the hard one (the
// most the common broker accepts) would end the process and is never reached.
constexpr long kRtSoftUs = 100000;
constexpr long kRtHardUs = 200000;

struct Outcome
{
    Granted granted = Granted::Unchanged;
    int policy = 0;   // the thread's scheduling policy after the call (SCHED_OTHER, SCHED_FIFO)
    int priority = 0; // its real-time priority, 0 in the ordinary class
    bool groupRaised = false;
};

// The kernel calls Raise goes through; tests replace them. Each returns true when done.
struct System
{
    long (*rtprioLimit)();                          // RLIMIT_RTPRIO's soft limit
    bool (*setRealTime)(pid_t tid, int priority);   // SCHED_FIFO at priority
    bool (*isRealTime)(pid_t tid, int* priority);   // already in a real-time class
    bool (*setNice)(pid_t tid, int nice);
    bool (*raiseGroup)(int nice);                   // /proc/self/autogroup
    bool (*armWatchdog)();                          // RLIMIT_RTTIME and the SIGXCPU handler
};
const System& Kernel();

// The priority a role asks for within a limit of RLIMIT_RTPRIO (0: none given, so the privileged
// case asks for the role's own).
int PriorityFor(Role role, long rtprioLimit);

// Raises the thread (tid 0: the calling thread) as far as the system allows it, as above, the
// broker apart. Any thread may call it; it never blocks.
Outcome Raise(Role role, pid_t tid = 0, const System& system = Kernel());

// How many times the watchdog moved a thread back to the ordinary class (this copy's count).
int WatchdogTrips();

// The desktop's real-time broker, filled in by the application (it speaks to the bus). Called on
// a helper thread only; true when the thread was made real-time. Each call is bounded.
using Broker = bool (*)(pid_t process, pid_t tid, int priority);
void SetBroker(Broker broker);

// Asks the broker, on a helper thread nobody waits for, to make the program's output and feeder
// threads ("rbx-output", "rbx-feeder", and the sound server plug-in's "threaded-ml") real-time
// where they are still in the ordinary class. Returns at once; does nothing without a broker.
void AskBrokerInBackground();
} // namespace ThreadPriority
