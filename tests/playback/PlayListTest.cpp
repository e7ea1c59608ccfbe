#include "PlayListFixture.h"

#include "board/VirtualKeys.h"

#include <QFile>

using namespace PlaybackTest;

class PlayListWalk : public PlayListFixture
{
};

TEST_F(PlayListWalk, SkipRedOnPlaysTheUnplayedButtonsInOrderThenEndsTheList)
{
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 1, 2);
    const QString third = AddSoundOn(1, 1, 3);
    board_.ButtonState[1][1][2] = bstPlayed;
    settings_.PlayListSkipRed = true;

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 1);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlaying);
    EXPECT_EQ(window_.Panels[1], clLime);
    EXPECT_EQ(window_.SoundButtons[1], clInfoBk);
    ASSERT_TRUE(EndSoundAndContinue());
    EXPECT_EQ(Playing(), 3);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(window_.NowPlaying, QStringLiteral("[A/Warm Up] - ") + third);

    EXPECT_FALSE(EndSoundAndContinue());
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(state_.PlayListRunning);
    EXPECT_EQ(selection_.PlayingButton, 0);
    EXPECT_FALSE(window_.NowPlayingVisible);
    EXPECT_FALSE(window_.StopEnabled);
    // The Stop menu item stays as a way to stop whatever may still sound.
    EXPECT_TRUE(window_.StopMenuItemEnabled);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" -   Leaving Play List\r\n")));
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" -   Play List Play File ") + third));
}

TEST_F(PlayListWalk, SkipRedOffReplaysThePlayedButtonInItsTurn)
{
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 1, 2);
    AddSoundOn(1, 1, 3);
    board_.ButtonState[1][1][2] = bstPlayed;
    settings_.PlayListSkipRed = false;

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 1);
    ASSERT_TRUE(EndSoundAndContinue());
    EXPECT_EQ(Playing(), 2);
    ASSERT_TRUE(EndSoundAndContinue());
    EXPECT_EQ(Playing(), 3);
}

TEST_F(PlayListWalk, LockedCaptionlessAndMissingButtonsAreSkippedAndMissingTurnsFuchsia)
{
    AddSoundOn(1, 1, 1);
    board_.ButtonState[1][1][1] = bstLocked;
    AddSoundOn(1, 1, 2);
    board_.ButtonCaption[1][1][2] = QStringLiteral("  ");
    const QString gone = dir_.filePath(QStringLiteral("gone.wav"));
    board_.ButtonFile[1][1][3] = gone;
    board_.ButtonCaption[1][1][3] = QStringLiteral("Gone");
    AddSoundOn(1, 1, 4);

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 4);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstLocked);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
    EXPECT_EQ(board_.ButtonState[1][1][3], bstFileMissing);
    EXPECT_EQ(window_.Panels[3], clFuchsia);
    EXPECT_FALSE(LogText().contains(gone));
}

TEST_F(PlayListWalk, UndecodableFileGoesBackToItsStateIsNotLoggedAndTheWalkGoesOn)
{
    const QString broken = dir_.filePath(QStringLiteral("broken.wav"));
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is not a sound file at all");
    }
    board_.ButtonFile[1][1][1] = broken;
    board_.ButtonCaption[1][1][1] = QStringLiteral("Broken");
    window_.Panels[1] = clBtnFace;
    AddSoundOn(1, 1, 2);

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 2);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstUnplayed);
    EXPECT_EQ(window_.Panels[1], clBtnFace);
    EXPECT_FALSE(LogText().contains(broken));
    EXPECT_EQ(OccupiedSlots(), 1);
}

