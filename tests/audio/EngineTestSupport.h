#pragma once

#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "audio/PcmSource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Generated signals and a manual-clock engine for the engine tests.
namespace EngineTest {
inline constexpr int kRate = 44100;

// Sample value (-1..1) of a frame and channel.
using Signal = std::function<double(std::int64_t frame, int channel)>;

std::unique_ptr<PcmSource> MakeSource(int rate, int channels, std::int64_t frames, Signal signal);
std::unique_ptr<PcmSource> Sine(int channels, std::int64_t frames, double hz, double amplitude);
std::unique_ptr<PcmSource> Constant(int channels, std::int64_t frames, double value);

// Renders `frames` frames of the engine's output.
std::vector<float> Render(int frames);
// Peak of one output channel over [from, to) frames.
float Peak(const std::vector<float>& out, int channels, int channel, int from, int to);
// Amplitude of `hz` in one output channel over [from, to) frames (Goertzel).
double Amplitude(const std::vector<float>& out, int channels, int channel, int from, int to,
                 double hz);

// Each test starts with a fresh engine on the manual clock and frees it afterwards.
class ManualEngine : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A playing stream over `source`; fails the test when it cannot be made.
    BassHandle PlaySource(std::unique_ptr<PcmSource> source, std::uint32_t flags = 0);
};

// The device tests need a sound server (scripts/test.sh starts a private one).
bool SoundServerReachable();

// Sets an environment variable for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
};

// A sound server's socket that takes connections into its backlog and never says a word: a hung
// server. address() is what PULSE_SERVER takes.
class SilentServer
{
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    bool listening() const { return listening_; }
    std::string address() const { return "unix:" + path_; }

private:
    std::string path_;
    int fd_ = -1;
    bool listening_ = false;
};
} // namespace EngineTest
