#include "ProgressionFixture.h"

#include "playback/ProgressionMeters.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ProgressionMeterRules, NeedleAtHundredFallsToEightyInTheRuleSteps)
{
    std::vector<int> seen;
    int needle = 100;
    for (int tick = 0; tick < 13; ++tick) {
        needle = ProgressionMeters::Follow(needle, 80);
        seen.push_back(needle);
    }
    EXPECT_EQ(seen, (std::vector<int>{98, 96, 94, 92, 89, 88, 87, 86, 85, 84, 83, 80, 80}));
    EXPECT_EQ(ProgressionMeters::Follow(20, 90), 90);
}

TEST(ProgressionMeterRules, ScaledLevelReadsWholeStepsOf256)
{
    EXPECT_EQ(ProgressionMeters::ScaledLevel(256, MeterSide::Left, 100, 100), 0);
    EXPECT_EQ(ProgressionMeters::ScaledLevel(257, MeterSide::Left, 100, 100), 1);
    EXPECT_EQ(ProgressionMeters::ScaledLevel(512, MeterSide::Left, 100, 100), 2);
    EXPECT_EQ(ProgressionMeters::ScaledLevel(32768u << 16, MeterSide::Right, 100, 100), 128);
    EXPECT_EQ(ProgressionMeters::ScaledLevel(32768u << 16, MeterSide::Left, 100, 100), 0);
    // Sound volume and master slider each scale the level (rounded after each step).
    EXPECT_EQ(ProgressionMeters::ScaledLevel(32768, MeterSide::Left, 50, 50), 32);
    EXPECT_EQ(ProgressionMeters::ScaledLevel(1000, MeterSide::Left, 51, 100), 1);
}

TEST(ProgressionMeterRules, IdleNeedleFallsByFiveAndStopsAtZero)
{
    EXPECT_EQ(ProgressionMeters::Fall(12), 7);
    EXPECT_EQ(ProgressionMeters::Fall(7), 2);
    EXPECT_EQ(ProgressionMeters::Fall(5), 0);
    EXPECT_EQ(ProgressionMeters::Fall(0), 0);
}

TEST(ProgressionMeterRules, BarMeterShowsWhatTheNeedleHolds)
{
    FakePlaybackWindow window;
    ProgressionFakeWindow view(window);
    ProgressionMeters meters(view);
    meters.ShowLevel(0x10000u * 200 * 256 + 40 * 256 + 1, 100, 100);
    // The needle clamps to 128; the bar copies the clamped value, not the level.
    EXPECT_EQ(view.Needles[0], 40);
    EXPECT_EQ(view.Needles[1], 128);
    EXPECT_EQ(view.Bars[0], 40);
    EXPECT_EQ(view.Bars[1], 128);
    meters.FallBoth();
    EXPECT_EQ(view.Bars[0], 35);
    EXPECT_EQ(view.Bars[1], 123);
}
