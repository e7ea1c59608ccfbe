#include "EngineTestSupport.h"

#include <cmath>

using namespace EngineTest;

class EngineFades : public ManualEngine {};

TEST_F(EngineFades, OneSecondFadeIsLinearWithoutSteps)
{
    const BassHandle h = PlaySource(Constant(2, 3 * kRate, 0.8));
    Render(100);
    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, 0, -101, 1000));
    EXPECT_EQ(BASS_ChannelIsSliding(h), BassSlidingVolume);
    const auto out = Render(kRate);
    // Half-way the volume is half of the start, within 5 %.
    EXPECT_NEAR(out[2 * (kRate / 2)], 0.4f, 0.4f * 0.05f);
    float largestStep = 0.0f;
    for (int i = 1; i < kRate; ++i) {
        largestStep = std::max(largestStep, std::fabs(out[2 * i] - out[2 * (i - 1)]));
    }
    // 0.8 over 44100 frames is 1.8e-5 a frame; a block-wise ramp would step by far more.
    EXPECT_LT(largestStep, 1e-4f);
    EXPECT_LT(out[2 * (kRate - 1)], 0.001f);
    EXPECT_EQ(BASS_ChannelIsSliding(h), 0u);
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActivePlaying); // a fade to 0 does not stop
    int volume = -1;
    ASSERT_TRUE(BASS_ChannelGetAttributes(h, nullptr, &volume, nullptr));
    EXPECT_EQ(volume, 0);
}

TEST_F(EngineFades, SlideToMinusTwoEndsInSilenceAndStops)
{
    const BassHandle h = PlaySource(Constant(2, 3 * kRate, 0.5));
    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, -2, -101, 200));
    const auto out = Render(kRate / 2);
    EXPECT_NEAR(out[2 * (kRate / 10)], 0.25f, 0.01f);
    EXPECT_EQ(Peak(out, 2, 0, kRate / 5 + 1, kRate / 2), 0.0f);
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
    EXPECT_EQ(BASS_ChannelIsSliding(h), 0u);
}

TEST_F(EngineFades, SlidesEndWhilePausedAndWhileTheOutputIsStopped)
{
    const BassHandle h = PlaySource(Constant(2, 3 * kRate, 0.5));
    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, 20, -101, 300));
    ASSERT_TRUE(BASS_ChannelPause(h));
    Render(kRate / 2); // the clock runs on although the channel renders nothing
    EXPECT_EQ(BASS_ChannelIsSliding(h), 0u);
    int volume = -1;
    ASSERT_TRUE(BASS_ChannelGetAttributes(h, nullptr, &volume, nullptr));
    EXPECT_EQ(volume, 20);

    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, -2, -101, 300));
    ASSERT_TRUE(BASS_Stop());
    Render(kRate / 2);
    EXPECT_EQ(BASS_ChannelIsSliding(h), 0u);
    EXPECT_EQ(BASS_ChannelIsActive(h), BassActiveStopped);
    ASSERT_TRUE(BASS_Start());
}

TEST_F(EngineFades, SettingTheVolumeOrANewSlideCancelsTheOldSlide)
{
    const BassHandle h = PlaySource(Constant(2, 3 * kRate, 0.5));
    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, 0, -101, 1000));
    Render(kRate / 4);
    ASSERT_TRUE(BASS_ChannelSetAttributes(h, -1, 60, -101));
    EXPECT_EQ(BASS_ChannelIsSliding(h), 0u);
    auto out = Render(kRate / 4);
    EXPECT_NEAR(out[2 * 1000], 0.3f, 1e-3f);

    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, 0, -101, 1000));
    Render(kRate / 2);
    ASSERT_TRUE(BASS_ChannelSlideAttributes(h, -1, 100, -101, 100)); // starts from 30
    out = Render(kRate / 20 / 2);
    EXPECT_NEAR(out[0], 0.15f, 0.01f);
    Render(kRate / 10);
    int volume = 0;
    ASSERT_TRUE(BASS_ChannelGetAttributes(h, nullptr, &volume, nullptr));
    EXPECT_EQ(volume, 100);
}

TEST_F(EngineFades, MasterVolumeScalesTheMixOfAllChannels)
{
    PlaySource(Constant(2, kRate, 0.25));
    PlaySource(Constant(2, kRate, 0.25));
    ASSERT_TRUE(BASS_SetVolume(50));
    const auto out = Render(4096);
    EXPECT_NEAR(out[2 * 4000], 0.25f, 1e-4f);
    EXPECT_EQ(BASS_GetVolume(), 50);
}

TEST_F(EngineFades, LevelIsThePeakBeforeTheVolumeLeftInTheLowWord)
{
    const BassHandle h = EngineStreamCreate(
        MakeSource(kRate, 2, kRate,
                   [](std::int64_t f, int ch) {
                       return (ch == 0 ? 0.5 : 0.25) * std::sin(2 * 3.14159265358979 * 441.0 * f / kRate);
                   }),
        0);
    EXPECT_EQ(BASS_ChannelGetLevel(h), 0u); // not playing yet
    ASSERT_TRUE(BASS_ChannelPlay(h, false));
    ASSERT_TRUE(BASS_ChannelSetAttributes(h, -1, 10, -101));
    Render(4410);
    const std::uint32_t level = BASS_ChannelGetLevel(h);
    EXPECT_NEAR(static_cast<double>(level & 0xFFFF), 16384.0, 16384.0 * 0.01);
    EXPECT_NEAR(static_cast<double>(level >> 16), 8192.0, 8192.0 * 0.01);
    ASSERT_TRUE(BASS_ChannelPause(h));
    EXPECT_EQ(BASS_ChannelGetLevel(h), 0u);
}

TEST_F(EngineFades, LevelForgetsAPeakAfterTwentyMilliseconds)
{
    const BassHandle h = PlaySource(MakeSource(kRate, 2, kRate, [](std::int64_t f, int) {
        return f < 100 ? 0.9 : 0.1;
    }));
    Render(200);
    EXPECT_NEAR(static_cast<double>(BASS_ChannelGetLevel(h) & 0xFFFF), 0.9 * 32768, 2.0);
    Render(kRate / 40); // 25 ms later
    EXPECT_NEAR(static_cast<double>(BASS_ChannelGetLevel(h) & 0xFFFF), 0.1 * 32768, 2.0);
}
