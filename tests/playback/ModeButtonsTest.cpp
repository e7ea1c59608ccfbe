#include "PlayListFixture.h"

using namespace PlaybackTest;

class ModeButtonsClicks : public PlayListFixture
{
protected:
    void SetUp() override
    {
        PlayListFixture::SetUp();
        settings_.ActiveButtonColor = clInfoBk;
        settings_.ButtonColor = clBtnFace;
    }
    TColor Color(PlayModeButton b) const { return modes_.ModeColor(b); }
};

TEST_F(ModeButtonsClicks, ThreeShuffleClicksGiveShuffleShuffleAllAndOff)
{
    const int focusBefore = window_.FocusCount;
    buttons_->ShuffleButtonClick();
    EXPECT_TRUE(settings_.Shuffle);
    EXPECT_FALSE(state_.ShuffleAll);
    EXPECT_EQ(Color(PlayModeButton::Shuffle), clInfoBk);
    EXPECT_EQ(board_.PageShuffle[1][1], QStringLiteral("T"));
    EXPECT_TRUE(modes_.Enabled[PlayModeButton::Next]);
    EXPECT_TRUE(board_.BoardChanged);

    buttons_->ShuffleButtonClick();
    EXPECT_TRUE(settings_.Shuffle);
    EXPECT_TRUE(state_.ShuffleAll);
    EXPECT_EQ(modes_.Captions[PlayModeButton::Shuffle], QStringLiteral("Shuffle All"));
    EXPECT_EQ(Color(PlayModeButton::Shuffle), clInfoBk);
    EXPECT_EQ(board_.PageShuffle[1][1], QStringLiteral("T"));

    buttons_->ShuffleButtonClick();
    EXPECT_FALSE(settings_.Shuffle);
    EXPECT_FALSE(state_.ShuffleAll);
    EXPECT_EQ(modes_.Captions[PlayModeButton::Shuffle], QStringLiteral("Shuffle"));
    EXPECT_EQ(Color(PlayModeButton::Shuffle), clBtnFace);
    EXPECT_EQ(board_.PageShuffle[1][1], QStringLiteral("F"));
    EXPECT_EQ(window_.FocusCount, focusBefore + 3);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - ShuffleAll is ON\r\n")));
}

TEST_F(ModeButtonsClicks, OnTheCueTwoShuffleClicksGiveShuffleAndOff)
{
    modes_.Colors[PlayModeButton::Cue] = clInfoBk;
    buttons_->ShuffleButtonClick();
    EXPECT_TRUE(settings_.Shuffle);
    buttons_->ShuffleButtonClick();
    EXPECT_FALSE(settings_.Shuffle);
    EXPECT_FALSE(state_.ShuffleAll);
}

TEST_F(ModeButtonsClicks, PlayListOffClearsRapidFireAndShuffleOfThePage)
{
    board_.RapidFire[1][1] = QStringLiteral("T");
    board_.PageShuffle[1][1] = QStringLiteral("T");
    settings_.Shuffle = true;
    state_.ShuffleAll = true;
    buttons_->PlayListButtonClick();
    EXPECT_FALSE(state_.PlayListMode);
    EXPECT_EQ(board_.PagePlay[1][1], QStringLiteral("F"));
    EXPECT_EQ(board_.RapidFire[1][1], QStringLiteral("F"));
    EXPECT_EQ(board_.PageShuffle[1][1], QStringLiteral("F"));
    EXPECT_FALSE(settings_.Shuffle);
    EXPECT_FALSE(state_.ShuffleAll);
    EXPECT_FALSE(modes_.Enabled[PlayModeButton::Shuffle]);
    EXPECT_FALSE(modes_.Enabled[PlayModeButton::RapidFire]);
    EXPECT_EQ(Color(PlayModeButton::PlayList), clBtnFace);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" - PlayList is OFF\r\n")));
}

