#include "audio/OutputIdle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

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

namespace {
// A device as PortAudioOutput drives one: a thread renders periods until OutputIdle parks it and
// then ends; a play sets its sound pending first and restarts the thread when demand() says so.
class ParkingDevice
{
public:
    explicit ParkingDevice(std::int64_t parkAfter) : idle_(parkAfter) { startThread(); }
    ~ParkingDevice() { join(); }
    ParkingDevice(const ParkingDevice&) = delete;
    ParkingDevice& operator=(const ParkingDevice&) = delete;

    void play()
    {
        pending_.fetch_add(1);
        if (idle_.demand()) {
            join(); // the thread has returned from its parking period, or is about to
            idle_.resumed();
            startThread();
            ++restarts;
        }
    }
    int rendered() const { return rendered_.load(); }
    bool parked() const { return idle_.parked(); }
    int restarts = 0;

private:
    void startThread()
    {
        thread_ = std::thread([this] {
            for (;;) {
                const auto ticket = idle_.periodStart();
                const int sounds = pending_.exchange(0);
                rendered_.fetch_add(sounds);
                if (idle_.periodDone(ticket, sounds > 0, 1)) {
                    return;
                }
                std::this_thread::yield();
            }
        });
    }
    void join()
    {
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    OutputIdle idle_;
    std::atomic<int> pending_{0};
    std::atomic<int> rendered_{0};
    std::thread thread_;
};
} // namespace

// Plays land at every moment of the device's parking, the last silent period included: each one
// is rendered, by the running thread or by the one its play started again, before the next play
// (a later play must not be what rescues a lost one).
TEST(OutputIdle, NoPlayIsLostWhileTheDeviceParksAndRestarts)
{
    constexpr int kPlays = 2000;
    ParkingDevice device(3);
    int lost = 0;
    for (int i = 0; i < kPlays && lost == 0; ++i) {
        for (int spin = 0; spin < i % 13; ++spin) {
            std::this_thread::yield();
        }
        device.play();
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (device.rendered() <= i && std::chrono::steady_clock::now() < limit) {
            std::this_thread::yield();
        }
        lost += device.rendered() <= i ? 1 : 0;
    }
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(device.rendered(), kPlays);
    EXPECT_GT(device.restarts, 0); // the device did park between plays: the race was exercised
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!device.parked() && std::chrono::steady_clock::now() < limit) {
        std::this_thread::yield();
    }
    EXPECT_TRUE(device.parked()); // and parks once the plays are over
}
