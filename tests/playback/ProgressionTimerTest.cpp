#include "ProgressionFixture.h"

#include <QFile>

using namespace PlaybackTest;

class ProgressionTimer : public ProgressionFixture
{
protected:
    // A stereo file whose left side steps from `first` to `second` half-way; the right side holds
    // `right` throughout.
    void AddSteppedSound(int button, std::int16_t first, std::int16_t second, std::int16_t right,
                         double seconds)
    {
        const QString path = dir_.filePath(QStringLiteral("step%1.wav").arg(button));
        const int frames = static_cast<int>(seconds * kRate);
        std::vector<std::int16_t> samples;
        for (int f = 0; f < frames; ++f) {
            samples.push_back(f < frames / 2 ? first : second);
            samples.push_back(right);
        }
        WriteWavSamples(path, 2, samples);
        AssignFile(button, path);
    }

    void SetCustomCue(int button, std::int32_t start, std::int32_t end)
    {
        board_.ButtonCustomCue[1][1][button] = QStringLiteral("Y");
        board_.ButtonCueStart[1][1][button] = start;
        board_.ButtonCueEnd[1][1][button] = end;
    }

    // Ticks every 10 ms until the playing channel stops; returns the channel position each tick saw.
    std::vector<std::int64_t> PositionsUntilStopped(int maxMs)
    {
        std::vector<std::int64_t> seen;
        const BassHandle h = state_.CurrentChannel;
        for (int t = 0; t < maxMs && BASS_ChannelIsActive(h) == BassActivePlaying; t += 10) {
            Render(kRate / 100);
            clock_.Advance(10);
            seen.push_back(BASS_ChannelGetPosition(h));
            progression_->ProgressionTimerAdvance();
        }
        return seen;
    }

    void ExpectStopAtFirstTickPast(std::int64_t endBytes)
    {
        const auto seen = PositionsUntilStopped(5000);
        ASSERT_GE(seen.size(), 2u);
        EXPECT_GT(seen.back(), endBytes);
        EXPECT_LE(seen[seen.size() - 2], endBytes);
        EXPECT_EQ(state_.PlayPosition, seen.back());
        EXPECT_NE(BASS_ChannelIsActive(state_.CurrentChannel), BassActivePlaying);
        // The next tick frees the slot and ends the sound.
        TickAfter(10);
        EXPECT_EQ(OccupiedSlots(), 0);
        EXPECT_FALSE(state_.Playing);
        EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    }
};

TEST_F(ProgressionTimer, NeedleRisesAtOnceAndFallsByTheRuleStepsWithTheSignal)
{
    // 25700 reads 100 on the meter, 20600 reads 80 and 12900 reads 50.
    AddSteppedSound(1, 25700, 20600, 12900, 1.0);
    play_->ProcessSoundButton(1);
    std::vector<int> left;
    for (int t = 0; t < 900; t += 10) {
        TickAfter(10);
        left.push_back(LeftNeedle());
        ASSERT_EQ(view_->Bars[0], LeftNeedle());
        ASSERT_EQ(view_->Needles[1], t < 20 ? view_->Needles[1] : 50);
    }
    const auto top = std::find(left.begin(), left.end(), 100);
    ASSERT_NE(top, left.end());
    const auto fall = std::find_if(top, left.end(), [](int v) { return v < 100; });
    ASSERT_GE(left.end() - fall, 13);
    EXPECT_EQ(std::vector<int>(fall, fall + 13),
              (std::vector<int>{98, 96, 94, 92, 89, 88, 87, 86, 85, 84, 83, 80, 80}));
}

TEST_F(ProgressionTimer, PausedSoundsMetersFallByFiveToZero)
{
    AddSound(1, 0.5, 3.0);
    play_->ProcessSoundButton(1);
    TickAfter(100);
    ASSERT_EQ(LeftNeedle(), 64);
    play_->PauseButtonClick();
    ASSERT_TRUE(state_.Paused);
    std::vector<int> seen;
    for (int tick = 0; tick < 14; ++tick) {
        TickAfter(10);
        seen.push_back(LeftNeedle());
    }
    EXPECT_EQ(seen, (std::vector<int>{59, 54, 49, 44, 39, 34, 29, 24, 19, 14, 9, 4, 0, 0}));
    EXPECT_EQ(view_->Bars[1], 0);
    EXPECT_EQ(OccupiedSlots(), 1);
}

