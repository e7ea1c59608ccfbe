// Timed start on a manual clock: the start-time text on both clocks, the countdown across midnight
// and noon, Start Now and Cancel.
#include "board/Board.h"
#include "board/Selection.h"
#include "platform/Clock.h"
#include "platform/ScriptedDialogs.h"
#include "playback/PlaybackState.h"
#include "playback/TFormAutoStartTimer.h"
#include "playback/TTimedStartSet.h"
#include "playback/TimedStartTime.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class TimedStartTest : public ::testing::Test
{
protected:
    void UseClock(bool twelveHour, QDateTime now)
    {
        clock.SetNow(now);
        twelve = twelveHour;
    }

    // Ticks once a second until the countdown closes; the number of ticks it took, or -1.
    int TicksUntilStart(int limit)
    {
        for (int tick = 1; tick <= limit; ++tick) {
            clock.Advance(1000);
            timer->UpTime();
            if (!timer->isVisible()) {
                return tick;
            }
        }
        return -1;
    }

    ManualClock clock;
    ScriptedDialogs dialogs;
    PlaybackState state;
    Board board;
    Selection selection;
    bool twelve = false;
    std::unique_ptr<TTimedStartSet> set =
        std::make_unique<TTimedStartSet>(TimedStartContext{state, clock, dialogs, [this] { return twelve; }});
    std::unique_ptr<TFormAutoStartTimer> timer = std::make_unique<TFormAutoStartTimer>(
        AutoStartTimerContext{state, board, selection, clock, [this] { return twelve; }});
};

QDateTime At(int h, int m, int s)
{
    return QDateTime(QDate(2024, 3, 9), QTime(h, m, s));
}

} // namespace

TEST(TimedStartTime, TextsOnBothClocksAndTheirSecondsOfTheDay)
{
    EXPECT_EQ(BuildTimedStartTime(14, 5, false, false), QStringLiteral("14:05:00 "));
    EXPECT_EQ(BuildTimedStartTime(9, 30, true, true), QStringLiteral(" 9:30:00 PM"));
    EXPECT_EQ(BuildTimedStartTime(0, 15, false, false), QStringLiteral(" 0:15:00 "));
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral("14:05:00 ")), 50700);
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral(" 9:30:00 PM")), 77400);
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral("12:00:00 AM")), 0);
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral("12:00:00 PM")), 43200);
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral("24:00:00 ")), -1);
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral("13:00:00 PM")), -1);
    EXPECT_EQ(TimedStartSecondsOfDay(QStringLiteral("noon")), -1);
    EXPECT_EQ(RemainingText(90), QStringLiteral("01:30"));
    EXPECT_EQ(RemainingText(5400), QStringLiteral("1:30:00"));
    EXPECT_EQ(ClockText(QTime(23, 5, 9), false), QStringLiteral("23:05:09"));
    EXPECT_EQ(ClockText(QTime(23, 5, 9), true), QStringLiteral("11:05:09 PM"));
}

TEST_F(TimedStartTest, TheSetWindowRefusesMidnightZeroAndBuildsTheTextOnEachClock)
{
    UseClock(false, At(10, 0, 0));
    set->Open();
    EXPECT_TRUE(set->AMRadioButton->isHidden());
    EXPECT_EQ(set->StartHours->maximum(), 23);
    set->TimeSetOKButton->click();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("Time Values are not valid"));
    EXPECT_TRUE(set->isVisible());
    set->StartMinutes->setValue(15);
    set->TimeSetOKButton->click();
    EXPECT_EQ(set->result(), 1);
    EXPECT_EQ(state.TimedStartTime, QStringLiteral(" 0:15:00 "));

    UseClock(true, At(10, 0, 0));
    set->Open();
    EXPECT_FALSE(set->AMRadioButton->isHidden());
    EXPECT_EQ(set->StartHours->maximum(), 12);
    set->StartHours->setValue(9);
    set->StartMinutes->setValue(30);
    set->TimeSetOKButton->click();
    EXPECT_EQ(state.TimedStartTime, QStringLiteral(" 9:30:00 PM"));

    set->Open();
    QTest::keyClick(set.get(), Qt::Key_Escape);
    EXPECT_EQ(set->result(), 2);
    EXPECT_TRUE(state.TimedStartTime.isEmpty());
}

