#include "ProgressionFixture.h"

#include <optional>

using namespace PlaybackTest;

class ProgressionAutoFade : public ProgressionFixture
{
protected:
    void SetUp() override
    {
        ProgressionFixture::SetUp();
        UsePlayListPage();
        settings_.AutoFade = true;
        // Timer ticks keep arriving while the tick waits for its fade.
        onPump_ = [this](int) { progression_->ProgressionTimerAdvance(); };
    }

    void UseFadeOut()
    {
        settings_.FadeOut = true;
        settings_.FadeOutSaved = true;
        settings_.FadeOutSec = 4;
        settings_.FadeOutStartSec = 5;
    }
};

TEST_F(ProgressionAutoFade, DutyTickAfterTheDisplayTickStartsTheFadeAndTheNextSound)
{
    UseFadeOut();
    AddSound(1, 0.5, 12.0);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    Render(kRate * 7);
    clock_.Advance(7000);
    display_->DisplayTimerAdvance();
    ASSERT_EQ(state_.RemainingSeconds, 5);
    // The check the window runs right after each display tick, between two drawn ticks.
    progression_->ProgressionDutyAdvance();
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - Auto Fade Out 5\r\n")));
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(state_.ChannelButton[1], 2);
}

TEST_F(ProgressionAutoFade, FadeOutStartsWhenFiveSecondsRemainAndTheNextSoundFollows)
{
    UseFadeOut();
    AddSound(1, 0.5, 12.0);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    int fadeStartMs = -1;
    int remainingAtStart = -1;
    std::size_t fadeFirstSample = 0;
    onPump_ = [&](int) {
        if (fadeStartMs < 0 && state_.lFadingOut) {
            fadeStartMs = elapsedMs_;
            remainingAtStart = state_.RemainingSeconds;
            fadeFirstSample = pumped_.size() - 2 * kPumpFrames;
        }
        progression_->ProgressionTimerAdvance();
    };
    RunTimers(12000, [&] { return state_.ChannelButton[1] == 2; });
    // The display tick at 7 s leaves 5 s; the next progression tick starts the fade.
    EXPECT_EQ(fadeStartMs, 7010);
    EXPECT_EQ(remainingAtStart, 5);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - Auto Fade Out 5\r\n")));
    EXPECT_EQ(state_.FadeOutMs, 4000);
    ASSERT_GT(pumped_.size(), fadeFirstSample + 2 * 2 * kRate);
    // Half-way through the fade, half the level.
    EXPECT_NEAR(pumped_[fadeFirstSample + 2 * 2 * kRate], 0.25f, 0.25f * 0.05f);
    EXPECT_EQ(state_.ChannelButton[1], 2);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlaying);
    EXPECT_EQ(window_.CueEnds.back(), (std::array<int, 3>{1, 1, 1}));
    EXPECT_NEAR(LevelAfter(100), 0.25f, 0.01f);
    EXPECT_TRUE(LogText().contains(QStringLiteral("Played Time = 00:07 - ")));
}

TEST_F(ProgressionAutoFade, SoundEndingDuringTheFadeWaitStartsTheNextSoundOnce)
{
    UseFadeOut();
    // Rounded to 3 s, so the fade takes 3 s, but the sound ends at 2.6 s inside the wait.
    AddSound(1, 0.5, 2.6);
    AddSound(2, 0.25, 10.0);
    AddSound(3, 0.125, 3.0);
    play_->ProcessSoundButton(1);
    const auto startsBefore = state_.StartCount;
    TickAfter(10);
    EXPECT_GE(pump_.Count, 250);
    EXPECT_EQ(state_.StartCount, startsBefore + 1);
    EXPECT_EQ(state_.ChannelButton[1], 2);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(board_.ButtonState[1][1][3], bstUnplayed);
    RunTimers(200);
    EXPECT_EQ(state_.StartCount, startsBefore + 1);
    EXPECT_NEAR(LevelAfter(100), 0.25f, 0.01f);
}

TEST_F(ProgressionAutoFade, ClickDuringTheFadeWaitKeepsTheClickedSound)
{
    UseFadeOut();
    AddSound(1, 0.5, 4.0);
    AddSound(2, 0.25, 3.0);
    AddSound(3, 0.125, 3.0);
    play_->ProcessSoundButton(1);
    onPump_ = [this](int n) {
        if (n == 100) {
            play_->ProcessSoundButton(3);
        }
        progression_->ProgressionTimerAdvance();
    };
    TickAfter(10);
    onPump_ = nullptr;
    EXPECT_EQ(state_.ChannelButton[1], 3);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_NEAR(LevelAfter(100), 0.125f, 0.01f);
}

