#include "audio/ThreadPriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

bool ThreadPriority::Raise(int priority, pid_t tid)
{
    sched_param param{};
    param.sched_priority = priority;
    // On Linux both calls act on the one thread the id names (0: the caller).
    if (sched_setscheduler(tid, SCHED_FIFO, &param) == 0) {
        return true;
    }
    setpriority(PRIO_PROCESS, static_cast<id_t>(tid == 0 ? gettid() : tid), kFallbackNice);
    return false;
}
