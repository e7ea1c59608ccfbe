#include "PlaybackFixture.h"

#include <QFile>

using namespace PlaybackTest;

class PlayPaths : public PlaybackFixture {};

TEST_F(PlayPaths, ClickPlaysTheSoundInSlotOneAndMarksItPlaying)
{
    const QString path = AddSound(3, 0.5);
    play_->ProcessSoundButton(3);

    EXPECT_EQ(board_.ButtonState[1][1][3], bstPlaying);
    EXPECT_EQ(window_.Panels[3], clLime);
    EXPECT_EQ(window_.SoundButtons[3], clInfoBk);
    EXPECT_NE(state_.ChannelArray[1], 0u);
    EXPECT_EQ(state_.ChannelButton[1], 3);
    EXPECT_EQ(state_.ChannelVolume[1], 100);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(selection_.PlayingButton, 3);
    EXPECT_EQ(window_.NowPlaying, QStringLiteral("[A/Warm Up] - ") + path);
    EXPECT_TRUE(window_.StopEnabled);
    EXPECT_EQ(board_.ButtonTime[1][1][3], QStringLiteral("00:03"));
    EXPECT_NEAR(LevelAfter(kRate / 10), 0.5f, 0.01f);
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(QStringLiteral(" - Sound Button Playing ") + path));
    EXPECT_TRUE(trace.contains(QStringLiteral(" - TableChannelPosition = 1\r\n")));
    EXPECT_TRUE(trace.contains(QStringLiteral(" - InitEqualizerChannel1\r\n")));

    play_->StopPlayButtonClick();
    EXPECT_EQ(board_.ButtonState[1][1][3], bstPlayed);
    EXPECT_EQ(window_.Panels[3], clRed);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(window_.StopEnabled);
    EXPECT_TRUE(LogText().contains(QStringLiteral("Played Time = ")));
    EXPECT_TRUE(LogText().contains(path));
    EXPECT_EQ(LevelAfter(kRate / 100), 0.0f);
}

TEST_F(PlayPaths, HighlightedButtonPlaysAsThirteenAndEndsAsTwelve)
{
    AddSound(5, 0.5, 0.2);
    board_.ButtonState[1][1][5] = bstHighlighted;
    play_->ProcessSoundButton(5);
    EXPECT_EQ(board_.ButtonState[1][1][5], bstHighlightedPlaying);
    Render(kRate / 2);
    play_->StopChannel();
    EXPECT_EQ(board_.ButtonState[1][1][5], bstHighlightedPlayed);
    EXPECT_EQ(window_.Panels[5], clRed);
    EXPECT_EQ(OccupiedSlots(), 0);
    ASSERT_EQ(window_.CueEnds.size(), 1u);
    EXPECT_EQ(window_.CueEnds[0][2], 5);
}

TEST_F(PlayPaths, MissingFileShowsSoundFileNotFoundAndStateEight)
{
    AssignFile(7, dir_.filePath(QStringLiteral("gone.wav")));
    selection_.PlayingButton = 4;
    play_->ProcessSoundButton(7);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("Sound File Not Found"));
    EXPECT_EQ(dialogs_.Calls()[0].type, mtWarning);
    EXPECT_EQ(board_.ButtonState[1][1][7], bstFileMissing);
    EXPECT_EQ(window_.Panels[7], clFuchsia);
    EXPECT_EQ(selection_.PlayingButton, 0);
    EXPECT_FALSE(state_.Playing);
}