TEST_F(ModeButtonsClicks, PlayListOnAsksAboutRapidFireAndNoLeavesEverythingAsItWas)
{
    state_.PlayListMode = false;
    board_.PagePlay[1][1] = QStringLiteral("F");
    board_.RapidFire[1][1] = QStringLiteral("T");
    dialogs_.QueueResult(mrNo);
    buttons_->PlayListButtonClick();
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text,
              QStringLiteral("Rapid Fire is Active, this will change the behavior of Play "
                             "List Mode.  Do you wish to continue?"));
    EXPECT_EQ(dialogs_.Calls()[0].type, mtConfirmation);
    EXPECT_FALSE(state_.PlayListMode);
    EXPECT_EQ(board_.PagePlay[1][1], QStringLiteral("F"));

    AddSoundOn(1, 1, 1, 2.0);
    play_->ProcessSoundButton(1);
    state_.PlayListRunning = false;
    dialogs_.QueueResult(mrYes);
    buttons_->PlayListButtonClick();
    EXPECT_TRUE(state_.PlayListMode);
    EXPECT_TRUE(state_.PlayListRunning);
    EXPECT_EQ(board_.PagePlay[1][1], QStringLiteral("T"));
    EXPECT_EQ(Color(PlayModeButton::PlayList), clInfoBk);
    EXPECT_EQ(Color(PlayModeButton::RapidFire), clInfoBk);
    EXPECT_TRUE(modes_.Enabled[PlayModeButton::Shuffle]);
}

TEST_F(ModeButtonsClicks, RapidFireWorksOnlyInPlayListModeAndAsksBeforeTurningOn)
{
    state_.PlayListMode = false;
    buttons_->RapidFireButtonClick();
    EXPECT_EQ(board_.RapidFire[1][1], QStringLiteral("F"));
    EXPECT_TRUE(dialogs_.Calls().empty());

    state_.PlayListMode = true;
    dialogs_.QueueResult(mrNo);
    buttons_->RapidFireButtonClick();
    EXPECT_EQ(board_.RapidFire[1][1], QStringLiteral("F"));
    EXPECT_FALSE(board_.BoardChanged);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text,
              QStringLiteral("Play List Mode is Active, turning Rapid Fire on will change the "
                             "behavior of Play List Mode.  Do you wish to continue?"));

    dialogs_.QueueResult(mrYes);
    buttons_->RapidFireButtonClick();
    EXPECT_EQ(board_.RapidFire[1][1], QStringLiteral("T"));
    EXPECT_EQ(Color(PlayModeButton::RapidFire), clInfoBk);
    EXPECT_TRUE(board_.BoardChanged);
    buttons_->RapidFireButtonClick();
    EXPECT_EQ(board_.RapidFire[1][1], QStringLiteral("F"));
    EXPECT_EQ(Color(PlayModeButton::RapidFire), clBtnFace);
}

TEST_F(ModeButtonsClicks, MultiPlayOnDisablesItsPeersAndOffRestoresThemFromThePageFlags)
{
    settings_.CrossFade = true;
    settings_.AutoFade = true;
    settings_.Shuffle = true;
    settings_.FadeOut = true;
    board_.PageShuffle[1][1] = QStringLiteral("T");
    selection_.CurrentPage = 1;
    buttons_->MultiPlayButtonClick();
    EXPECT_TRUE(settings_.MultiPlay);
    EXPECT_TRUE(settings_.FadeOutSaved);
    EXPECT_FALSE(settings_.CrossFade);
    EXPECT_FALSE(settings_.AutoFade);
    EXPECT_FALSE(settings_.Shuffle);
    EXPECT_FALSE(state_.PlayListMode);
    for (auto peer : {PlayModeButton::CrossFade, PlayModeButton::AutoFade, PlayModeButton::PlayList,
                      PlayModeButton::Shuffle, PlayModeButton::Next}) {
        EXPECT_FALSE(modes_.Enabled[peer]);
    }
    EXPECT_EQ(modes_.Enabled.count(PlayModeButton::FadeIn), 0u);
    EXPECT_FALSE(modes_.SoundPlayingVisible);
    EXPECT_EQ(Color(PlayModeButton::MultiPlay), clInfoBk);

    buttons_->MultiPlayButtonClick();
    EXPECT_FALSE(settings_.MultiPlay);
    EXPECT_TRUE(state_.PlayListMode);
    EXPECT_TRUE(settings_.Shuffle);
    EXPECT_FALSE(settings_.CrossFade);
    EXPECT_EQ(Color(PlayModeButton::PlayList), clInfoBk);
    EXPECT_EQ(Color(PlayModeButton::Shuffle), clInfoBk);
    EXPECT_TRUE(modes_.Enabled[PlayModeButton::CrossFade]);
    EXPECT_TRUE(modes_.Enabled[PlayModeButton::Next]);
    EXPECT_TRUE(modes_.TimeLabelsEnabled);
    EXPECT_EQ(modes_.PagesShown, std::vector<int>{1});
}

