#include "PlaybackFixture.h"

using namespace PlaybackTest;

class Reentrancy : public PlaybackFixture {};

TEST_F(Reentrancy, ClickDuringAStopFadeWinsAndTheOlderClickGivesWay)
{
    settings_.FadeOut = true;
    settings_.FadeOutSaved = true;
    settings_.FadeOutSec = 1;
    AddSound(1, 0.1, 5.0);
    AddSound(2, 0.2, 5.0);
    AddSound(3, 0.3, 5.0);
    play_->ProcessSoundButton(1);
    onPump_ = [this](int n) {
        if (n == 30) {
            play_->ProcessSoundButton(3);
        }
    };
    play_->ProcessSoundButton(2); // fades sound 1 out and waits; sound 3 is clicked meanwhile
    onPump_ = nullptr;
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(state_.ChannelButton[1], 3);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(board_.ButtonState[1][1][3], bstPlaying);
    EXPECT_EQ(selection_.PlayingButton, 3);
    EXPECT_TRUE(window_.StopEnabled);
    Render(kRate * 2);
    // Only sound 3 is heard, at its own level: nothing plays outside the table.
    EXPECT_NEAR(LevelAfter(100), 0.3f, 0.01f);
}

TEST_F(Reentrancy, ClickInsideTheStopsFirstPumpIsNotKilledByThatStop)
{
    AddSound(1, 0.1, 5.0);
    AddSound(2, 0.2, 5.0);
    play_->ProcessSoundButton(1);
    bool clicked = false;
    onPump_ = [&](int) {
        if (!clicked) {
            clicked = true;
            play_->ProcessSoundButton(2);
        }
    };
    play_->StopPlayButtonClick();
    onPump_ = nullptr;
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(state_.ChannelButton[1], 2);
    EXPECT_TRUE(state_.Playing);
    EXPECT_TRUE(window_.StopEnabled);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlaying);
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.2f, 0.01f);
}

TEST_F(Reentrancy, ClickDuringAPauseFadeLeavesNothingPaused)
{
    settings_.PauseFadeOut = true;
    settings_.PauseFadeOutSec = 1;
    state_.RemainingSeconds = 100;
    AddSound(1, 0.1, 5.0);
    AddSound(2, 0.2, 5.0);
    play_->ProcessSoundButton(1);
    onPump_ = [this](int n) {
        if (n == 20) {
            play_->ProcessSoundButton(2);
        }
    };
    play_->PauseButtonClick();
    onPump_ = nullptr;
    EXPECT_FALSE(state_.Paused);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[1]), BassActivePlaying);
    EXPECT_EQ(window_.Modes[ModeButton::Pause], settings_.ButtonColor);
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.2f, 0.01f);
}

TEST_F(Reentrancy, FadeWaitIsBoundedWhenTheSlideNeverEnds)
{
    settings_.FadeOut = true;
    settings_.FadeOutSaved = true;
    settings_.FadeOutSec = 1;
    AddSound(1, 0.1, 5.0);
    play_->ProcessSoundButton(1);
    // A pump that delivers nothing and renders nothing: the engine clock stands, only time passes.
    pump_.OnPump = [this](int) { clock_.Advance(10); };
    play_->StopPlayButtonClick();
    EXPECT_LE(pump_.Count, (1000 + Playback::WaitMarginMs) / 10 + 2);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.Playing);
}

class ManualControlCursor : public PlaybackFixture
{
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        for (int n = 1; n <= 48; ++n) {
            window_.Captions[static_cast<std::size_t>(n)] = QStringLiteral("S%1").arg(n);
        }
    }
    int StepFrom(int from, int step)
    {
        state_.ManualControlMode = true;
        state_.ManualControlButton = from;
        play_->ManualControl(step);
        return state_.ManualControlButton;
    }
};

TEST_F(ManualControlCursor, WrapsRowsAndColumnsOfTheBoard)
{
    EXPECT_EQ(StepFrom(1, 1), 2);
    EXPECT_EQ(StepFrom(48, 1), 1);
    EXPECT_EQ(StepFrom(44, 6), 3);
    EXPECT_EQ(StepFrom(48, 6), 1);
    EXPECT_EQ(StepFrom(1, -6), 48);
    EXPECT_EQ(StepFrom(3, -6), 44);
    EXPECT_EQ(StepFrom(1, -1), 48);
    EXPECT_EQ(window_.Panels[48], clInfoBk);
}

TEST_F(ManualControlCursor, JumpsOverLockedBlackAndCaptionlessButtons)
{
    window_.Panels[2] = clYellow;
    window_.Panels[3] = clBlack;
    window_.Captions[4] = QStringLiteral("  ");
    EXPECT_EQ(StepFrom(1, 1), 5);
    // The old cursor gets its state colour back.
    EXPECT_EQ(window_.Panels[1], clBtnFace);
}

TEST_F(ManualControlCursor, EndsAfterOnePassWhenNoButtonQualifies)
{
    for (int n = 1; n <= 48; ++n) {
        window_.Panels[static_cast<std::size_t>(n)] = clYellow;
    }
    state_.ManualControlMode = false;
    EXPECT_TRUE(play_->ManualControl(1));
    EXPECT_EQ(state_.ManualControlButton, 0);
    window_.Panels[10] = clBtnFace;
    play_->ManualControl(1);
    EXPECT_EQ(state_.ManualControlButton, 10);
    window_.Panels[10] = clYellow;
    board_.ButtonState[1][1][10] = bstLocked;
    EXPECT_TRUE(play_->ManualControl(6));
    EXPECT_EQ(state_.ManualControlButton, 10);
}
