#include "ProgressionFixture.h"

#include "playback/ProgressionTimers.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace PlaybackTest;

class DisplayTimer : public ProgressionFixture
{
protected:
    void Advance(int ms)
    {
        Render(kRate / 1000 * ms);
        clock_.Advance(ms);
    }
};

TEST_F(DisplayTimer, ElapsedAndRemainingFollowTheChannelAndFeedThePlayLog)
{
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    EXPECT_EQ(state_.TotalSeconds, 5);
    Advance(2600);
    display_->DisplayTimerAdvance();
    EXPECT_EQ(state_.ElapsedSeconds, 3);
    EXPECT_EQ(view_->Elapsed, QStringLiteral("00:03"));
    EXPECT_EQ(log_->PlayedTimeText, QStringLiteral("00:03"));
    EXPECT_EQ(state_.RemainingSeconds, 2);
    EXPECT_EQ(view_->Remaining, QStringLiteral("00:02"));
    EXPECT_TRUE(state_.lSoundTimer);
}

TEST_F(DisplayTimer, CustomStartCountsFromTheCueHalvedInMonoEvenAfterAPageChange)
{
    UseMonoOutput();
    AddSound(1, 0.5, 5.0);
    board_.ButtonCustomCue[1][1][1] = QStringLiteral("Y");
    board_.ButtonCueStart[1][1][1] = 176400; // one second of the stereo stream
    play_->ProcessSoundButton(1);
    EXPECT_EQ(state_.TotalSeconds, 4);
    Advance(1600);
    display_->DisplayTimerAdvance();
    EXPECT_EQ(view_->Elapsed, QStringLiteral("00:02"));
    EXPECT_EQ(view_->Remaining, QStringLiteral("00:02"));
    // The operator shows page 2: the time still belongs to the sound that plays.
    selection_.CurrentPage = 2;
    selection_.CurrentButton = 2;
    Advance(1000);
    display_->DisplayTimerAdvance();
    EXPECT_EQ(view_->Elapsed, QStringLiteral("00:03"));
    EXPECT_EQ(view_->Remaining, QStringLiteral("00:01"));
}

TEST_F(DisplayTimer, NegativeRemainderShowsZeroAndStopsTheSoundTimer)
{
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    state_.TotalSeconds = 1;
    Advance(2600);
    display_->DisplayTimerAdvance();
    EXPECT_EQ(view_->Remaining, QStringLiteral("00:00"));
    EXPECT_EQ(state_.RemainingSeconds, -2);
    EXPECT_FALSE(state_.lSoundTimer);
    EXPECT_TRUE(
        TraceText().contains(QStringLiteral(" - DisplayTimerAdvance - lSoundTimer set to False\r\n")));
    // With the sound timer off the labels stay as they are.
    view_->Elapsed.clear();
    display_->DisplayTimerAdvance();
    EXPECT_TRUE(view_->Elapsed.isEmpty());
}

TEST_F(DisplayTimer, RunningFadesBlinkTheirButtonsAndOnlyThose)
{
    settings_.ActiveButtonColor = clInfoBk;
    settings_.ButtonColor = clBtnFace;
    window_.Modes[ModeButton::FadeIn] = clBtnFace;
    window_.Modes[ModeButton::CrossFade] = clInfoBk;
    window_.Modes[ModeButton::VoiceOver] = clBtnFace;
    state_.lFadingIn = true;
    state_.lCrossFadingOut = true;
    state_.lVoiceOver = true; // without VoiceOverBlink: no blinking
    display_->DisplayTimerAdvance();
    EXPECT_EQ(window_.Modes[ModeButton::FadeIn], clInfoBk);
    EXPECT_EQ(window_.Modes[ModeButton::CrossFade], clBtnFace);
    EXPECT_EQ(window_.Modes[ModeButton::VoiceOver], clBtnFace);
    EXPECT_EQ(window_.Modes.count(ModeButton::FadeOut), 0u);
    settings_.VoiceOverBlink = true;
    display_->DisplayTimerAdvance();
    EXPECT_EQ(window_.Modes[ModeButton::FadeIn], clBtnFace);
    EXPECT_EQ(window_.Modes[ModeButton::CrossFade], clInfoBk);
    EXPECT_EQ(window_.Modes[ModeButton::VoiceOver], clInfoBk);
}

