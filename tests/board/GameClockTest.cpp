// The game clock and the stopwatch on the main window, stepped on the manual clock: starts and
// stops never lose time, a late tick shows the real elapsed time, and hiding keeps counting.
#include "MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <vector>

namespace {

class GameClock : public MainFormFixture
{
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        Start();
    }
    void Click(TBitBtnWithColor* button) { AsPushButton(button)->click(); }
};

TEST_F(GameClock, StartsAndStopsAddUpToTheWallClockTime)
{
    // The second timer ticks only while the clock runs.
    EXPECT_FALSE(form->SecondTimer->isActive());
    Click(form->GameClockStartStopButton);
    EXPECT_EQ(AsPushButton(form->GameClockStartStopButton)->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(AsPushButton(form->GameClockResetButton)->isEnabled());
    EXPECT_TRUE(form->SecondTimer->isActive());
    clock.Advance(5000);
    Click(form->GameClockStartStopButton);
    EXPECT_FALSE(form->SecondTimer->isActive());
    clock.Advance(60000); // stopped: not counted
    Click(form->GameClockStartStopButton);
    clock.Advance(3000);
    Click(form->GameClockStartStopButton);
    EXPECT_EQ(form->GameClockSeconds, 8);
    EXPECT_EQ(form->GameClockTime->text(), QStringLiteral("00:08"));
    // Milliseconds are kept across stops: 3 x 0.4 s is one whole second more.
    for (int i = 0; i < 3; ++i) {
        Click(form->GameClockStartStopButton);
        clock.Advance(400);
        Click(form->GameClockStartStopButton);
    }
    EXPECT_EQ(form->GameClockSeconds, 9);
    Click(form->GameClockResetButton);
    EXPECT_EQ(form->GameClockTime->text(), QStringLiteral("00:00"));
}

TEST_F(GameClock, ALateTickShowsTheElapsedTimeAndHidingKeepsCounting)
{
    form->HideUnhideGameClock1->trigger();
    EXPECT_TRUE(form->GameClockPanel->isVisibleTo(form.get()));
    Click(form->GameClockStartStopButton);
    form->HideUnhideGameClock1->trigger();
    EXPECT_FALSE(form->GameClockPanel->isVisibleTo(form.get()));
    clock.Advance(3725 * 1000 + 300);
    form->SecondTimerAdvance();
    EXPECT_EQ(form->GameClockTime->text(), QStringLiteral("1:02:05"));
    // Shown, the clocks cover no sound button, nor the page name, the totals, the indicators or
    // the play times, and show their texts whole, an hour in as well.
    form->HideUnhideGameClock1->trigger();
    auto onForm = [&](const QWidget* w) { return QRect(w->mapTo(form.get(), QPoint(0, 0)), w->size()); };
    std::vector<const QWidget*> kept{form->lblPage,         form->LabelPageTotals, form->LoggingOnDisplay,
                                     form->MonoDisplay,     form->LockDownDisplay, form->SoundPlaying,
                                     form->lblTotalTime,    form->lblTimeRemaining};
    for (int n = 1; n <= TForm1::SlotCount; ++n) {
        kept.push_back(form->ButtonPanels[static_cast<std::size_t>(n)]);
    }
    ASSERT_TRUE(form->GameClockPanel->isVisibleTo(form.get()));
    for (const QWidget* other : kept) {
        EXPECT_FALSE(onForm(form->GameClockPanel).intersects(onForm(other))) << other->objectName().toStdString();
    }
    // The now-playing line ends before the one clock shown; with both, they share the time row.
    EXPECT_FALSE(onForm(form->GameClockPanel).intersects(onForm(form->Label2)));
    EXPECT_GE(form->SoundPlaying->width(), 100);
    form->HideUnhideTimer1->trigger();
    EXPECT_FALSE(onForm(form->GameClockPanel).intersects(onForm(form->TimerPanel)));
    EXPECT_FALSE(onForm(form->TimerPanel).intersects(onForm(form->LabelPageTotals)));
    for (QLabel* time : {form->GameClockTime, form->TimerTime}) {
        EXPECT_LE(QFontMetrics(time->font()).horizontalAdvance(time->text()), time->width());
    }
    for (TBitBtnWithColor* button : {form->GameClockStartStopButton, form->GameClockResetButton}) {
        QPushButton* push = AsPushButton(button);
        EXPECT_LE(QFontMetrics(push->font()).horizontalAdvance(push->text()) + 4, push->width());
    }
}

TEST_F(GameClock, TheStopwatchCountsTenths)
{
    Click(form->TimerStartStopButton);
    EXPECT_TRUE(form->StopWatchTimer->isActive());
    clock.Advance(5000);
    Click(form->TimerStartStopButton);
    EXPECT_FALSE(form->StopWatchTimer->isActive());
    Click(form->TimerStartStopButton);
    clock.Advance(3050);
    form->StopWatchTimerAdvance();
    EXPECT_EQ(form->TimerTime->text(), QStringLiteral("00:080"));
    Click(form->TimerStartStopButton);
    Click(form->StopWatchResetButton);
    EXPECT_EQ(form->TimerTime->text(), QStringLiteral("00:000"));
    EXPECT_EQ(form->StopWatchTenths, 0);
}

} // namespace
