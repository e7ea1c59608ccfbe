#include "PlaybackFixture.h"

using namespace PlaybackTest;

class ChannelTable : public PlaybackFixture
{
protected:
    // Enters fake handles 101.. for buttons in the given slots, as TableChannel leaves them.
    void Fill(std::initializer_list<int> slotNumbers)
    {
        for (int n : slotNumbers) {
            state_.ChannelArray[n] = static_cast<BassHandle>(100 + n);
            state_.ChannelButton[n] = 10 + n;
            state_.ChannelGroup[n] = 1;
            state_.ChannelPage[n] = 1;
            state_.ChannelVolume[n] = 50 + n;
            state_.ChannelFX[n][11] = static_cast<BassFxHandle>(500 + n);
        }
    }
};

TEST_F(ChannelTable, FreeingSlotTwoMovesTheSlotsAboveItDown)
{
    Fill({1, 2, 3, 4, 5});
    state_.ChannelArray[2] = 0;
    play_->ChannelStackDown(2);
    EXPECT_EQ(state_.ChannelArray[2], 103u);
    EXPECT_EQ(state_.ChannelArray[3], 104u);
    EXPECT_EQ(state_.ChannelArray[4], 105u);
    EXPECT_EQ(state_.ChannelArray[5], 0u);
    EXPECT_EQ(state_.ChannelVolume[4], 55);
    EXPECT_EQ(state_.ChannelFX[4][11], 505u);
    EXPECT_EQ(state_.ChannelCueFlag[5], QStringLiteral(" "));
    EXPECT_EQ(state_.CurrentChannel, 101u);
    EXPECT_EQ(selection_.PlayingButton, 11);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - ChannelStackDown 5 to 4\r\n")));
}

TEST_F(ChannelTable, AGapBelowAnEmptySlotStays)
{
    Fill({1, 2, 4});
    state_.ChannelArray[2] = 0;
    play_->ChannelStackDown(2);
    EXPECT_EQ(state_.ChannelArray[2], 0u);
    EXPECT_EQ(state_.ChannelArray[3], 104u);
    EXPECT_EQ(state_.ChannelArray[4], 0u);
}

TEST_F(ChannelTable, FreeingSlotFiveLeavesThePlayingSelectionAlone)
{
    Fill({1, 2, 3, 4, 5});
    selection_.PlayingButton = 15;
    play_->ChannelStackDown(5);
    EXPECT_EQ(state_.ChannelArray[5], 0u);
    EXPECT_EQ(state_.ChannelArray[4], 104u);
    EXPECT_EQ(selection_.PlayingButton, 15);
}

TEST_F(ChannelTable, SixthSoundIsRefusedAndCurrentChannelNamesSlotFive)
{
    Fill({1, 2, 3, 4, 5});
    state_.CurrentChannel = 999;
    EXPECT_FALSE(play_->TableChannel(1, 1, 20));
    EXPECT_EQ(state_.TableChannelPosition, 6);
    EXPECT_EQ(state_.CurrentChannel, 105u);
    EXPECT_FALSE(play_->RoomInTableChannel());
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - TableChannel stack is full, exiting\r\n")));
}

TEST_F(ChannelTable, CheckMultiPlayStopStopsEveryCopyOfTheButton)
{
    settings_.MultiPlay = true;
    AddSound(3);
    AddSound(4);
    // Button 3 twice in slots 1 and 2, then button 4: a walk that steps on after a stack-down
    // skips the second copy.
    for (int button : {3, 3, 4}) {
        state_.HotKeyGroup = 1;
        state_.HotKeyPage = 1;
        state_.HotKeyButton = button;
        play_->HotKeyPlaySound();
    }
    ASSERT_EQ(OccupiedSlots(), 3);
    EXPECT_TRUE(play_->CheckMultiPlayStop(3));
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_EQ(state_.ChannelButton[1], 4);
    EXPECT_EQ(board_.ButtonState[1][1][3], bstPlayed);
    EXPECT_EQ(window_.Panels[3], clRed);
    EXPECT_FALSE(play_->CheckMultiPlayStop(3)); // red now: nothing to stop
}

TEST_F(ChannelTable, MultiPlayWithAFullTableRefusesTheSixthAndLogsNothing)
{
    settings_.MultiPlay = true;
    for (int b = 1; b <= 6; ++b) {
        AddSound(b, 0.1);
    }
    for (int b = 1; b <= 5; ++b) {
        play_->ProcessSoundButton(b);
    }
    ASSERT_EQ(OccupiedSlots(), 5);
    EXPECT_NEAR(LevelAfter(kRate / 20), 0.5f, 0.01f);
    play_->ProcessSoundButton(6);
    EXPECT_EQ(OccupiedSlots(), 5);
    EXPECT_EQ(selection_.CurrentButton, 5);
    EXPECT_EQ(selection_.PlayingButton, 5);
    EXPECT_EQ(board_.ButtonState[1][1][6], bstUnplayed);
    play_->StopPlayButtonClick();
    EXPECT_FALSE(LogText().contains(QStringLiteral("sound6.wav")));
    EXPECT_EQ(OccupiedSlots(), 0);
    for (int b = 1; b <= 5; ++b) {
        EXPECT_EQ(board_.ButtonState[1][1][b], bstPlayed) << b;
    }
}

TEST_F(ChannelTable, ReverbMixAndBandGainsFollowTheEqualizerSliders)
{
    AddSound(1);
    state_.Equalizer.Reverb = 10;
    state_.EqualizerOn = true;
    state_.Equalizer.Bands[1] = 0;
    state_.Equalizer.Bands[10] = 30;
    play_->ProcessSoundButton(1);
    BassReverbParams reverb;
    ASSERT_TRUE(BASS_FXGetParameters(state_.ChannelFX[1][11], reverb));
    EXPECT_NEAR(reverb.reverbMixDb, -12.0f, 1e-4f);
    EXPECT_NEAR(reverb.reverbTimeMs, 1200.0f, 1e-3f);
    BassEqParams band;
    ASSERT_TRUE(BASS_FXGetParameters(state_.ChannelFX[1][1], band));
    EXPECT_EQ(band.gainDb, -15.0f);
    EXPECT_EQ(band.centerHz, 80.0f);
    ASSERT_TRUE(BASS_FXGetParameters(state_.ChannelFX[1][10], band));
    EXPECT_EQ(band.gainDb, 15.0f);
    EXPECT_EQ(state_.Equalizer.SampleRateMax, 57330);
    EXPECT_EQ(state_.Equalizer.SampleRateMin, 30870);
}

TEST_F(ChannelTable, SetVolumeSetsTheMasterLevelAndTheHint)
{
    settings_.Volume = 50;
    AddSound(1, 0.8);
    EXPECT_TRUE(play_->SetVolume(50));
    play_->ProcessSoundButton(1);
    EXPECT_NEAR(LevelAfter(kRate / 20), 0.4f, 0.01f);
    EXPECT_EQ(window_.VolumeHint, QStringLiteral("Volume: 50%"));
    EXPECT_EQ(state_.MasterVolume, 50);
}
