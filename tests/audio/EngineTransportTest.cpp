#include "EngineTestSupport.h"

#include <cmath>

using namespace EngineTest;

namespace {
// Each frame carries its own index, so the output shows exactly which source frame played.
std::unique_ptr<PcmSource> Counting(int channels, std::int64_t frames)
{
    return MakeSource(kRate, channels, frames,
                      [](std::int64_t f, int) { return static_cast<double>(f % 1000) / 32768.0; });
}
// The sine of hz that best fits one output channel over [from, to), and what is left beside it
// (distortion and noise) in decibels below it.
struct SineFit {
    double amplitude = 0.0;
    double residueDb = 0.0;
};

SineFit FitSine(const std::vector<float>& out, int rate, int from, int to, double hz)
{
    double ss = 0, sc = 0, cc = 0, ys = 0, yc = 0;
    for (int i = from; i < to; ++i) {
        const double s = std::sin(2 * M_PI * hz * i / rate), c = std::cos(2 * M_PI * hz * i / rate);
        const double y = out[2 * static_cast<size_t>(i)];
        ss += s * s, sc += s * c, cc += c * c, ys += y * s, yc += y * c;
    }
    const double det = ss * cc - sc * sc;
    const double a = (ys * cc - yc * sc) / det, b = (yc * ss - ys * sc) / det;
    double signal = 0, residue = 0;
    for (int i = from; i < to; ++i) {
        const double fit = a * std::sin(2 * M_PI * hz * i / rate) + b * std::cos(2 * M_PI * hz * i / rate);
        const double left = out[2 * static_cast<size_t>(i)] - fit;
        signal += fit * fit;
        residue += left * left;
    }
    return {std::hypot(a, b), 10.0 * std::log10(residue / signal)};
}
} // namespace

class EngineTransport : public ManualEngine {};

TEST_F(EngineTransport, PositionsAndLengthsCountBytesOfTheSource)
{
    const BassHandle h = EngineStreamCreate(Constant(2, kRate, 0.25), 0);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(h), 4LL * kRate);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(h, 4LL * kRate), 1.0);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(h, 88200), 0.5);
    BassChannelInfo info;
    ASSERT_TRUE(BASS_ChannelGetInfo(h, info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);

    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActivePlaying);
    Render(11025);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 11025);

    ASSERT_TRUE(BASS_ChannelSetPosition(h, 4LL * 30000));
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 30000);
    Render(1000);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 31000);

    ASSERT_TRUE(BASS_ChannelPause(h));
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActivePaused);
    const auto paused = Render(2000);
    EXPECT_EQ(Peak(paused, 2, 0, 0, 2000), 0.0f);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 31000);
    ASSERT_TRUE(BASS_ChannelPlay(h, false)); // plays on from where it paused
    Render(1000);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 32000);
}

TEST_F(EngineTransport, SeekLandsOnTheRequestedFrame)
{
    const BassHandle h = PlaySource(Counting(2, 5000));
    ASSERT_TRUE(BASS_ChannelSetPosition(h, 4LL * 1234));
    const auto out = Render(10);
    EXPECT_NEAR(out[0] * 32768.0f, 234.0f, 0.01f);
    EXPECT_NEAR(out[18] * 32768.0f, 243.0f, 0.01f);
}

TEST_F(EngineTransport, StreamEndsAtItsLastFrameAndReportsStopped)
{
    const BassHandle h = PlaySource(Constant(2, 3000, 0.5));
    const auto out = Render(4096);
    EXPECT_NEAR(out[2 * 2999], 0.5f, 1e-4f);
    EXPECT_EQ(out[2 * 3000], 0.0f);
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 3000);
    EXPECT_TRUE(BASS_ChannelSetPosition(h, 4LL * 3000)); // the end itself is a valid position
    EXPECT_FALSE(BASS_ChannelSetPosition(h, 4LL * 3001));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Position);
}

