#include "PlaybackFixture.h"

using namespace PlaybackTest;

class Fades : public PlaybackFixture
{
protected:
    float PumpedAt(int frame) const { return pumped_[static_cast<std::size_t>(2 * frame)]; }
};

TEST_F(Fades, FadeInIsHalfWayAtHalfItsLength)
{
    settings_.FadeIn = true;
    settings_.FadeInSec = 1;
    AddSound(1, 0.8, 3.0);
    play_->ProcessSoundButton(1);
    EXPECT_TRUE(state_.lFadingIn);
    EXPECT_EQ(state_.FadeInMs, 1000);
    EXPECT_EQ(window_.DisplayInterval, 250);
    const float half = LevelAfter(kRate / 2);
    EXPECT_NEAR(half, 0.4f, 0.4f * 0.05f);
    Render(kRate / 2 + 100);
    EXPECT_TRUE(play_->IsFadeInOver());
    EXPECT_FALSE(state_.lFadingIn);
    EXPECT_EQ(window_.DisplayInterval, 1000);
    EXPECT_NEAR(LevelAfter(100), 0.8f, 0.01f);
}

TEST_F(Fades, StopWithFadeOutFadesThenStops)
{
    settings_.FadeOut = true;
    settings_.FadeOutSaved = true;
    settings_.FadeOutSec = 1;
    AddSound(1, 0.8, 5.0);
    play_->ProcessSoundButton(1);
    Render(100);
    play_->StopPlayButtonClick();
    ASSERT_GE(pumped_.size() / 2, static_cast<std::size_t>(kRate));
    EXPECT_NEAR(PumpedAt(kRate / 2), 0.4f, 0.4f * 0.05f);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_FALSE(state_.lFadingOut);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" -   Stop Process - StopButton Fade Out\r\n")));
    // Bounded: the wait ended with the fade, not at its margin.
    EXPECT_LT(pump_.Count, 1000 / 10 + 10);
    // Every turn of the wait slept a poll interval (no spinning), open to clicks and keys.
    EXPECT_GE(pump_.Waits, 1000 / 10 - 5);
    EXPECT_EQ(pump_.LastWaitMs, Playback::PollMs);
    EXPECT_TRUE(pump_.LastWaitTookInput);
}

TEST_F(Fades, FadeOutLongerThanTheRestOfTheSoundTakesTheRest)
{
    settings_.FadeOutSec = 4;
    state_.RemainingSeconds = 2;
    EXPECT_TRUE(play_->FadeOutExecute());
    EXPECT_EQ(state_.FadeOutMs, 2000);
    state_.RemainingSeconds = -3;
    play_->FadeOutExecute();
    EXPECT_EQ(state_.FadeOutMs, 0);
}

TEST_F(Fades, SecondStopDuringTheFadeCutsItAtOnce)
{
    settings_.FadeOut = true;
    settings_.FadeOutSaved = true;
    settings_.FadeOutSec = 2;
    AddSound(1, 0.8, 5.0);
    play_->ProcessSoundButton(1);
    onPump_ = [this](int n) {
        if (n == 20) {
            play_->StopPlayButtonClick();
        }
    };
    play_->StopPlayButtonClick();
    EXPECT_LT(pump_.Count, 30);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}

TEST_F(Fades, CrossFadeOverlapsOldAndNewAndEndsWithOnlyTheNew)
{
    settings_.CrossFade = true;
    settings_.CrossFadeSec = 1;
    AddSound(1, 0.4, 5.0);
    AddSound(2, 0.2, 5.0);
    play_->ProcessSoundButton(1);
    EXPECT_FALSE(state_.lCrossFadingIn); // nothing to cross from
    Render(100);
    play_->ProcessSoundButton(2);
    EXPECT_TRUE(state_.lCrossFadingOut);
    EXPECT_TRUE(state_.lCrossFadingIn);
    EXPECT_EQ(state_.ChannelButton[1], 2);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    // Half-way: half of each.
    EXPECT_NEAR(LevelAfter(kRate / 2), 0.3f, 0.3f * 0.05f);
    Render(kRate / 2 + 100);
    EXPECT_TRUE(play_->IsCrossFadeInOver());
    EXPECT_FALSE(state_.lCrossFadingOut);
    EXPECT_NEAR(LevelAfter(100), 0.2f, 0.01f);
}

TEST_F(Fades, CrossFadeSlidesOutEveryOccupiedSlot)
{
    settings_.MultiPlay = true;
    AddSound(1, 0.2, 5.0);
    AddSound(2, 0.2, 5.0);
    AddSound(3, 0.1, 5.0);
    play_->ProcessSoundButton(1);
    play_->ProcessSoundButton(2);
    settings_.MultiPlay = false;
    settings_.CrossFade = true;
    settings_.CrossFadeSec = 0.5;
    play_->ProcessSoundButton(3);
    Render(kRate);
    play_->IsCrossFadeInOver();
    EXPECT_NEAR(LevelAfter(100), 0.1f, 0.005f);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlayed);
    EXPECT_TRUE(state_.CrossFadeOutOthers.empty());
}

TEST_F(Fades, FadeInUnderVoiceOverRisesOnlyToTheDuckedLevel)
{
    settings_.VoiceOverVolume = 20;
    settings_.VoiceOverMs = 100;
    play_->VoiceOver();
    EXPECT_TRUE(state_.lVoiceOver);
    settings_.FadeIn = true;
    settings_.FadeInSec = 0.5;
    AddSound(1, 1.0, 3.0);
    play_->ProcessSoundButton(1);
    Render(kRate);
    EXPECT_NEAR(LevelAfter(100), 0.2f, 0.01f);
    // Talk off: back to the sound's own volume.
    play_->VoiceOver();
    Render(kRate / 5);
    EXPECT_NEAR(LevelAfter(100), 1.0f, 0.01f);
}

TEST_F(Fades, VoiceOverDucksEveryPlayingSlotAndRestoresIt)
{
    settings_.MultiPlay = true;
    settings_.VoiceOverVolume = 10;
    settings_.VoiceOverMs = 200;
    AddSound(1, 0.5, 5.0);
    AddSound(2, 0.3, 5.0);
    board_.ButtonVolume[1][1][2] = QStringLiteral("50");
    play_->ProcessSoundButton(1);
    play_->ProcessSoundButton(2);
    play_->VoiceOver();
    EXPECT_EQ(window_.Modes[ModeButton::VoiceOver], settings_.ActiveButtonColor);
    Render(kRate / 4);
    EXPECT_NEAR(LevelAfter(100), 0.08f, 0.005f);
    play_->VoiceOver();
    Render(kRate / 4);
    EXPECT_NEAR(LevelAfter(100), 0.65f, 0.01f);
    EXPECT_EQ(state_.ChannelVolume[2], 50);
}

TEST_F(Fades, DuckingDuringAFadeInRestoresTheTargetNotThePartialLevel)
{
    settings_.FadeIn = true;
    settings_.FadeInSec = 2;
    settings_.VoiceOverMs = 100;
    AddSound(1, 1.0, 5.0);
    play_->ProcessSoundButton(1);
    Render(kRate / 2);
    play_->VoiceOver();
    Render(kRate / 4);
    play_->VoiceOver();
    Render(kRate / 4);
    EXPECT_NEAR(LevelAfter(100), 1.0f, 0.01f);
}
