#include "PlayListFixture.h"

#include <map>

using namespace PlaybackTest;

class NextShuffle : public PlayListFixture
{
protected:
    void MakeShufflePage(int count)
    {
        board_.PageShuffle[1][1] = QStringLiteral("T");
        for (int b = 1; b <= count; ++b) {
            AddSoundOn(1, 1, b, 0.5);
        }
    }
};

TEST_F(NextShuffle, ShuffleDrawsOnceOverExactlyTheButtonsThatMayPlay)
{
    MakeShufflePage(5);
    board_.ButtonState[1][1][2] = bstPlayed;
    board_.ButtonState[1][1][4] = bstLocked;
    random_.Queued = {2};

    ASSERT_TRUE(play_->PlayList());
    // Candidates 1, 3 and 5: the third of them plays, from one draw over three.
    EXPECT_EQ(random_.Bounds, std::vector<int>{3});
    EXPECT_EQ(Playing(), 5);
    EXPECT_EQ(board_.ButtonState[1][1][5], bstPlaying);
}

TEST_F(NextShuffle, SeededShuffleVisitsEveryButtonOnceThenEnds)
{
    MakeShufflePage(6);
    std::map<int, int> seen;
    bool started = play_->PlayList();
    while (started) {
        ++seen[selection_.PlayingButton];
        started = EndSoundAndContinue();
    }
    EXPECT_EQ(seen.size(), 6u);
    for (const auto& [button, times] : seen) {
        EXPECT_EQ(times, 1) << "button " << button;
    }
    // Each draw was over the buttons still unplayed: 6, 5, ..., 1.
    EXPECT_EQ(random_.Bounds, (std::vector<int>{6, 5, 4, 3, 2, 1}));
    EXPECT_FALSE(state_.Playing);
}

TEST_F(NextShuffle, ShufflePageWithOnlyCaptionlessButtonsEndsTheList)
{
    MakeShufflePage(3);
    for (int b = 1; b <= 3; ++b) {
        board_.ButtonCaption[1][1][b] = QStringLiteral(" ");
    }
    state_.LoopMode = true;
    EXPECT_FALSE(play_->PlayList());
    EXPECT_TRUE(random_.Bounds.empty());
    EXPECT_TRUE(TraceText().contains(QStringLiteral("Leaving Play List")));
}

TEST_F(NextShuffle, NextOnAnAllPlayedShufflePageEndsTheListWithoutLoop)
{
    MakeShufflePage(4);
    for (int b = 1; b <= 4; ++b) {
        board_.ButtonState[1][1][b] = bstPlayed;
    }
    play_->ShufflePlayButtonClick();
    EXPECT_FALSE(state_.Playing);
    EXPECT_FALSE(state_.PlayListRunning);
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(QStringLiteral(" - All regular shuffle songs played\r\n")));
    EXPECT_TRUE(trace.contains(QStringLiteral(" -   Leaving Next Regular Shuffle Play\r\n")));
}

TEST_F(NextShuffle, NextOnAnAllPlayedShufflePageInLoopModeRearmsAndPlaysOne)
{
    MakeShufflePage(4);
    for (int b = 1; b <= 4; ++b) {
        board_.ButtonState[1][1][b] = bstPlayed;
        window_.Panels[static_cast<std::size_t>(b)] = clRed;
    }
    state_.LoopMode = true;
    random_.Queued = {1};
    play_->ShufflePlayButtonClick();
    EXPECT_EQ(Playing(), 2);
    EXPECT_TRUE(state_.PlayListRunning);
    EXPECT_FALSE(state_.NextPressed);
    for (int b : {1, 3, 4}) {
        EXPECT_EQ(board_.ButtonState[1][1][b], bstUnplayed);
        EXPECT_EQ(window_.Panels[static_cast<std::size_t>(b)], clBtnFace);
    }
}

TEST_F(NextShuffle, NextTurnsAMissingFileRedWithItsPathAndDrawsAgain)
{
    MakeShufflePage(2);
    const QString gone = dir_.filePath(QStringLiteral("gone.wav"));
    board_.ButtonFile[1][1][1] = gone;
    random_.Queued = {0, 0};
    play_->ShufflePlayButtonClick();
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(window_.Panels[1], clRed);
    ASSERT_FALSE(dialogs_.Calls().empty());
    EXPECT_EQ(dialogs_.Calls().front().text, QStringLiteral("Sound File Not Found\r") + gone);
    EXPECT_EQ(Playing(), 2);
    EXPECT_EQ(random_.Bounds, (std::vector<int>{2, 1}));
}