TEST_F(EngineTransport, LoopFlagGoesBackToByteZero)
{
    const BassHandle h = EngineStreamCreate(Counting(2, 1500), 0);
    ASSERT_TRUE(BASS_ChannelSetFlags(h, BASS_SAMPLE_LOOP));
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(2000);
    EXPECT_NEAR(out[2 * 1499] * 32768.0f, 499.0f, 0.01f);
    EXPECT_NEAR(out[2 * 1500] * 32768.0f, 0.0f, 0.01f); // frame 0 again
    EXPECT_NEAR(out[2 * 1501] * 32768.0f, 1.0f, 0.01f);
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActivePlaying);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 500);
    // Switched off, the loop ends with the pass that is playing, although the read-ahead
    // already holds the next passes.
    ASSERT_TRUE(BASS_ChannelSetFlags(h, 0));
    const auto tail = Render(1500);
    EXPECT_NEAR(tail[2 * 998] * 32768.0f, 498.0f, 0.01f);
    EXPECT_EQ(tail[2 * 1000], 0.0f);
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
}

TEST_F(EngineTransport, StopKeepsThePositionAndPlayGoesOnFromIt)
{
    const BassHandle h = PlaySource(Counting(2, 20000));
    Render(5000);
    ASSERT_TRUE(BASS_ChannelStop(h));
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 5000);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(4);
    EXPECT_NEAR(out[0] * 32768.0f, 0.0f, 0.01f); // frame 5000 carries 5000 % 1000
    EXPECT_NEAR(out[2] * 32768.0f, 1.0f, 0.01f);
    ASSERT_TRUE(BASS_ChannelPlay(h, true));
    EXPECT_EQ(BASS_ChannelGetPosition(h), 0);
}

TEST_F(EngineTransport, DecodingStreamServesWholeFramesUntilItsEnd)
{
    const BassHandle h = EngineStreamCreate(Counting(2, 7000), BASS_STREAM_DECODE);
    ASSERT_NE(h, 0u);
    std::vector<char> buffer(20000);
    std::int64_t total = 0;
    int blocks = 0;
    while (BASS_ChannelIsActive(h) != 0 && blocks < 100) {
        const int got = BASS_ChannelGetData(h, buffer.data(), 20001);
        ASSERT_GE(got, 0);
        EXPECT_EQ(got % 4, 0);
        total += got;
        ++blocks;
    }
    EXPECT_EQ(total, 4LL * 7000);
    EXPECT_EQ(blocks, 2); // 20000-byte reads: 5000 frames, then the last 2000
    EXPECT_EQ(BASS_ChannelGetPosition(h), 4LL * 7000);
}

TEST_F(EngineTransport, TempoThirtyPercentFasterCoversOnePointThreeSecondsInOne)
{
    const BassHandle decode =
        EngineStreamCreate(Sine(2, 5 * kRate, 440.0, 0.5), BASS_STREAM_DECODE);
    const BassHandle h = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    ASSERT_NE(h, 0u);
    ASSERT_TRUE(BASS_FX_TempoSet(h, 30.0f, 0.0f, -100.0f));
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(kRate);
    const double seconds = BASS_ChannelBytes2Seconds(h, BASS_ChannelGetPosition(h));
    EXPECT_NEAR(seconds, 1.3, 0.02);
    // The pitch stays: still 440 Hz.
    EXPECT_NEAR(Amplitude(out, 2, 0, kRate / 2, kRate, 440.0), 0.5, 0.08);
    // The source belongs to the tempo stream now and goes with it.
    EXPECT_EQ(BASS_ChannelGetData(decode, nullptr, 0), -1);
    ASSERT_TRUE(BASS_StreamFree(h));
    BassChannelInfo info;
    EXPECT_FALSE(BASS_ChannelGetInfo(decode, info));
    EXPECT_EQ(BASS_ErrorGetCode(), BassError::Handle);
}

