#include "audio/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

bool ThreadPriority::Raise(pid_t tid)
{
    // On Linux the call acts on the one thread the id names.
    const auto thread = static_cast<id_t>(tid == 0 ? gettid() : tid);
    return setpriority(PRIO_PROCESS, thread, kRaisedNice) == 0;
}