TEST_F(DisplayTimer, PauseBlinksThePauseButtonAndThePlayingPanel)
{
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    play_->PauseButtonClick();
    ASSERT_TRUE(state_.Paused);
    ASSERT_EQ(window_.Modes[ModeButton::Pause], settings_.ActiveButtonColor);
    std::vector<TColor> pause;
    std::vector<TColor> panel;
    for (int tick = 0; tick < 4; ++tick) {
        display_->DisplayTimerAdvance();
        pause.push_back(window_.Modes[ModeButton::Pause]);
        panel.push_back(window_.Panels[1]);
    }
    const TColor plain = settings_.ButtonColor;
    const TColor active = settings_.ActiveButtonColor;
    EXPECT_EQ(pause, (std::vector<TColor>{plain, active, plain, active}));
    EXPECT_EQ(panel, (std::vector<TColor>{clBtnFace, clLime, clBtnFace, clLime}));
    // While paused the times stand still.
    EXPECT_TRUE(view_->Elapsed.isEmpty());
}

TEST_F(DisplayTimer, PausedPanelDoesNotBlinkUnderMultiPlayOrOnAnotherPage)
{
    AddSound(1, 0.5, 5.0);
    play_->ProcessSoundButton(1);
    play_->PauseButtonClick();
    settings_.MultiPlay = true;
    display_->DisplayTimerAdvance();
    EXPECT_EQ(window_.Panels[1], clLime);
    settings_.MultiPlay = false;
    selection_.CurrentPage = 3;
    display_->DisplayTimerAdvance();
    EXPECT_EQ(window_.Panels[1], clLime);
}

TEST(TimerIntervals, DrawnTicksAreRaisedToOneFrameOfTheDisplayAtMostSixtyHertz)
{
    EXPECT_EQ(TimerIntervalMs(1), 17);
    EXPECT_EQ(TimerIntervalMs(1, 144.0), 17);
    EXPECT_EQ(TimerIntervalMs(1, 30.0), 34);
    EXPECT_EQ(TimerIntervalMs(1, 0.0), 17);
    EXPECT_EQ(TimerIntervalMs(20, 60.0), 20);
    EXPECT_EQ(TimerIntervalMs(500), 500);
}

TEST_F(DisplayTimer, WindowTimersDriveBothTicksAtTheMeterRate)
{
    QTimer progressionTimer;
    QTimer displayTimer;
    ProgressionTimers timers(progressionTimer, displayTimer, *progression_, *display_);
    QSignalSpy ticks(&progressionTimer, &QTimer::timeout);
    view_->Needles = {40, 40};
    timers.StartProgression(1);
    EXPECT_EQ(progressionTimer.interval(), 17);
    EXPECT_TRUE(progressionTimer.isActive());
    // Idle ticks let the needles fall to rest; then nothing is left to tick for.
    EXPECT_TRUE(QTest::qWaitFor([&] { return view_->Needles[0] == 0; }, 5000));
    EXPECT_GE(ticks.count(), 8);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !progressionTimer.isActive(); }, 1000));
    const auto restingTicks = ticks.count();
    QTest::qWait(60);
    EXPECT_EQ(ticks.count(), restingTicks);
    // A play wakes them.
    timers.Wake();
    EXPECT_TRUE(progressionTimer.isActive());
    timers.SetMeterRate(40);
    EXPECT_EQ(progressionTimer.interval(), 40);
    progressionTimer.stop();
    state_.lFadingIn = true;
    window_.Modes[ModeButton::FadeIn] = settings_.ButtonColor;
    displayTimer.setInterval(20);
    displayTimer.start();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window_.Modes[ModeButton::FadeIn] == settings_.ActiveButtonColor; }, 5000));
    displayTimer.stop();
}
