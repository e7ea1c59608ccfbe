#include "EngineTestSupport.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

using namespace EngineTest;

namespace {
// A source whose exact length is only known once the test says so, like a long file whose scan
// is still running: until then it gives an estimate. It records the longest wait it was asked for.
class SlowScanSource final : public PcmSource
{
public:
    SlowScanSource(std::int64_t frames, std::int64_t estimate) : frames_(frames), estimate_(estimate) {}

    void finishScan()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        scanned_ = true;
        done_.notify_all();
    }
    static std::atomic<long long> longestWaitMs;

    int sampleRate() const override { return kRate; }
    int channels() const override { return 2; }
    std::int64_t lengthFrames() const override
    {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [this] { return scanned_; });
        return frames_;
    }
    std::int64_t lengthFramesWithin(std::chrono::milliseconds maxWait, bool& exact) const override
    {
        long long seen = longestWaitMs.load();
        while (maxWait.count() > seen && !longestWaitMs.compare_exchange_weak(seen, maxWait.count())) {
        }
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait_for(lock, maxWait, [this] { return scanned_; });
        exact = scanned_;
        return scanned_ ? frames_ : estimate_;
    }
    std::int64_t read(std::int16_t* interleaved, std::int64_t frames) override
    {
        const std::int64_t n = std::min(frames, frames_ - position_);
        for (std::int64_t i = 0; i < n * 2; ++i) {
            interleaved[i] = 16384;
        }
        position_ += n;
        return n;
    }
    bool seekFrame(std::int64_t frame) override
    {
        if (frame > frames_) {
            return false;
        }
        position_ = frame;
        return true;
    }

private:
    const std::int64_t frames_;
    const std::int64_t estimate_;
    std::int64_t position_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable done_;
    bool scanned_ = false;
};
std::atomic<long long> SlowScanSource::longestWaitMs{0};

class EngineLengthWait : public ManualEngine
{
};
} // namespace

TEST_F(EngineLengthWait, PlayingStreamAnswersWithTheEstimateAndSoundsAtOnce)
{
    SlowScanSource::longestWaitMs = 0;
    auto owned = std::make_unique<SlowScanSource>(kRate * 3600LL, kRate * 3599LL);
    SlowScanSource* source = owned.get();
    const BassHandle h = EngineStreamCreate(std::move(owned), 0);
    ASSERT_NE(h, 0u);
    // What a click asks before it starts the sound: answered without waiting for the scan.
    EXPECT_EQ(BASS_ChannelGetLength(h), 4LL * kRate * 3599);
    EXPECT_EQ(SlowScanSource::longestWaitMs.load(), 0);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(256);
    EXPECT_NEAR(Peak(out, 2, 0, 0, 256), 0.5f, 1e-3f);
    EXPECT_NEAR(out[0], 0.5f, 1e-3f) << "the first frame rendered is the sound's first frame";
    // The timers keep asking; once the scan is done they get the exact figure.
    EXPECT_EQ(BASS_ChannelGetLength(h), 4LL * kRate * 3599);
    source->finishScan();
    EXPECT_EQ(BASS_ChannelGetLength(h), 4LL * kRate * 3600);
    EXPECT_EQ(SlowScanSource::longestWaitMs.load(), 0);
    // A place past the estimate but inside the file is not refused once the length is exact.
    EXPECT_TRUE(BASS_ChannelSetPosition(h, 4LL * kRate * 3599 + 4000));
}

TEST_F(EngineLengthWait, SeekPastTheEstimateIsAcceptedWhileTheLengthIsUnknown)
{
    auto owned = std::make_unique<SlowScanSource>(kRate * 60LL, kRate * 59LL);
    SlowScanSource* source = owned.get();
    const BassHandle h = EngineStreamCreate(std::move(owned), 0);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(BASS_ChannelSetPosition(h, 4LL * kRate * 59 + 400));
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(512);
    EXPECT_NEAR(Peak(out, 2, 0, 0, 512), 0.5f, 1e-3f);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * (kRate * 59 + 100 + 512));
    source->finishScan();
}
