#include "PlaybackFixture.h"

using namespace PlaybackTest;

class StopPause : public PlaybackFixture {};

TEST_F(StopPause, PauseWithFadesReturnsEachSlotToItsLevel)
{
    settings_.PauseFadeOut = true;
    settings_.PauseFadeIn = true;
    settings_.PauseFadeOutSec = 0.5;
    settings_.PauseFadeInSec = 0.5;
    state_.RemainingSeconds = 100;
    AddSound(1, 0.5, 10.0);
    board_.ButtonVolume[1][1][1] = QStringLiteral("60");
    play_->ProcessSoundButton(1);
    play_->PauseButtonClick();
    EXPECT_TRUE(state_.Paused);
    EXPECT_EQ(state_.ChannelPauseVolume[1], 60);
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[1]), BassActivePaused);
    EXPECT_EQ(window_.DisplayInterval, 500);
    EXPECT_GE(pump_.Count, 45);
    EXPECT_EQ(LevelAfter(100), 0.0f);

    play_->PauseButtonClick();
    EXPECT_FALSE(state_.Paused);
    EXPECT_EQ(window_.Panels[1], clLime);
    EXPECT_NEAR(LevelAfter(100), 0.3f, 0.01f);
}

TEST_F(StopPause, PausingDuringAFadeInKeepsTheTargetVolume)
{
    settings_.FadeIn = true;
    settings_.FadeInSec = 2;
    AddSound(1, 1.0, 10.0);
    play_->ProcessSoundButton(1);
    Render(kRate / 2);
    play_->PauseButtonClick();
    EXPECT_EQ(state_.ChannelPauseVolume[1], 100);
    play_->PauseButtonClick();
    EXPECT_NEAR(LevelAfter(100), 1.0f, 0.01f);
}

TEST_F(StopPause, PauseDuringACrossFadePausesAtOnceAndHoldsBothSounds)
{
    settings_.CrossFade = true;
    settings_.CrossFadeSec = 2;
    state_.RemainingSeconds = 100;
    AddSound(1, 0.4, 10.0);
    AddSound(2, 0.2, 10.0);
    play_->ProcessSoundButton(1);
    play_->ProcessSoundButton(2);
    ASSERT_TRUE(state_.lCrossFadingOut);
    // A quarter into the fade: the old sound at three quarters of its level.
    Render(kRate / 2);
    clock_.Advance(500);
    const int pumpsBefore = pump_.Count;
    play_->PauseButtonClick();
    EXPECT_EQ(pump_.Count, pumpsBefore);
    EXPECT_TRUE(state_.Paused);
    EXPECT_EQ(BASS_ChannelIsActive(state_.CrossFadeOutChannel), BassActivePaused);
    EXPECT_EQ(LevelAfter(kRate * 3), 0.0f);
    clock_.Advance(3000);

    play_->PauseButtonClick();
    EXPECT_NEAR(LevelAfter(10), 0.3f + 0.2f, 0.01f);
    // The old sound has the rest of its fade to go, then only the new one is heard.
    EXPECT_NEAR(LevelAfter(kRate * 3 / 4), 0.15f + 0.2f, 0.01f);
    EXPECT_NEAR(LevelAfter(kRate), 0.2f, 0.01f);
}

TEST_F(StopPause, StopDuringThePauseFadeStopsEveryChannel)
{
    settings_.MultiPlay = true;
    settings_.PauseFadeOut = true;
    settings_.PauseFadeOutSec = 1;
    state_.RemainingSeconds = 100;
    AddSound(1, 0.3, 10.0);
    AddSound(2, 0.3, 10.0);
    play_->ProcessSoundButton(1);
    play_->ProcessSoundButton(2);
    onPump_ = [this](int n) {
        if (n == 10) {
            play_->StopPlayButtonClick();
        }
    };
    play_->PauseButtonClick();
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.Paused);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(window_.Modes[ModeButton::Pause], settings_.ButtonColor);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlayed);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}

TEST_F(StopPause, MultiPlayClickKeepsTheOtherSoundsAndStopEndsThemAll)
{
    settings_.MultiPlay = true;
    AddSound(1, 0.2);
    AddSound(2, 0.2);
    play_->ProcessSoundButton(1);
    play_->ProcessSoundButton(2);
    EXPECT_EQ(OccupiedSlots(), 2);
    EXPECT_TRUE(TraceText().contains(QStringLiteral("  MultiPlay on, exiting")));
    play_->Stop1Click();
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(window_.ButtonsOnCount, 2);
}

TEST_F(StopPause, HotKeySoundWithoutFadeOnHotStopsAtOnceDespiteFadeOut)
{
    settings_.FadeOut = true;
    settings_.FadeOutSaved = true;
    AddSound(8, 0.5);
    state_.HotKeyGroup = 1;
    state_.HotKeyPage = 1;
    state_.HotKeyButton = 8;
    play_->HotKeyPlaySound();
    EXPECT_EQ(window_.SoundButtons[8], clLime);
    EXPECT_TRUE(state_.lHKPlaying);
    EXPECT_TRUE(LogText().isEmpty() || !LogText().contains(QStringLiteral("Played Time")));
    play_->StopPlayButtonClick();
    EXPECT_LE(pump_.Count, 1);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.lHKPlaying);
    EXPECT_TRUE(LogText().contains(QStringLiteral("(Hot Key) ")));
}

TEST_F(StopPause, RapidFirePageKeepsThePlayingButtonAfterAStop)
{
    AddSound(6);
    board_.RapidFire[1][1] = QStringLiteral("T");
    play_->ProcessSoundButton(6);
    play_->StopPlayButtonClick();
    EXPECT_EQ(selection_.PlayingButton, 6);
    board_.RapidFire[1][1] = QStringLiteral("F");
    play_->ProcessSoundButton(6);
    play_->StopPlayButtonClick();
    EXPECT_EQ(selection_.PlayingButton, 0);
}

TEST_F(StopPause, LoopButtonTogglesTheModeAndItsColour)
{
    play_->LoopOnButtonClick();
    EXPECT_TRUE(state_.LoopMode);
    EXPECT_EQ(window_.Modes[ModeButton::Loop], settings_.ActiveButtonColor);
    play_->Loop1Click();
    EXPECT_FALSE(state_.LoopMode);
    EXPECT_EQ(window_.Modes[ModeButton::Loop], settings_.ButtonColor);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - Loop is ON\r\n")));
}
