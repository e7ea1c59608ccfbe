#include "EngineTestSupport.h"

#include "audio/DeviceCatalog.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// ALSA's default device reaches the sound server only through the server's plug-in.
bool AlsaGoesThroughTheSoundServer()
{
    return std::filesystem::exists("/usr/share/alsa/alsa.conf.d/99-pulse.conf") ||
           std::filesystem::exists("/etc/alsa/conf.d/99-pulse.conf");
}
} // namespace

// The catalog is made once per process, so the case runs in a child process of its own.
TEST(DeviceCatalogDeathTest, AServerThatNeverAnswersLeavesOnlyNoSoundAndTheWaitEnds)
{
    if (!AlsaGoesThroughTheSoundServer()) {
        GTEST_SKIP() << "ALSA's default device does not go through the sound server here";
    }
    EngineTest::SilentServer silent;
    ASSERT_TRUE(silent.listening());
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string address = silent.address();
    EXPECT_EXIT(
        {
            setenv("PULSE_SERVER", address.c_str(), 1);
            // A wait without end ends the child here, which the exit check then refuses.
            alarm(static_cast<unsigned>(DeviceCatalog::kProbeLimit.count()) + 30);
            // The probe keeps ALSA's complaints off stderr while it runs, which here is for good.
            FILE* report = fdopen(dup(STDERR_FILENO), "w");
            DeviceCatalog& catalog = DeviceCatalog::instance();
            catalog.PrepareInBackground();
            const auto first = Clock::now();
            const int index = catalog.portAudioIndex(1);
            const double firstWait = SecondsSince(first);
            const auto second = Clock::now();
            const char* name = catalog.description(1);
            const bool ready = catalog.portAudioReady();
            const double secondWait = SecondsSince(second);
            const bool noSound = std::strcmp(catalog.description(0), "No sound") == 0;
            std::fprintf(report, "index %d after %.2f s, then %.2f s; name %s; ready %d\n", index, firstWait,
                         secondWait, name != nullptr ? name : "(none)", ready ? 1 : 0);
            const double limit = static_cast<double>(DeviceCatalog::kProbeLimit.count());
            const bool ok = index == -1 && name == nullptr && !ready && noSound && firstWait >= limit - 0.5 &&
                            firstWait < limit + 5 && secondWait < 0.5;
            std::fflush(report);
            std::_Exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "index -1 after");
}