TEST_F(ModeButtonsClicks, FadeAndCrossFadeButtonsToggleWithTheirColoursAndTraces)
{
    window_.Panels[4] = clLime;
    window_.SoundButtons[4] = clInfoBk;
    window_.SoundButtons[5] = clRed;
    buttons_->FadeOutButtonClick();
    EXPECT_TRUE(settings_.FadeOut);
    EXPECT_TRUE(settings_.FadeOutSaved);
    EXPECT_EQ(Color(PlayModeButton::FadeOut), clInfoBk);
    EXPECT_EQ(window_.SoundButtons[4], clInfoBk);
    EXPECT_EQ(window_.SoundButtons[5], clBtnFace);
    buttons_->FadeInButtonClick();
    buttons_->FadeInButtonClick();
    EXPECT_FALSE(settings_.FadeIn);
    EXPECT_EQ(Color(PlayModeButton::FadeIn), clBtnFace);
    buttons_->CrossFadeButtonClick();
    buttons_->AutoFadeButtonClick();
    EXPECT_TRUE(settings_.CrossFade);
    EXPECT_TRUE(settings_.AutoFade);
    EXPECT_EQ(Color(PlayModeButton::AutoFade), clInfoBk);
    const QString trace = TraceText();
    for (const char* text :
         {"FadeOut is ON", "FadeIn is ON", "FadeIn is OFF", "CROSS FADE is ON", "Auto Fade is On"}) {
        EXPECT_TRUE(
            trace.contains(QStringLiteral(" - ") + QString::fromLatin1(text) + QStringLiteral("\r\n")))
            << text;
    }
}

TEST_F(ModeButtonsClicks, VolumeBarSetsTheMasterVolumeAndItsHintUnlessTheProgramMovesIt)
{
    buttons_->VolumeControl1Change(80);
    EXPECT_EQ(settings_.Volume, 80);
    EXPECT_EQ(state_.MasterVolume, 80);
    EXPECT_EQ(window_.VolumeHint, QStringLiteral("Volume: 80%"));
    modes_.Changing = true;
    buttons_->VolumeControl1Change(30);
    EXPECT_EQ(settings_.Volume, 80);
}

TEST(ModeButtonsBars, VolumeTicksAreLitByZoneUpToTheBarsValue)
{
    EXPECT_EQ(ModeButtons::VolumeTickColor(70, 80), static_cast<TColor>(0x00FF00));
    EXPECT_EQ(ModeButtons::VolumeTickColor(74, 60), static_cast<TColor>(0x008000));
    EXPECT_EQ(ModeButtons::VolumeTickColor(75, 75), static_cast<TColor>(0x00FFFF));
    EXPECT_EQ(ModeButtons::VolumeTickColor(90, 80), static_cast<TColor>(0x008080));
    EXPECT_EQ(ModeButtons::VolumeTickColor(91, 100), static_cast<TColor>(0x0000FF));
    EXPECT_EQ(ModeButtons::VolumeTickColor(100, 99), static_cast<TColor>(0x000080));
    // Bar 200 wide, 20 ticks: h = 5; first row sits one pixel lower, the second TickSpace + 1 higher.
    EXPECT_EQ(ModeButtons::VolumeTickRect(50, 10, true, 200, 100, 5, 7, 5),
              QRect(QPoint(46, 11), QPoint(52, 17)));
    EXPECT_EQ(ModeButtons::VolumeTickRect(50, 10, false, 200, 100, 5, 7, 5),
              QRect(QPoint(46, 4), QPoint(52, 10)));
}

