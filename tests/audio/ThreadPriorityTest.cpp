#include "audio/ThreadPriority.h"

#include <gtest/gtest.h>

#include <sched.h>

#include <string>

namespace {
using ThreadPriority::Granted;
using ThreadPriority::Role;

// What a stand-in kernel was asked, in order, and what it allows.
struct Asked
{
    long rtprio = 0;
    bool allowRealTime = false;
    bool allowGroup = false;
    std::string calls;
    int priority = 0;
    int nice = 0;
} asked;

ThreadPriority::System StandIn()
{
    asked.calls.clear();
    return {[] { return asked.rtprio; },
            [](pid_t, int priority) {
                asked.calls += "realtime ";
                asked.priority = priority;
                return asked.allowRealTime;
            },
            [](pid_t, int*) { return false; },
            [](pid_t, int nice) {
                asked.calls += "nice ";
                asked.nice = nice;
                return true;
            },
            [](int) {
                asked.calls += "group ";
                return asked.allowGroup;
            },
            [] {
                asked.calls += "watchdog ";
                return true;
            }};
}
} // namespace

TEST(ThreadPriority, AsksForTheRealTimeClassWithinTheLimitAfterArmingTheWatchdog)
{
    asked = {};
    asked.rtprio = 95;
    asked.allowRealTime = true;
    const auto system = StandIn();
    const auto output = ThreadPriority::Raise(Role::Output, 1, system);
    EXPECT_EQ(asked.calls, "nice watchdog realtime ");
    EXPECT_EQ(output.granted, Granted::RealTime);
    EXPECT_EQ(output.policy, SCHED_FIFO);
    EXPECT_EQ(output.priority, 10);
    EXPECT_FALSE(output.groupRaised);
    // A lower limit: the output at its top, the feeder just below.
    asked.rtprio = 4;
    EXPECT_EQ(ThreadPriority::Raise(Role::Output, 1, system).priority, 4);
    EXPECT_EQ(ThreadPriority::Raise(Role::Feeder, 1, system).priority, 3);
}

TEST(ThreadPriority, RefusedRealTimeFallsBackToTheRaisedNicenessAndTheGroupsWeight)
{
    asked = {};
    asked.allowGroup = true;
    const auto feeder = ThreadPriority::Raise(Role::Feeder, 1, StandIn());
    EXPECT_EQ(asked.calls, "nice watchdog realtime group ");
    EXPECT_EQ(asked.priority, 9);
    EXPECT_EQ(asked.nice, -10);
    EXPECT_EQ(feeder.granted, Granted::Nice);
    EXPECT_EQ(feeder.policy, SCHED_OTHER);
    EXPECT_TRUE(feeder.groupRaised);
}