TEST_F(ProgressionTimer, EndedSoundFreesItsSlotMarksItPlayedAndLogsIt)
{
    AddSound(1, 0.5, 0.5);
    play_->ProcessSoundButton(1);
    int highestBar = 0;
    RunTimers(2000, [&] {
        highestBar = std::max(highestBar, window_.Bar);
        return !state_.Playing;
    });
    EXPECT_FALSE(state_.Playing);
    EXPECT_GE(highestBar, 90);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(window_.Panels[1], clRed);
    EXPECT_FALSE(window_.StopEnabled);
    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains(QStringLiteral(" - ProgressionTimerAdvance - channel not active ")));
    EXPECT_TRUE(trace.contains(QStringLiteral(" - Bass Channel is no longer active\r\n")));
    EXPECT_TRUE(trace.contains(QStringLiteral(" -   Stop Process - Sound Over\r\n")));
    EXPECT_TRUE(LogText().contains(QStringLiteral("Played Time = ")));
    // Idle ticks: the meters fall to rest.
    RunTimers(300);
    EXPECT_EQ(LeftNeedle(), 0);
    EXPECT_TRUE(dialogs_.Texts().isEmpty());
}

TEST_F(ProgressionTimer, CustomEndStopsAtTheFirstTickPastItsByteInStereo)
{
    AddSound(1, 0.5, 5.0);
    SetCustomCue(1, 0, 441000);
    play_->ProcessSoundButton(1);
    ExpectStopAtFirstTickPast(441000);
}

TEST_F(ProgressionTimer, DutyCheckBetweenDrawnTicksMeetsTheCustomEndAndDrawsNothing)
{
    AddSound(1, 0.5, 5.0);
    SetCustomCue(1, 0, 441000); // 2.5 s into the stereo stream
    play_->ProcessSoundButton(1);
    Render(kRate * 2);
    clock_.Advance(2000);
    const int dueMs = progression_->MsToNextDuty();
    EXPECT_GE(dueMs, 480);
    EXPECT_LE(dueMs, 520);
    Render(kRate / 1000 * (dueMs + 5));
    clock_.Advance(dueMs + 5);
    progression_->ProgressionDutyAdvance();
    EXPECT_NE(BASS_ChannelIsActive(state_.CurrentChannel), BassActivePlaying);
    // The needles are the drawn ticks' work: still at rest.
    EXPECT_EQ(LeftNeedle(), 0);
    progression_->ProgressionDutyAdvance();
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(progression_->MsToNextDuty(), -1);
    EXPECT_FALSE(progression_->NeedsTicks());
}

TEST_F(ProgressionTimer, CustomEndIsHalvedUnderMonoOutput)
{
    UseMonoOutput();
    AddSound(1, 0.5, 5.0);
    SetCustomCue(1, 0, 441000);
    play_->ProcessSoundButton(1);
    ExpectStopAtFirstTickPast(220500);
}

TEST_F(ProgressionTimer, ProgressCountsFromTheCustomStartOverTheCuedPart)
{
    AddSound(1, 0.5, 5.0);
    // One second in, two seconds long.
    SetCustomCue(1, 176400, 529200);
    play_->ProcessSoundButton(1);
    TickAfter(1000);
    EXPECT_EQ(state_.PlayLength, 352800);
    EXPECT_NEAR(static_cast<double>(state_.PlayPosition), 176400.0, 4410.0);
    EXPECT_NEAR(window_.Bar, 50, 1);
    state_.AdvanceBarDragging = true;
    TickAfter(500);
    EXPECT_NEAR(window_.Bar, 50, 1);
}