TEST(ModeButtonsBars, SeekHonoursTheCustomCueAndStaysOnWholeFrames)
{
    constexpr std::int64_t second = 44100 * 4;
    EXPECT_EQ(ModeButtons::AdvanceSeekPosition(50, 60 * second, true, 10 * second, 30 * second, 4),
              20 * second);
    EXPECT_EQ(ModeButtons::AdvanceSeekPosition(50, 1000000, false, 0, 0, 4), 500000);
    // An end at or before the start runs to the end of the channel.
    EXPECT_EQ(ModeButtons::AdvanceSeekPosition(50, 60 * second, true, 10 * second, 5 * second, 4),
              35 * second);
    EXPECT_EQ(ModeButtons::AdvanceSeekPosition(50, 60 * second, true, 10 * second, 0, 4), 35 * second);
    EXPECT_EQ(ModeButtons::AdvanceSeekPosition(33, 1001, false, 0, 0, 4) % 4, 0);
    EXPECT_EQ(ModeButtons::AdvanceSeekPosition(33, 1001, false, 0, 0, 2) % 2, 0);
    EXPECT_GE(ModeButtons::AdvanceSeekPosition(0, 100, true, -400, 0, 4), 0);
}

TEST_F(ModeButtonsClicks, ProgressBarReleaseSeeksThePlayingSoundWithinItsCustomCue)
{
    board_.PagePlay[1][1] = QStringLiteral("F");
    AddSoundOn(1, 1, 1, 4.0);
    board_.ButtonCustomCue[1][1][1] = QStringLiteral("Y");
    board_.ButtonCueStart[1][1][1] = 44100 * 4;
    board_.ButtonCueEnd[1][1][1] = 3 * 44100 * 4;
    play_->ProcessSoundButton(1);
    buttons_->AdvanceMouseDown();
    EXPECT_TRUE(state_.AdvanceBarDragging);
    buttons_->AdvanceBarChange(50);
    EXPECT_EQ(modes_.Gauge, 50);
    buttons_->AdvanceMouseUp(50);
    EXPECT_FALSE(state_.AdvanceBarDragging);
    EXPECT_EQ(state_.PlayPosition, 2 * 44100 * 4);
    EXPECT_EQ(BASS_ChannelGetPosition(state_.CurrentChannel), 2 * 44100 * 4);
}

TEST_F(ModeButtonsClicks, ActivationPlaysTheHotKeyAScoreboardLeftAndOnlyOnce)
{
    AddSoundOn(2, 3, 4);
    state_.HotKeyGroup = 2;
    state_.HotKeyPage = 3;
    state_.HotKeyButton = 4;
    buttons_->CheckSBHotKey();
    EXPECT_FALSE(state_.Playing);
    state_.HotKeyPending = true;
    buttons_->CheckSBHotKey();
    EXPECT_FALSE(state_.HotKeyPending);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(board_.ButtonState[2][3][4], bstPlaying);
}

TEST_F(ModeButtonsClicks, EqualizerAndFocusButtonsParkTheFocus)
{
    const int before = window_.FocusCount;
    buttons_->EqualizerButtonClick();
    buttons_->VolumeControlExit();
    buttons_->DummyButton1Click();
    EXPECT_EQ(modes_.EqualizerShown, 1);
    EXPECT_EQ(window_.FocusCount, before + 3);
}
