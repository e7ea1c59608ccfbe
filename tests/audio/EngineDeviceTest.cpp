#include "EngineTestSupport.h"

#include "audio/AudioEngine.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace EngineTest;
using Clock = std::chrono::steady_clock;

namespace {
// Waits (bounded) until the stream is no longer active; returns the seconds it took.
double WaitForEnd(BassHandle h, double limitSeconds)
{
    const auto start = Clock::now();
    while (BASS_ChannelIsActive(h) != 0 &&
           Clock::now() - start < std::chrono::duration<double>(limitSeconds)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Waits (bounded) until the output has stopped itself for silence.
bool WaitUntilParked(double limitSeconds)
{
    const auto start = Clock::now();
    while (!AudioEngine::instance().outputParked()) {
        if (Clock::now() - start > std::chrono::duration<double>(limitSeconds)) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
// The id of the engine's thread of the given name, 0 when none runs.
pid_t ThreadNamed(const std::string& name)
{
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string line;
        if (std::getline(comm, line) && line == name) {
            return static_cast<pid_t>(std::stol(task.path().filename().string()));
        }
    }
    return 0;
}

// Whether this process may raise a thread's priority (tried on a short-lived thread).
bool RaiseAllowed()
{
    bool allowed = false;
    std::thread([&allowed] { allowed = setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -10) == 0; }).join();
    return allowed;
}

// The read-ahead and the output run at a raised priority where the system grants it, so a busy
// machine cannot hold them back, and in the ordinary class, which costs the output's many
// wake-ups less than the real-time class does.
void ExpectRaisedInTheOrdinaryClass(const char* name)
{
    const pid_t thread = ThreadNamed(name);
    ASSERT_NE(thread, 0) << name;
    EXPECT_EQ(sched_getscheduler(thread), SCHED_OTHER) << name;
    if (RaiseAllowed()) {
        EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(thread)), -10) << name;
    }
}

// A short stretch of silence before a device stops itself, for the tests that wait for it.
ScopedEnv ShortIdle()
{
    return ScopedEnv("RBX_OUTPUT_IDLE_MS", "100");
}
} // namespace

TEST(EngineDevices, DeviceZeroStopsWhenSilentAndTheNextPlayStillRunsInRealTime)
{
    const ScopedEnv idle = ShortIdle();
    BASS_Free();
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    const BassHandle first = EngineStreamCreate(Constant(2, kRate / 10, 0.5), 0);
    const BassHandle second = EngineStreamCreate(Constant(2, kRate * 3 / 10, 0.5), 0);
    ASSERT_TRUE(BASS_ChannelPlay(first, false));
    EXPECT_LT(WaitForEnd(first, 5.0), 2.0);
    EXPECT_EQ(AudioEngine::instance().outputRestarts(), 0); // it was running: nothing to restart
    ASSERT_TRUE(WaitUntilParked(5.0));
    ASSERT_TRUE(BASS_ChannelPlay(second, false));
    EXPECT_FALSE(AudioEngine::instance().outputParked());
    EXPECT_EQ(AudioEngine::instance().outputRestarts(), 1);
    const double took = WaitForEnd(second, 5.0);
    EXPECT_GE(took, 0.25);
    EXPECT_LT(took, 2.0);
    EXPECT_EQ(BASS_ChannelGetPosition(second), BASS_ChannelGetLength(second));
    EXPECT_TRUE(BASS_Free());
}

TEST(EngineDevices, DeviceZeroIsNoSoundAndTheListEnds)
{
    EXPECT_STREQ(BASS_GetDeviceDescription(0), "No sound");
    int count = 0;
    while (BASS_GetDeviceDescription(count) != nullptr && count < 1000) {
        ++count;
    }
    EXPECT_LT(count, 1000);
    EXPECT_EQ(BASS_GetDeviceDescription(count), nullptr);
    EXPECT_EQ(BASS_GetDeviceDescription(-5), nullptr);
}

TEST(EngineDevices, DeviceZeroPlaysInRealTimeAndSlidesEnd)
{
    BASS_Free();
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    const BassHandle h = EngineStreamCreate(Constant(2, kRate * 3 / 10, 0.5), 0);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, 10, -101, 100));
    const double took = WaitForEnd(h, 5.0);
    EXPECT_GE(took, 0.25);
    EXPECT_LT(took, 2.0);
    EXPECT_EQ(BASS_ChannelIsActive(h), 0u);
    EXPECT_EQ(BASS_ChannelIsSliding(h), 0u);
    EXPECT_EQ(BASS_ChannelGetPosition(h), BASS_ChannelGetLength(h));
    ExpectRaisedInTheOrdinaryClass("rbx-feeder");
    EXPECT_TRUE(BASS_Free());
}

