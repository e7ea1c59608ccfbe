#include "EngineTestSupport.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace EngineTest {
namespace {
class SignalSource : public PcmSource {
public:
    SignalSource(int rate, int channels, std::int64_t frames, Signal signal)
        : rate_(rate), channels_(channels), frames_(frames), signal_(std::move(signal))
    {
    }
    int sampleRate() const override { return rate_; }
    int channels() const override { return channels_; }
    std::int64_t lengthFrames() const override { return frames_; }
    std::int64_t read(std::int16_t* out, std::int64_t frames) override
    {
        const std::int64_t n = std::min(frames, frames_ - position_);
        for (std::int64_t i = 0; i < n; ++i) {
            for (int ch = 0; ch < channels_; ++ch) {
                const double v = std::clamp(signal_(position_ + i, ch), -1.0, 32767.0 / 32768.0);
                out[i * channels_ + ch] = static_cast<std::int16_t>(std::lround(v * 32768.0));
            }
        }
        position_ += n;
        return n;
    }
    bool seekFrame(std::int64_t frame) override
    {
        if (frame < 0 || frame > frames_) {
            return false;
        }
        position_ = frame;
        return true;
    }

private:
    int rate_;
    int channels_;
    std::int64_t frames_;
    Signal signal_;
    std::int64_t position_ = 0;
};
} // namespace

std::unique_ptr<PcmSource> MakeSource(int rate, int channels, std::int64_t frames, Signal signal)
{
    return std::make_unique<SignalSource>(rate, channels, frames, std::move(signal));
}

std::unique_ptr<PcmSource> Sine(int channels, std::int64_t frames, double hz, double amplitude)
{
    return MakeSource(kRate, channels, frames, [hz, amplitude](std::int64_t f, int) {
        return amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(f) / kRate);
    });
}

std::unique_ptr<PcmSource> Constant(int channels, std::int64_t frames, double value)
{
    return MakeSource(kRate, channels, frames, [value](std::int64_t, int) { return value; });
}

std::vector<float> Render(int frames)
{
    std::vector<float> out(static_cast<std::size_t>(frames * std::max(1, EngineOutputChannels())));
    EXPECT_TRUE(EngineRenderManual(out.data(), frames));
    return out;
}

float Peak(const std::vector<float>& out, int channels, int channel, int from, int to)
{
    float peak = 0.0f;
    for (int i = from; i < to; ++i) {
        peak = std::max(peak, std::fabs(out[static_cast<std::size_t>(i * channels + channel)]));
    }
    return peak;
}

double Amplitude(const std::vector<float>& out, int channels, int channel, int from, int to,
                 double hz)
{
    const double w = 2.0 * std::numbers::pi * hz / kRate;
    double re = 0.0;
    double im = 0.0;
    for (int i = from; i < to; ++i) {
        const double v = out[static_cast<std::size_t>(i * channels + channel)];
        re += v * std::cos(w * i);
        im -= v * std::sin(w * i);
    }
    return 2.0 * std::hypot(re, im) / (to - from);
}

void ManualEngine::SetUp()
{
    BASS_Free();
    ASSERT_TRUE(EngineInitManual(kRate, 0));
}

void ManualEngine::TearDown()
{
    BASS_Free();
}

BassHandle ManualEngine::PlaySource(std::unique_ptr<PcmSource> source, std::uint32_t flags)
{
    const BassHandle h = EngineStreamCreate(std::move(source), flags);
    EXPECT_NE(h, 0u);
    EXPECT_TRUE(BASS_ChannelPlay(h, false));
    return h;
}

bool SoundServerReachable()
{
    return std::system("pactl info >/dev/null 2>&1") == 0;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name)
{
    setenv(name, value, 1);
}

ScopedEnv::~ScopedEnv()
{
    unsetenv(name_.c_str());
}

SilentServer::SilentServer() : path_("/tmp/rbx-silent-server." + std::to_string(::getpid()))
{
    ::unlink(path_.c_str());
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path_.c_str());
    listening_ = fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                 ::listen(fd_, 16) == 0;
}

SilentServer::~SilentServer()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
    ::unlink(path_.c_str());
}
} // namespace EngineTest
