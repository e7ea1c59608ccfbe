#include "audio/ThreadPriority.h"

#include <dirent.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace ThreadPriority {
namespace {
std::atomic<int> watchdogTrips{0};
std::atomic<Broker> broker{nullptr};

pid_t Self(pid_t tid)
{
    return tid == 0 ? gettid() : tid;
}

// On Linux sched_setscheduler and getrlimit are plain system calls, safe in a signal handler.
// The kernel raised the soft limit by a second before the signal; it goes back, or the next
// overrun would meet the hard limit (the end of the process) first.
void Demote(int)
{
    const int saved = errno;
    sched_param ordinary{};
    sched_setscheduler(0, SCHED_OTHER, &ordinary);
    const rlimit limit{static_cast<rlim_t>(kRtSoftUs), static_cast<rlim_t>(kRtHardUs)};
    setrlimit(RLIMIT_RTTIME, &limit);
    watchdogTrips.fetch_add(1, std::memory_order_relaxed);
    errno = saved;
}

long KernelRtprioLimit()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_RTPRIO, &limit) != 0) {
        return 0;
    }
    return limit.rlim_cur == RLIM_INFINITY ? 99 : static_cast<long>(limit.rlim_cur);
}

bool KernelSetRealTime(pid_t tid, int priority)
{
    sched_param param{};
    param.sched_priority = priority;
    // Reset-on-fork: a process the program starts never inherits the class.
    return sched_setscheduler(tid, SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0;
}

bool KernelIsRealTime(pid_t tid, int* priority)
{
    const int policy = sched_getscheduler(tid) & ~SCHED_RESET_ON_FORK;
    if (policy != SCHED_FIFO && policy != SCHED_RR) {
        return false;
    }
    sched_param param{};
    *priority = sched_getparam(tid, &param) == 0 ? param.sched_priority : 0;
    return true;
}

bool KernelSetNice(pid_t tid, int nice)
{
    // On Linux the call acts on the one thread the id names.
    return setpriority(PRIO_PROCESS, static_cast<id_t>(tid), nice) == 0;
}

bool KernelRaiseGroup(int nice)
{
    // Present only with sched_autogroup_enabled; the weight is the whole session's, so it is
    // raised once, by the first thread that asks.
    static std::atomic<int> done{-1};
    int expected = -1;
    if (!done.compare_exchange_strong(expected, 0)) {
        return done.load() == 1;
    }
    FILE* group = std::fopen("/proc/self/autogroup", "w");
    if (group == nullptr) {
        return false;
    }
    const bool written = std::fprintf(group, "%d", nice) > 0;
    const bool ok = std::fclose(group) == 0 && written;
    done.store(ok ? 1 : 0);
    return ok;
}

bool KernelArmWatchdog()
{
    // One handler for the process, whichever copy of this file installs it first.
    struct sigaction current{};
    if (sigaction(SIGXCPU, nullptr, &current) == 0 && current.sa_handler != SIG_DFL &&
        current.sa_handler != SIG_IGN) {
        return true;
    }
    struct sigaction demote{};
    demote.sa_handler = &Demote;
    sigemptyset(&demote.sa_mask);
    demote.sa_flags = SA_RESTART;
    if (sigaction(SIGXCPU, &demote, nullptr) != 0) {
        return false;
    }
    rlimit limit{};
    if (getrlimit(RLIMIT_RTTIME, &limit) != 0) {
        return false;
    }
    limit.rlim_cur = static_cast<rlim_t>(kRtSoftUs);
    if (limit.rlim_max == RLIM_INFINITY || limit.rlim_max > static_cast<rlim_t>(kRtHardUs)) {
        limit.rlim_max = static_cast<rlim_t>(kRtHardUs);
    }
    if (limit.rlim_cur > limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
    }
    return setrlimit(RLIMIT_RTTIME, &limit) == 0;
}

const char* NameOf(Role role)
{
    return role == Role::Output ? "rbx-output" : "rbx-feeder";
}

// The program's sound threads by name, with their roles; the plug-in's thread moves the output.
std::vector<std::pair<pid_t, Role>> SoundThreads()
{
    std::vector<std::pair<pid_t, Role>> found;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return found;
    }
    while (const dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        std::ifstream comm(std::string("/proc/self/task/") + entry->d_name + "/comm");
        std::string name;
        std::getline(comm, name);
        const auto tid = static_cast<pid_t>(std::strtol(entry->d_name, nullptr, 10));
        if (name == NameOf(Role::Output) || name == "threaded-ml") {
            found.emplace_back(tid, Role::Output);
        } else if (name == NameOf(Role::Feeder)) {
            found.emplace_back(tid, Role::Feeder);
        }
    }
    closedir(tasks);
    return found;
}
} // namespace

const System& Kernel()
{
    static const System kernel{&KernelRtprioLimit, &KernelSetRealTime, &KernelIsRealTime,
                               &KernelSetNice,     &KernelRaiseGroup,  &KernelArmWatchdog};
    return kernel;
}

int PriorityFor(Role role, long rtprioLimit)
{
    const int wanted = role == Role::Output ? kOutputPriority : kFeederPriority;
    if (rtprioLimit <= 0 || rtprioLimit >= kOutputPriority) {
        return wanted;
    }
    // A lower limit: the output at the top of it, the feeder just below where there is room.
    const int top = static_cast<int>(rtprioLimit);
    return role == Role::Output || top == 1 ? top : top - 1;
}

Outcome Raise(Role role, pid_t tid, const System& system)
{
    const pid_t thread = Self(tid);
    Outcome outcome;
    // The niceness first: a thread the watchdog moves back lands at it.
    const bool niced = system.setNice(thread, kRaisedNice);
    int priority = 0;
    if (system.isRealTime(thread, &priority)) {
        outcome.granted = Granted::RealTime; // the broker was quicker
    } else {
        priority = PriorityFor(role, system.rtprioLimit());
        if (system.armWatchdog() && system.setRealTime(thread, priority)) {
            outcome.granted = Granted::RealTime;
        }
    }
    if (outcome.granted == Granted::RealTime) {
        outcome.policy = SCHED_FIFO;
        outcome.priority = priority;
        return outcome;
    }
    outcome.groupRaised = system.raiseGroup(kRaisedNice);
    outcome.granted = niced ? Granted::Nice : Granted::Unchanged;
    outcome.policy = SCHED_OTHER;
    return outcome;
}

int WatchdogTrips()
{
    return watchdogTrips.load(std::memory_order_relaxed);
}

void SetBroker(Broker ask)
{
    broker.store(ask);
}

void AskBrokerInBackground()
{
    const Broker ask = broker.load();
    if (ask == nullptr) {
        return;
    }
    // Detached: a broker that does not answer holds up only this thread, never a sound or the
    // window; each call it makes is bounded.
    std::thread([ask] {
        const System& system = Kernel();
        if (!system.armWatchdog()) {
            return; // the broker grants nothing to a process without the bound
        }
        const long limit = system.rtprioLimit();
        for (const auto& [tid, role] : SoundThreads()) {
            int priority = 0;
            if (!system.isRealTime(tid, &priority)) {
                ask(getpid(), tid, PriorityFor(role, limit));
            }
        }
    }).detach();
}
} // namespace ThreadPriority
