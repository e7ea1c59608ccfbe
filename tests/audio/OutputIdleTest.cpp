#include "audio/OutputIdle.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// One device period: ticket, render, verdict.
bool Period(OutputIdle& idle, bool sounding, int frames)
{
    const auto ticket = idle.periodStart();
    return idle.periodDone(ticket, sounding, frames);
}
} // namespace

TEST(OutputIdle, ParksOnlyAfterTheWholeStretchOfSilence)
{
    OutputIdle idle(1000);
    EXPECT_FALSE(Period(idle, false, 600));
    EXPECT_FALSE(Period(idle, true, 600)); // a sound starts the stretch afresh
    EXPECT_FALSE(Period(idle, false, 600));
    EXPECT_FALSE(idle.parked());
    EXPECT_TRUE(Period(idle, false, 600));
    EXPECT_TRUE(idle.parked());
    // A parked device is started again exactly once per wake, and counts its silence anew.
    EXPECT_TRUE(idle.demand());
    idle.resumed();
    EXPECT_FALSE(idle.parked());
    EXPECT_FALSE(idle.demand());
    EXPECT_FALSE(Period(idle, false, 999));
    EXPECT_TRUE(Period(idle, false, 1));
}

TEST(OutputIdle, APlayDuringTheLastSilentPeriodKeepsTheDeviceRunning)
{
    OutputIdle idle(100);
    EXPECT_FALSE(Period(idle, false, 99));
    const auto ticket = idle.periodStart();
    // The stream is set playing after the render looked: the request alone must stop the park.
    EXPECT_FALSE(idle.demand());
    EXPECT_FALSE(idle.periodDone(ticket, false, 10));
    EXPECT_FALSE(idle.parked());
    EXPECT_TRUE(Period(idle, false, 10));
}

TEST(OutputIdle, ZeroNeverParksAndTheSilenceComesFromTheEnvironment)
{
    OutputIdle never(0);
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(Period(never, false, 44100));
    }
    setenv("RBX_OUTPUT_IDLE_MS", "250", 1);
    EXPECT_EQ(OutputIdle::ParkAfterFrames(44100), 11025);
    setenv("RBX_OUTPUT_IDLE_MS", "0", 1);
    EXPECT_EQ(OutputIdle::ParkAfterFrames(44100), 0);
    setenv("RBX_OUTPUT_IDLE_MS", "soon", 1);
    EXPECT_EQ(OutputIdle::ParkAfterFrames(48000), OutputIdle::kDefaultIdleMs * 48);
    unsetenv("RBX_OUTPUT_IDLE_MS");
    EXPECT_EQ(OutputIdle::ParkAfterFrames(44100), OutputIdle::kDefaultIdleMs * 441 / 10);
    // The sound server's device keeps running unless the environment asks otherwise.
    EXPECT_EQ(OutputIdle::ParkAfterFrames(44100, 0), 0);
    setenv("RBX_OUTPUT_IDLE_MS", "250", 1);
    EXPECT_EQ(OutputIdle::ParkAfterFrames(44100, 0), 11025);
    unsetenv("RBX_OUTPUT_IDLE_MS");
}