TEST_F(NextShuffle, ShuffleAllDrawsOverTheButtonsOfEveryPlayListPageOfTheGroup)
{
    board_.PageShuffle[1][1] = QStringLiteral("T");
    state_.ShuffleAll = true;
    settings_.Shuffle = true;
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 2, 1); // page 2 is not a play-list page
    board_.PagePlay[1][3] = QStringLiteral("T");
    AddSoundOn(1, 3, 5);
    AddSoundOn(1, 3, 6);
    board_.ButtonState[1][3][6] = bstPlayed;
    random_.Queued = {1};

    play_->ShufflePlayButtonClick();
    EXPECT_EQ(random_.Bounds, std::vector<int>{2});
    EXPECT_EQ(selection_.PlayingPage, 3);
    EXPECT_EQ(Playing(), 5);
    EXPECT_EQ(board_.ButtonState[1][3][5], bstPlaying);
    EXPECT_TRUE(TraceText().contains(QStringLiteral(" -   Next Shuffle All Play\r\n")));
}

TEST_F(NextShuffle, ShuffleAllWithNothingUnplayedEndsTheList)
{
    board_.PageShuffle[1][1] = QStringLiteral("T");
    state_.ShuffleAll = true;
    settings_.Shuffle = true;
    AddSoundOn(1, 1, 1);
    board_.ButtonState[1][1][1] = bstPlayed;
    EXPECT_FALSE(play_->SongAvailableAll());
    play_->ShufflePlayButtonClick();
    EXPECT_FALSE(state_.Playing);
    EXPECT_TRUE(TraceText().contains(QStringLiteral("Leaving Play List")));
}

TEST_F(NextShuffle, NextOnAPlainPageStopsTheSoundAndPlaysTheFollowingButtonWithAFadeIn)
{
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 1, 2);
    settings_.FadeIn = true;
    settings_.AutoFade = false;
    ASSERT_TRUE(play_->PlayList());
    EXPECT_FALSE(state_.lFadingIn);

    play_->ShufflePlayButtonClick();
    EXPECT_EQ(Playing(), 2);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_TRUE(state_.lFadingIn);
    EXPECT_FALSE(state_.NextPressed);
    EXPECT_EQ(OccupiedSlots(), 1);
}

TEST_F(NextShuffle, AvailabilityTestsCountOnlyUnplayedButtonsWithAFile)
{
    AddSoundOn(1, 1, 1);
    selection_.PlayingGroup = 1;
    selection_.PlayingPage = 1;
    board_.ButtonState[1][1][1] = bstHighlighted;
    EXPECT_TRUE(play_->SongAvailable());
    EXPECT_FALSE(play_->SongAvailableAll());
    board_.ButtonState[1][1][1] = bstUnplayed;
    EXPECT_TRUE(play_->SongAvailableAll());
    board_.ButtonFile[1][1][1] = QStringLiteral(" ");
    EXPECT_FALSE(play_->SongAvailable());
}

TEST_F(NextShuffle, ShuffleAllLeftOverFromAShufflePageDoesNotDrawOnAPlainPage)
{
    state_.ShuffleAll = true;
    settings_.Shuffle = false;
    AddSoundOn(1, 1, 1);
    AddSoundOn(1, 1, 2);
    ASSERT_TRUE(play_->PlayList());
    EXPECT_EQ(Playing(), 1);
    EXPECT_TRUE(random_.Bounds.empty());
}

TEST_F(NextShuffle, NextUnderTalkStartsTheNewSoundDuckedAndTalkOffBringsItBack)
{
    // A shuffle page: Next draws the following sound itself.
    board_.PageShuffle[1][1] = QStringLiteral("T");
    AddSoundOn(1, 1, 1, 5.0);
    AddSoundOn(1, 1, 2, 5.0);
    settings_.FadeIn = false;
    settings_.VoiceOverVolume = 10;
    settings_.VoiceOverMs = 100;
    ASSERT_TRUE(play_->PlayList());
    const int first = Playing();
    const float full = LevelAfter(kRate / 10);
    ASSERT_GT(full, 0.1f);
    play_->VoiceOver();
    ASSERT_TRUE(state_.lVoiceOver);
    const float ducked = LevelAfter(kRate / 4);
    ASSERT_LT(ducked, full / 2);

    play_->ShufflePlayButtonClick();
    ASSERT_EQ(Playing(), 3 - first);
    // The new sound joins the talk at the ducked level...
    EXPECT_NEAR(LevelAfter(kRate / 10), ducked, 0.01f);
    // ...and comes back to its own level when the talk ends.
    play_->VoiceOver();
    EXPECT_NEAR(LevelAfter(kRate / 4), full, 0.01f);
}
