#include "EngineTestSupport.h"

#include "audio/PulseOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;
using EngineTest::ScopedEnv;
using EngineTest::SilentServer;
using EngineTest::SoundServerReachable;

// Stands in for the mixer: a play is one pending sound that the next render takes, and the
// render says it sounded; every render call is counted.
struct Plays
{
    std::atomic<int> pending{0};
    std::atomic<int> rendered{0};
    std::atomic<long> calls{0};

    OutputDevice::Render render()
    {
        return [this](float* out, int frames) {
            calls.fetch_add(1);
            const int sounds = pending.exchange(0);
            rendered.fetch_add(sounds);
            for (int i = 0; i < frames * 2; ++i) {
                out[i] = 0.0f;
            }
            return sounds > 0;
        };
    }
};

template <typename Done> bool WaitFor(Done done, double seconds)
{
    const auto limit = Clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (Clock::now() > limit) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}
} // namespace

TEST(PulseOutput, AServerThatNeverAnswersIsGivenUpAfterThreeSeconds)
{
    SilentServer silent;
    ASSERT_TRUE(silent.listening());
    const ScopedEnv server("PULSE_SERVER", silent.address().c_str());
    Plays plays;
    PulseOutput output(44100, 2, plays.render());
    const auto started = Clock::now();
    EXPECT_FALSE(output.open());
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    // The start-up goes on to the fallback device instead of waiting for good.
    EXPECT_GE(seconds, 2.5);
    EXPECT_LT(seconds, 10.0);
    EXPECT_FALSE(output.start());
}

TEST(PulseOutput, NoServerMeansNoDeviceSoTheCallerCanFallBack)
{
    const ScopedEnv server("PULSE_SERVER", "unix:/nonexistent/rbx-no-server");
    Plays plays;
    PulseOutput output(44100, 2, plays.render());
    EXPECT_FALSE(output.open());
    EXPECT_FALSE(output.start());
    EXPECT_FALSE(output.running());
    EXPECT_TRUE(output.stop());
    EXPECT_EQ(plays.calls.load(), 0);
}

// Plays land at every moment of the corking after a short silence: each one is rendered before
// the next play, and a corked stream asks for nothing more.
TEST(PulseOutput, NoPlayIsLostWhileTheStreamCorksAndUncorks)
{
    if (!SoundServerReachable()) {
        GTEST_SKIP() << "no PulseAudio server reachable (scripts/test.sh starts a private one)";
    }
    const ScopedEnv idleMs("RBX_OUTPUT_IDLE_MS", "8");
    Plays plays;
    PulseOutput output(44100, 2, plays.render());
    ASSERT_TRUE(output.open());
    ASSERT_TRUE(output.start());
    constexpr int kPlays = 300;
    int lost = 0;
    for (int i = 0; i < kPlays && lost == 0; ++i) {
        // Every few plays, wait for the cork; otherwise play a varying while after the last one.
        if (i % 3 == 0) {
            WaitFor([&] { return output.parked(); }, 2.0);
        } else {
            const auto until = Clock::now() + std::chrono::microseconds(500 * (i % 23));
            WaitFor([&] { return Clock::now() >= until; }, 1.0);
        }
        plays.pending.fetch_add(1);
        ASSERT_TRUE(output.wake());
        lost += WaitFor([&] { return plays.rendered.load() > i; }, 2.0) ? 0 : 1;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(plays.rendered.load(), kPlays);
    EXPECT_GE(output.restarts(), kPlays / 3); // the stream was corked between plays: the race ran
    ASSERT_TRUE(WaitFor([&] { return output.parked(); }, 2.0));
    // Corked, the server asks for nothing: no render for a tenth of a second (25 periods).
    const long calls = plays.calls.load();
    const auto quiet = Clock::now() + std::chrono::milliseconds(100);
    WaitFor([&] { return plays.calls.load() != calls || Clock::now() >= quiet; }, 1.0);
    EXPECT_EQ(plays.calls.load(), calls);
    EXPECT_TRUE(output.stop());
    EXPECT_FALSE(output.running());
}