TEST_F(ProgressionTimer, CustomEndAtItsStartShowsAnEmptyBarAndNoBox)
{
    AddSound(1, 0.5, 3.0);
    SetCustomCue(1, 88200, 88200);
    window_.Bar = 40;
    play_->ProcessSoundButton(1);
    TickAfter(0);
    EXPECT_EQ(state_.PlayLength, 0);
    EXPECT_EQ(window_.Bar, 0);
    RunTimers(500, [&] { return !state_.Playing; });
    EXPECT_FALSE(state_.Playing);
    EXPECT_TRUE(dialogs_.Texts().isEmpty());
}

TEST_F(ProgressionTimer, LoopSwitchedOnWhilePlayingReplaysTheSoundAndThenLoops)
{
    AddSound(1, 0.5, 0.5);
    play_->ProcessSoundButton(1);
    play_->LoopOnButtonClick();
    const auto startsBefore = state_.StartCount;
    RunTimers(800, [&] { return state_.StartCount != startsBefore; });
    ASSERT_EQ(state_.StartCount, startsBefore + 1);
    EXPECT_TRUE(state_.Playing);
    EXPECT_EQ(state_.ChannelButton[1], 1);
    // The new start set the loop flag: the sound never ends by itself again.
    RunTimers(1500);
    EXPECT_EQ(state_.StartCount, startsBefore + 1);
    EXPECT_TRUE(state_.Playing);
    EXPECT_NEAR(LevelAfter(100), 0.5f, 0.01f);
}

TEST_F(ProgressionTimer, LoopReplayLeavesASoundThatIsNoLongerOnDisplay)
{
    AddSound(1, 0.5, 0.5);
    play_->ProcessSoundButton(1);
    play_->LoopOnButtonClick();
    // The operator moved to page 2: the current button is now that page's number.
    selection_.CurrentPage = 2;
    selection_.CurrentButton = 2;
    const auto startsBefore = state_.StartCount;
    RunTimers(1000, [&] { return !state_.Playing; });
    RunTimers(200);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(state_.StartCount, startsBefore);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_TRUE(TraceText().contains(QStringLiteral("Loop replay skipped")));
}

TEST_F(ProgressionTimer, EndOfAPlayListSoundStartsTheNextOne)
{
    UsePlayListPage();
    AddSound(1, 0.5, 0.5);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    RunTimers(1000, [&] { return state_.ChannelButton[1] == 2; });
    EXPECT_EQ(state_.ChannelButton[1], 2);
    EXPECT_EQ(board_.ButtonState[1][1][1], bstPlayed);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlaying);
    EXPECT_NEAR(LevelAfter(100), 0.25f, 0.01f);
}

TEST_F(ProgressionTimer, RapidFirePlayListPageWaitsForNext)
{
    UsePlayListPage();
    board_.RapidFire[1][1] = QStringLiteral("T");
    AddSound(1, 0.5, 0.5);
    AddSound(2, 0.25, 3.0);
    play_->ProcessSoundButton(1);
    RunTimers(1500);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstUnplayed);
}

TEST_F(ProgressionTimer, ClickStopsUnderMultiPlayAndLoopAreNotTakenForTheSoundsEnding)
{
    settings_.MultiPlay = true;
    AddSound(1, 0.5, 3.0);
    AddSound(2, 0.25, 3.0);
    play_->LoopOnButtonClick();
    play_->ProcessSoundButton(1);
    play_->ProcessSoundButton(2);
    RunTimers(100);
    ASSERT_EQ(OccupiedSlots(), 2);
    const auto startsBefore = state_.StartCount;
    play_->ProcessSoundButton(1);
    RunTimers(100);
    EXPECT_EQ(OccupiedSlots(), 1);
    play_->ProcessSoundButton(2);
    RunTimers(500);
    EXPECT_EQ(state_.StartCount, startsBefore);
    EXPECT_FALSE(state_.Playing);
    EXPECT_EQ(OccupiedSlots(), 0);
    EXPECT_EQ(board_.ButtonState[1][1][2], bstPlayed);
    EXPECT_EQ(LevelAfter(100), 0.0f);
}