TEST_F(TimedStartTest, ATimeAlreadyPastIsTomorrowAndTheSetWindowSaysSo)
{
    UseClock(false, At(23, 50, 0));
    set->Open();
    set->StartHours->setValue(23);
    set->StartMinutes->setValue(55);
    EXPECT_TRUE(set->lblNextDay->text().isEmpty());
    set->StartHours->setValue(0);
    set->StartMinutes->setValue(10);
    EXPECT_EQ(set->lblNextDay->text(),
              QStringLiteral("That time has passed today: the sound will start tomorrow."));
    set->TimeSetOKButton->click();
    timer->Open();
    EXPECT_EQ(timer->StartMoment(), QDateTime(QDate(2024, 3, 10), QTime(0, 10)));
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("20:00"));

    // A time that goes by while the window is open is told on OK, which a second OK confirms.
    set->Open();
    set->StartHours->setValue(23);
    set->StartMinutes->setValue(55);
    ASSERT_TRUE(set->lblNextDay->text().isEmpty());
    clock.Advance(6 * 60 * 1000);
    set->TimeSetOKButton->click();
    EXPECT_TRUE(set->isVisible());
    EXPECT_EQ(set->lblNextDay->text(),
              QStringLiteral("That time has passed today: the sound will start tomorrow."));
    set->TimeSetOKButton->click();
    EXPECT_EQ(set->result(), 1);
    EXPECT_EQ(state.TimedStartTime, QStringLiteral("23:55:00 "));
}

TEST_F(TimedStartTest, TheCountdownCountsTheClocksWholeSeconds)
{
    UseClock(false, At(13, 2, 30).addMSecs(400));
    state.TimedStartTime = QStringLiteral("14:05:00 ");
    timer->Open();
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("1:02:30"));
    clock.Advance((3600 + 2 * 60 + 29) * 1000);
    timer->UpTime();
    EXPECT_EQ(timer->lblTimeCurrent->text(), QStringLiteral("14:04:59"));
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("00:01"));
    EXPECT_TRUE(timer->isVisible());
    // The first tick in the start second starts the sound.
    EXPECT_EQ(TicksUntilStart(3), 1);
}

TEST_F(TimedStartTest, CountdownOnTheTwentyFourHourClockRunsAcrossMidnight)
{
    UseClock(false, At(23, 59, 30));
    board.ButtonCaption[1][1][7] = QStringLiteral("Anthem");
    state.TimedStartButton = 7;
    state.TimedStartTime = QStringLiteral(" 0:01:00 ");
    timer->Open();
    EXPECT_EQ(timer->lblStartTime->text(), QStringLiteral(" 0:01:00 "));
    EXPECT_EQ(timer->Label1->text(), QStringLiteral("Sound Button (Anthem) is cued"));
    EXPECT_EQ(timer->lblTimeCurrent->text(), QStringLiteral("23:59:30"));
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("01:30"));
    EXPECT_EQ(timer->Timer1->interval(), 1000);
    EXPECT_TRUE(timer->Timer1->isActive());
    clock.Advance(31000);
    timer->UpTime();
    EXPECT_EQ(timer->lblTimeCurrent->text(), QStringLiteral("00:00:01"));
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("00:59"));
    EXPECT_EQ(TicksUntilStart(100), 59);
    EXPECT_EQ(timer->result(), 1);
    EXPECT_FALSE(timer->Timer1->isActive());
}

TEST_F(TimedStartTest, CountdownOnTheTwelveHourClockRunsAcrossNoonAndMidnight)
{
    UseClock(true, At(11, 59, 0));
    state.TimedStartTime = QStringLiteral("12:00:00 PM");
    timer->Open();
    EXPECT_EQ(timer->lblTimeCurrent->text(), QStringLiteral("11:59:00 AM"));
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("01:00"));
    EXPECT_EQ(TicksUntilStart(100), 60);

    UseClock(true, At(23, 0, 0));
    state.TimedStartTime = QStringLiteral("12:30:00 AM");
    timer->Open();
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("1:30:00"));
    clock.Advance(3600 * 1000);
    timer->UpTime();
    EXPECT_TRUE(timer->isVisible());
    EXPECT_EQ(timer->lblTimeCurrent->text(), QStringLiteral("12:00:00 AM"));
    EXPECT_EQ(timer->lblTimeRemaining->text(), QStringLiteral("30:00"));
}

TEST_F(TimedStartTest, StartNowStartsAtOnceAndCancelOrEscStartsNothing)
{
    UseClock(false, At(8, 0, 0));
    state.TimedStartTime = QStringLiteral("20:00:00 ");
    timer->Open();
    timer->StartNowButton->click();
    EXPECT_EQ(timer->result(), 1);
    timer->Open();
    timer->CancelButton->click();
    EXPECT_EQ(timer->result(), 2);
    timer->Open();
    QTest::keyClick(timer.get(), Qt::Key_Escape);
    EXPECT_EQ(timer->result(), 2);
    EXPECT_FALSE(timer->Timer1->isActive());

    // Without a start time the countdown only shows the clock.
    state.TimedStartTime.clear();
    timer->Open();
    clock.Advance(5000);
    timer->UpTime();
    EXPECT_TRUE(timer->isVisible());
    EXPECT_EQ(timer->lblTimeCurrent->text(), QStringLiteral("08:00:05"));
    timer->CancelButton->click();
}