TEST_F(PlayListWalk, PlaceMarkerHaltsTheListAndSpaceGoesOnAfterIt)
{
    settings_.StopPlayList = true;
    settings_.SpaceBarStop = true;
    AddSoundOn(1, 1, 1);
    board_.ButtonState[1][1][2] = bstPlaceMarker;
    board_.ButtonCaption[1][1][2] = QStringLiteral("Half time");
    board_.ButtonFile[1][1][2] = QStringLiteral(" ");
    AddSoundOn(1, 1, 3);

    ASSERT_TRUE(play_->PlayList());
    EXPECT_FALSE(EndSoundAndContinue());
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(selection_.PlayingButton, 2);
    EXPECT_FALSE(TraceText().contains(QStringLiteral("Leaving Play List")));

    KeyUp(VK_SPACE);
    EXPECT_EQ(Playing(), 3);
}

TEST_F(PlayListWalk, LoopModeRearmsThePlayingPageOnceAndStartsAgainFromTheTop)
{
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 1, 2);
    board_.ButtonState[1][1][1] = bstPlayed;
    board_.ButtonState[1][1][2] = bstHighlightedPlayed;
    window_.Panels[1] = clRed;
    window_.Panels[2] = clRed;
    settings_.PlayListSkipRed = true;
    state_.LoopMode = true;
    selection_.PlayingButton = 2;

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 1);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlaying);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstHighlighted);
    EXPECT_EQ(window_.Panels[2], clAqua);
}

TEST_F(PlayListWalk, LoopModeOnAPageWithNothingPlayableEndsInsteadOfWalkingForever)
{
    AddSoundOn(1, 1, 1);
    board_.ButtonState[1][1][1] = bstLocked;
    state_.LoopMode = true;

    EXPECT_FALSE(play_->PlayList());
    EXPECT_FALSE(state_.Playing);
    EXPECT_TRUE(TraceText().contains(QStringLiteral("Leaving Play List")));
}

TEST_F(PlayListWalk, LoopRearmResetsThePagePlayingNotThePageShown)
{
    board_.PagePlay[1][2] = QStringLiteral("T");
    AddSoundOn(1, 2, 1);
    board_.ButtonState[1][2][1] = bstPlayed;
    AddSoundOn(1, 1, 1);
    board_.ButtonState[1][1][1] = bstPlayed;
    window_.Panels[1] = clRed;
    settings_.PlayListSkipRed = true;
    state_.LoopMode = true;
    selection_.PlayingGroup = 1;
    selection_.PlayingPage = 2;
    selection_.PlayingButton = 1;

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(selection_.PlayingPage, 2);
    EXPECT_EQ(Playing(), 1);
    EXPECT_EQ(board_.ButtonState[1][2][1], bstPlaying);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(window_.Panels[1], clRed);
}

TEST_F(PlayListWalk, PlayListPageMovesOnToTheNextPlayListPageAndStopsAtTheLast)
{
    settings_.PlayListPage = true;
    AddSoundOn(1, 1, 48);
    AddSoundOn(1, 3, 2);
    int moves = 0;
    listWindow_.NextPlayListPage = [&] {
        if (++moves > 1) {
            return false;
        }
        selection_.CurrentPage = 3;
        selection_.PlayingPage = 3;
        return true;
    };
    selection_.PlayingButton = 47;

    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 48);
    ASSERT_TRUE(EndSoundAndContinue());
    EXPECT_EQ(selection_.PlayingPage, 3);
    EXPECT_EQ(Playing(), 2);

    EXPECT_FALSE(EndSoundAndContinue());
    EXPECT_EQ(moves, 2);
    // No further page: the list stays where it is rather than ending.
    EXPECT_FALSE(TraceText().contains(QStringLiteral("Leaving Play List")));
}

TEST_F(PlayListWalk, AButtonWithItsLoopFlagDoesNotLoopFromThePlayList)
{
    AddSoundOn(1, 1, 1, 0.2);
    board_.ButtonLoop[1][1][1] = QStringLiteral("L");
    ASSERT_TRUE(play_->PlayList());
    Render(kRate / 2);
    EXPECT_EQ(BASS_ChannelIsActive(state_.ChannelArray[1]), BassActiveStopped);
}
