#include "app/StartupProbe.h"

#include "app/FirstPaint.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace StartupProbe {

bool Enabled()
{
    static const bool enabled = std::getenv("RBX_STARTUP_PROBE") != nullptr;
    return enabled;
}

void Mark(const char* step)
{
    if (!Enabled()) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    // The calling (GUI) thread's processor time beside it: what a step costs apart from waiting
    // and from the other programs on a busy machine.
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    std::printf("%s %lld\n%s.cpu %lld\n", step, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec,
                step, static_cast<long long>(cpu.tv_sec) * 1000000000LL + cpu.tv_nsec);
}

void ExitAfterFirstPaint(QWidget& window)
{
    if (Enabled()) {
        AfterFirstPaint(window, [] {
            Mark("painted");
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
}
} // namespace StartupProbe
