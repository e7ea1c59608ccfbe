#include "PlaybackFixture.h"

using namespace PlaybackTest;

// The waits inside a stop sleep between polls instead of spinning, and the stop's Delay lets the
// window live while it holds what the operator does next.
class Waits : public PlaybackFixture
{
};

TEST_F(Waits, StopDelayKeepsTheSoundForItsLengthThenStops)
{
    settings_.Delay = 40;
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    Render(100);
    pumped_.clear();
    const int waitsBefore = pump_.Waits;
    play_->StopPlayButtonClick();
    // The fixture's pump moves the clock 10 ms a turn: four sleeping turns make the 40 ms.
    EXPECT_EQ(pump_.Waits - waitsBefore, 4);
    EXPECT_FALSE(pump_.LastWaitTookInput);
    // The sound went on during the delay and stopped after it.
    ASSERT_GE(pumped_.size(), static_cast<std::size_t>(2 * 4 * kPumpFrames));
    EXPECT_NEAR(pumped_[static_cast<std::size_t>(2 * 3 * kPumpFrames)], 0.5f, 0.01f);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_NEAR(LevelAfter(100), 0.0f, 1e-6f);
}

TEST_F(Waits, StopDelayEndsEvenWhenTheClockStandsStill)
{
    settings_.Delay = 25;
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    pump_.OnPump = nullptr; // nothing moves the clock now
    play_->StopPlayButtonClick();
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_LE(pump_.Waits, 25 + Playback::MaxDelaySlices + 1);
}

TEST_F(Waits, NoDelayMeansNoWait)
{
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    const int waits = pump_.Waits;
    play_->StopPlayButtonClick();
    EXPECT_EQ(pump_.Waits, waits);
    EXPECT_EQ(OccupiedSlots(), 0);
}