TEST_F(ProgressionAutoFade, StopDuringTheFadeWaitEndsTheList)
{
    UseFadeOut();
    AddSound(1, 0.5, 4.0);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    onPump_ = [this](int n) {
        if (n == 100) {
            play_->StopPlayButtonClick();
        }
    };
    TickAfter(10);
    onPump_ = nullptr;
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}

TEST_F(ProgressionAutoFade, CrossFadeStartsTheNextSoundWhenFiveSecondsRemain)
{
    settings_.CrossFade = true;
    settings_.CrossFadeSec = 4;
    settings_.CrossFadeStartSec = 5;
    AddSound(1, 0.4, 12.0);
    AddSound(2, 0.2, 10.0);
    play_->ProcessSoundButton(1);
    RunTimers(12000, [&] { return state_.ChannelButton[1] == 2; });
    EXPECT_EQ(elapsedMs_, 7010);
    EXPECT_TRUE(state_.lCrossFadingOut);
    EXPECT_TRUE(state_.lCrossFadingIn);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_TRUE(LogText().contains(QStringLiteral("Played Time = 00:07 - ")));
    // Half-way the two sounds are heard at half their levels each.
    RunTimers(2000);
    EXPECT_NEAR(LevelAfter(10), 0.3f, 0.3f * 0.05f);
    RunTimers(2500);
    EXPECT_FALSE(state_.lCrossFadingOut);
    EXPECT_NEAR(LevelAfter(100), 0.2f, 0.01f);
    EXPECT_TRUE(state_.Playing);
}

TEST_F(ProgressionAutoFade, CrossFadeWithoutANextSoundStartsOnlyOnce)
{
    settings_.CrossFade = true;
    settings_.CrossFadeSec = 1;
    settings_.CrossFadeStartSec = 5;
    board_.PagePlay[1][1] = QStringLiteral("F");
    AddSound(1, 0.4, 3.0);
    play_->ProcessSoundButton(1);
    TickAfter(10);
    EXPECT_TRUE(state_.lCrossFadingOut);
    RunTimers(3000, [&] { return !state_.Playing; });
    EXPECT_FALSE(state_.Playing);
    // The faded-out sound is not faded (and its log entry closed) again before it ends.
    EXPECT_EQ(TraceText().count(QStringLiteral("CrossFadeOutExecute - Channel ")), 1);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}

TEST_F(ProgressionAutoFade, PauseIsOffWhileTheAutomaticFadeOutRuns)
{
    UseFadeOut();
    AddSound(1, 0.5, 6.0);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    ASSERT_TRUE(window_.PauseEnabled);
    std::optional<bool> pauseDuringFade;
    onPump_ = [&](int) {
        if (!pauseDuringFade && state_.lFadingOut) {
            pauseDuringFade = window_.PauseEnabled;
        }
        progression_->ProgressionTimerAdvance();
    };
    RunTimers(8000, [&] { return state_.ChannelButton[1] == 2; });
    ASSERT_TRUE(pauseDuringFade.has_value());
    EXPECT_FALSE(*pauseDuringFade);
    // The next sound brings it back.
    EXPECT_EQ(state_.ChannelButton[1], 2);
    EXPECT_TRUE(window_.PauseEnabled);
}

TEST_F(ProgressionAutoFade, OnARapidFirePageTheAutomaticFadeOutStartsNothing)
{
    board_.RapidFire[1][1] = QStringLiteral("T");
    UseFadeOut();
    AddSound(1, 0.5, 6.0);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    RunTimers(8000, [&] { return !state_.Playing; });
    RunTimers(500);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - Auto Fade Out ")));
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}

TEST_F(ProgressionAutoFade, OnARapidFirePageTheCrossFadeFadesOutAndStartsNothing)
{
    board_.RapidFire[1][1] = QStringLiteral("T");
    settings_.CrossFade = true;
    settings_.CrossFadeSec = 2;
    settings_.CrossFadeStartSec = 3;
    AddSound(1, 0.4, 6.0);
    AddSound(2, 0.2, 10.0);
    play_->ProcessSoundButton(1);
    RunTimers(8000, [&] { return !state_.Playing; });
    RunTimers(500);
    EXPECT_EQ(TraceText().count(QStringLiteral("CrossFadeOutExecute - Channel ")), 1);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}