TEST_F(PlayPaths, OtherFileTypeIsRefusedWithTheTypeMessageAndNothingLogged)
{
    const QString path = dir_.filePath(QStringLiteral("song.aiff"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not audio");
    file.close();
    AssignFile(2, path);
    play_->ProcessSoundButton(2);
    ASSERT_EQ(dialogs_.Texts().size(), 1);
    EXPECT_EQ(dialogs_.Texts()[0], QStringLiteral("ProcessSoundButton\rError - Rallybox does not play files of type IFF"));
    EXPECT_TRUE(TraceText().contains(QStringLiteral("ProcessSoundButton - Error - Rallybox does not play files of type IFF")));
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(window_.NowPlayingVisible);
    EXPECT_FALSE(LogText().contains(path));
}

TEST_F(PlayPaths, UndecodableFileFreesWhatWasOpenedAndLogsNothing)
{
    const QString path = dir_.filePath(QStringLiteral("broken.wav"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4000, 'x'));
    file.close();
    AssignFile(2, path);
    play_->ProcessSoundButton(2);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(state_.LengthStream, 0u);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(window_.StopEnabled);
    EXPECT_FALSE(LogText().contains(path));
    ASSERT_FALSE(dialogs_.Texts().isEmpty());
    EXPECT_TRUE(dialogs_.Texts()[0].contains(QStringLiteral("ProcessSoundButton - StreamCreateFile")));

    // The hot-key path gives the button back its state too.
    board_.ButtonState[1][1][2] = bstHighlighted;
    state_.HotKeyGroup = 1;
    state_.HotKeyPage = 1;
    state_.HotKeyButton = 2;
    play_->HotKeyPlaySound();
    EXPECT_EQ(board_.ButtonState[1][1][2], bstHighlighted);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_FALSE(state_.lHKPlaying);
    EXPECT_FALSE(LogText().contains(path));
}

TEST_F(PlayPaths, CustomStartAndEndAreHalvedInMono)
{
    UseMonoOutput();
    AddSound(1, 0.5, 3.0);
    board_.ButtonCustomCue[1][1][1] = QStringLiteral("Y");
    board_.ButtonCueStart[1][1][1] = 40001;
    board_.ButtonCueEnd[1][1][1] = 100000;
    play_->ProcessSoundButton(1);
    EXPECT_EQ(state_.PlayPosition, 20000);
    EXPECT_EQ(state_.PlayLength, 30000);
    EXPECT_EQ(state_.ChannelCueEnd[1], 100000);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - Mono Mode\r\n")));
}

TEST_F(PlayPaths, LoopFlagFollowsLoopModeButNeverInPlayListMode)
{
    AddSound(1);
    AddSound(2);
    board_.ButtonLoop[1][1][1] = QStringLiteral("L");
    play_->ProcessSoundButton(1);
    BassChannelInfo info;
    ASSERT_TRUE(BASS_ChannelGetInfo(state_.ChannelArray[1], info));
    EXPECT_NE(info.flags & BASS_SAMPLE_LOOP, 0u);

    state_.PlayListMode = true;
    play_->ProcessSoundButton(1);
    ASSERT_TRUE(BASS_ChannelGetInfo(state_.ChannelArray[1], info));
    EXPECT_EQ(info.flags & BASS_SAMPLE_LOOP, 0u);
    EXPECT_TRUE(state_.PlayListRunning);
}

TEST_F(PlayPaths, ButtonVolumeWinsOverTheDefault)
{
    AddSound(1, 0.8);
    board_.ButtonVolume[1][1][1] = QStringLiteral("40");
    play_->ProcessSoundButton(1);
    EXPECT_EQ(state_.CurrentVolume, 40);
    EXPECT_NEAR(LevelAfter(kRate / 20), 0.32f, 0.01f);
}

TEST_F(PlayPaths, SecondClickStopsWithStopAndRestartsWithPlay)
{
    AddSound(4);
    settings_.PlayStop = QStringLiteral("STOP");
    play_->ProcessSoundButton(4);
    play_->ProcessSoundButton(4);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 0);

    settings_.PlayStop = QStringLiteral("PLAY");
    play_->ProcessSoundButton(4);
    Render(kRate);
    play_->ProcessSoundButton(4);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 1);
    EXPECT_LT(BASS_ChannelGetPosition(state_.ChannelArray[1]), 4 * 4410);
}

TEST_F(PlayPaths, LockedBlackAndCaptionlessSlotsDoNothing)
{
    AddSound(1);
    window_.Panels[1] = clYellow;
    play_->ProcessSoundButton(1);
    window_.Panels[2] = clBlack;
    AddSound(2);
    play_->ProcessSoundButton(2);
    play_->ProcessSoundButton(9);
    EXPECT_EQ(OccupiedSlots(), 0);

    board_.EditMode = true;
    play_->ProcessSoundButton(1);
    EXPECT_EQ(window_.EditorOpened, 1);
    EXPECT_EQ(selection_.PopupButton, 1);
}

TEST_F(PlayPaths, InstantPlayStartsOnTheQuietSampleBeforeTheAttack)
{
    settings_.InstantPlay = true;
    std::vector<std::int16_t> samples(2 * 30000, 0);
    // Frame 20000 onwards: 60, 130, 200, 700 as left/right pairs.
    const std::int16_t ramp[] = {60, 60, 130, 130, 200, 200, 700, 700};
    for (int i = 0; i < 8; ++i) {
        samples[static_cast<std::size_t>(40000 + i)] = ramp[i];
    }
    for (std::size_t i = 40008; i < samples.size(); ++i) {
        samples[i] = 8000;
    }
    const QString path = dir_.filePath(QStringLiteral("late.wav"));
    WriteWavSamples(path, 2, samples);
    AssignFile(1, path);
    play_->ProcessSoundButton(1);
    // Sample index 40001 holds the 60 just before the steps over 125: byte 80002, frame 20000.
    EXPECT_EQ(state_.PlayPosition / 4, 20000);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - GetSilenceLength 80002\r\n")));
}

TEST_F(PlayPaths, ACueEndPastTheFilesEndPlaysToTheEnd)
{
    // The cue was set on a longer file that this one replaced: the play length is what the file
    // holds after the cue start, not the old end.
    AddSound(1, 0.5, 3.0);
    board_.ButtonCustomCue[1][1][1] = QStringLiteral("Y");
    board_.ButtonCueStart[1][1][1] = 40000;
    board_.ButtonCueEnd[1][1][1] = 10000000;
    play_->ProcessSoundButton(1);
    EXPECT_EQ(state_.PlayLength, 3 * kRate * 4 - 40000);
    EXPECT_EQ(board_.ButtonTime[1][1][1], QStringLiteral("00:03"));
}