namespace {
// A null sink of the test's own, made the default for its streams through PULSE_SINK, so the
// sounds of the program tests running beside it never land in its recording.
class PrivateSink
{
public:
    PrivateSink() : name_("rbx_test_" + std::to_string(::getpid()))
    {
        const std::string load = "pactl load-module module-null-sink sink_name=" + name_ + " 2>/dev/null";
        if (FILE* out = popen(load.c_str(), "r")) {
            char line[64] = {};
            if (std::fgets(line, sizeof line, out) != nullptr) {
                module_ = std::atoi(line);
            }
            pclose(out);
        }
        if (module_ > 0) {
            sink_ = std::make_unique<ScopedEnv>("PULSE_SINK", name_.c_str());
        }
    }
    ~PrivateSink()
    {
        sink_.reset();
        if (module_ > 0) {
            const std::string unload = "pactl unload-module " + std::to_string(module_) + " 2>/dev/null";
            EXPECT_EQ(std::system(unload.c_str()), 0);
        }
    }
    PrivateSink(const PrivateSink&) = delete;
    PrivateSink& operator=(const PrivateSink&) = delete;
    // What the recorder records: the own sink's monitor, or the default one where no sink was made.
    std::string monitor() const { return module_ > 0 ? name_ + ".monitor" : "@DEFAULT_MONITOR@"; }

private:
    std::string name_;
    int module_ = -1;
    std::unique_ptr<ScopedEnv> sink_;
};

// Records the monitor of a sink of its own while `act` runs on device 1; false when it did not
// open.
bool RecordDeviceOne(const std::function<void()>& act, std::vector<std::int16_t>& samples)
{
    const PrivateSink sink;
    const std::string monitor = sink.monitor();
    const std::string raw = ::testing::TempDir() + "rbx_engine_monitor.raw";
    const pid_t recorder = fork();
    if (recorder < 0) {
        return false;
    }
    if (recorder == 0) {
        execlp("parec", "parec", "-d", monitor.c_str(), "--format=s16le", "--rate=44100", "--channels=2",
               "--latency-msec=20", raw.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // The recording has begun once bytes flow (the monitor delivers silence too); on a busy machine
    // that can take longer than any fixed pause, and a late start would cut the first sound.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::error_code error;
    while (std::filesystem::file_size(raw, error) < 4u * 44100 / 10 || error) {
        if (std::chrono::steady_clock::now() > limit) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    BASS_Free();
    const bool opened = BASS_Init(1, 44100, 0, nullptr, nullptr);
    if (opened) {
        act();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        BASS_Free();
    }
    kill(recorder, SIGINT);
    int status = 0;
    waitpid(recorder, &status, 0);
    std::ifstream again(raw, std::ios::binary);
    std::int16_t s;
    while (again.read(reinterpret_cast<char*>(&s), sizeof s)) {
        samples.push_back(s);
    }
    again.close();
    std::remove(raw.c_str());
    return opened;
}

// Half-scale 1 kHz sines played on device 1 and recorded, `seconds` in all: about 16384 at the
// peak, and above 3000 for about 90 % of their frames.
void ExpectHalfScaleSine(const std::vector<std::int16_t>& samples, double seconds)
{
    int peak = 0;
    long loudFrames = 0;
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        loudFrames += std::abs(static_cast<int>(samples[i])) > 3000 ? 1 : 0;
    }
    EXPECT_NEAR(peak, 16384, 16384 * 0.1);
    EXPECT_NEAR(static_cast<double>(loudFrames) / kRate, 0.9 * seconds, 0.15);
}

// One sound of a recording: its first and last frame above the noise floor, its quiet stretches
// (a half-scale 1 kHz sine is quiet for a frame at most at each zero crossing), and the frames
// where the left channel bends faster than that sine can (a dropped or inserted stretch).
struct HeardSound
{
    long first = 0;
    long last = 0;
    int gaps = 0;
    long gapFrames = 0; // the frames of its quiet stretches
    int jumps = 0;
};

// The sounds of a recording of 1 kHz half-scale sines, split where it stays quiet longer than
// 10 ms (a sine is quiet for a frame or two at each zero crossing).
std::vector<HeardSound> HeardSounds(const std::vector<std::int16_t>& samples)
{
    std::vector<HeardSound> sounds;
    const long frames = static_cast<long>(samples.size() / 2);
    auto left = [&](long i) { return static_cast<int>(samples[static_cast<std::size_t>(i) * 2]); };
    long lastLoud = -1000000;
    for (long i = 0; i < frames; ++i) {
        if (std::abs(left(i)) <= 300) {
            continue;
        }
        if (i - lastLoud > kRate / 100) {
            sounds.push_back({i, i, 0, 0, 0});
        }
        HeardSound& sound = sounds.back();
        if (i - lastLoud > 3 && i != sound.first) {
            ++sound.gaps;
            sound.gapFrames += i - lastLoud - 1;
        }
        // 16384 * (2 pi 1000 / 44100)^2 is about 340: four times that is no part of the tone.
        for (long j = std::max(lastLoud, sound.first) + 1; j <= i; ++j) {
            if (j >= sound.first + 2 && std::abs(left(j) - 2 * left(j - 1) + left(j - 2)) > 1400) {
                ++sound.jumps;
            }
        }
        sound.last = i;
        lastLoud = i;
    }
    return sounds;
}
} // namespace

// Also after the device stopped itself for silence; one recording for both cases, since tests
// run in parallel and two recordings would hear each other.
TEST(EngineDevices, DefaultOutputCarriesTheSoundToTheSoundServer)
{
    if (!SoundServerReachable()) {
        GTEST_SKIP() << "no PulseAudio server reachable (scripts/test.sh starts a private one)";
    }
    const ScopedEnv idle = ShortIdle();
    std::vector<std::int16_t> samples;
    int restartsWhileRunning = -1;
    int restartsAfterSilence = -1;
    const bool opened = RecordDeviceOne(
        [&] {
            const BassHandle first = EngineStreamCreate(Sine(2, kRate, 1000.0, 0.5), 0);
            const BassHandle second = EngineStreamCreate(Sine(2, kRate, 1000.0, 0.5), 0);
            EXPECT_TRUE(BASS_ChannelPlay(first, false));
            restartsWhileRunning = AudioEngine::instance().outputRestarts();
            WaitForEnd(first, 5.0);
            ExpectRaisedInTheOrdinaryClass("rbx-output");
            EXPECT_TRUE(WaitUntilParked(10.0));
            EXPECT_TRUE(BASS_ChannelPlay(second, false));
            restartsAfterSilence = AudioEngine::instance().outputRestarts();
            WaitForEnd(second, 5.0);
        },
        samples);
    ASSERT_TRUE(opened) << "device 1 did not open: error " << BASS_ErrorGetCode();
    EXPECT_EQ(restartsWhileRunning, 0);
    EXPECT_EQ(restartsAfterSilence, 1);
    ExpectHalfScaleSine(samples, 2.0);
    // Both sounds whole to their first frames, the one that resumed the paused stream included (a
    // resume that flushed the queued silence lost its first 3.8 ms), and none longer than its
    // source (a repeated stretch). Gaps and jumps are counted where the test machine is quiet
    // enough to judge them.
    const std::vector<HeardSound> sounds = HeardSounds(samples);
    ASSERT_GE(sounds.size(), 2u);
    long heard = 0;
    for (const HeardSound& sound : sounds) {
        // A stall's silence lengthens the sound without repeating any of it (a machine's host that
        // takes its processors brings those); what sounds is never more than the source.
        EXPECT_LE(sound.last - sound.first + 1 - sound.gapFrames, kRate)
            << sound.last - sound.first + 1 << " frames with " << sound.gapFrames << " silent";
        heard += sound.last - sound.first + 1;
    }
    EXPECT_GT(heard, 2 * kRate - 2 * kRate * 50 / 1000);
    // Counted rather than picked by place, which holds wherever no sink of its own could be made
    // and a program test running beside this one lands in the same recording.
    int whole = 0;
    std::string lengths;
    for (const HeardSound& sound : sounds) {
        whole += sound.last - sound.first + 1 >= kRate - kRate / 1000 ? 1 : 0;
        lengths += " " + std::to_string(sound.last - sound.first + 1);
    }
    EXPECT_GE(whole, 2) << "sounds of" << lengths << " frames: a start was cut";
    if (std::getenv("RBX_DEVICE_TEST_STRICT") != nullptr) {
        ASSERT_EQ(sounds.size(), 2u);
        for (const HeardSound& sound : sounds) {
            EXPECT_EQ(sound.gaps, 0);
            EXPECT_EQ(sound.jumps, 0);
        }
    }
}