TEST_F(EngineTransport, SampleRateSetThroughDspRecordSpeedsUpAndRaisesPitch)
{
    const BassHandle decode =
        EngineStreamCreate(Sine(2, 5 * kRate, 1000.0, 0.5), BASS_STREAM_DECODE);
    const BassHandle h = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    BassDspParams dsp;
    ASSERT_TRUE(BASS_FX_DSP_GetParameters(h, BassDspSampleRate, dsp));
    EXPECT_EQ(dsp.sampleRate, 44100.0f);
    dsp.sampleRate = 52920.0f; // 1.2 x
    ASSERT_TRUE(BASS_FX_DSP_SetParameters(h, BassDspSampleRate, dsp));
    ASSERT_TRUE(BASS_FX_TempoSet(h, -100.0f, -100.0f, -100.0f)); // leaves everything as it is
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(kRate);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(h, BASS_ChannelGetPosition(h)), 1.2, 0.02);
    EXPECT_NEAR(Amplitude(out, 2, 0, kRate / 2, kRate, 1200.0), 0.5, 0.08);
    int freq = 0;
    ASSERT_TRUE(BASS_ChannelGetAttributes(h, &freq, nullptr, nullptr));
    EXPECT_EQ(freq, 52920);
}

// A file at another rate than the output's (44.1 kHz files at the default 48 kHz) is converted:
// the top octave comes out clean, positions count the file's frames, the sound ends with the
// file, and tempo asked for while it plays takes over from where it is.
TEST(EngineRates, AFileAtAnotherRateIsConvertedCleanlyWithItsPositionsAndEnd)
{
    constexpr int kOut = 48000;
    for (const double hz : {1000.0, 12000.0}) {
        BASS_Free();
        ASSERT_TRUE(EngineInitManual(kOut, 0));
        const BassHandle h = EngineStreamCreate(Sine(2, kRate, hz, 0.5), 0);
        ASSERT_TRUE(BASS_ChannelPlay(h, false));
        const auto out = Render(kOut / 2);
        EXPECT_NEAR(BASS_ChannelGetPosition(h), 4LL * kRate / 2, 4 * 2) << hz;
        const SineFit fit = FitSine(out, kOut, kOut / 10, kOut / 2, hz);
        EXPECT_NEAR(fit.amplitude, 0.5, 0.005) << hz;
        EXPECT_LT(fit.residueDb, -70.0) << hz;
        const auto rest = Render(kOut / 2 + kOut / 10);
        int lastHeard = -1;
        for (int i = 0; i < kOut / 2 + kOut / 10; ++i) {
            lastHeard = std::abs(rest[2 * static_cast<size_t>(i)]) > 0.01f ? i : lastHeard;
        }
        EXPECT_NEAR(lastHeard, kOut / 2, 20) << hz;
        EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped) << hz;
    }
    const BassHandle decode = EngineStreamCreate(Sine(2, 5 * kRate, 1000.0, 0.5), BASS_STREAM_DECODE);
    const BassHandle h = BASS_FX_TempoCreate(decode, BASS_FX_FREESOURCE);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    Render(kOut / 4);
    ASSERT_TRUE(BASS_FX_TempoSet(h, 30.0f, 0.0f, -100.0f));
    const auto out = Render(kOut / 2);
    // What was fed ahead still plays at the file's pace, the rest 1.3 times as fast.
    const double seconds = BASS_ChannelBytes2Seconds(h, BASS_ChannelGetPosition(h));
    EXPECT_GT(seconds, 0.25 + 0.5 + 0.03);
    EXPECT_LT(seconds, 0.25 + 0.65 + 0.02);
    EXPECT_NEAR(FitSine(out, kOut, kOut / 4, kOut / 2, 1000.0).amplitude, 0.5, 0.08);
    BASS_Free();
}

TEST(EngineMono, MonoOutputHalvesEveryBytePosition)
{
    BASS_Free();
    ASSERT_TRUE(EngineInitManual(kRate, BASS_DEVICE_MONO));
    EXPECT_EQ(EngineOutputChannels(), 1);
    const BassHandle h = EngineStreamCreate(Constant(1, 44100, 0.5), 0);
    EXPECT_EQ(BASS_ChannelGetLength(h), 2LL * 44100);
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    const auto out = Render(1000);
    EXPECT_EQ(out.size(), 1000u);
    EXPECT_NEAR(out[500], 0.5f, 1e-4f);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 2LL * 1000);
    EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(h, 2LL * 44100), 1.0);
    BASS_Free();
}
