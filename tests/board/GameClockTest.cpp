// The game clock and the stopwatch on the main window, stepped on the manual clock: starts and
// stops never lose time, a late tick shows the real elapsed time, and hiding keeps counting.
#include "MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ColorPanel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

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
    // Shown, the clocks cover no sound button and show their texts whole, an hour in as well.
    for (QWidget* panel :
         {static_cast<QWidget*>(form->GameClockPanel), static_cast<QWidget*>(form->TimerPanel)}) {
        const QRect onBoard(panel->mapTo(form.get(), QPoint(0, 0)), panel->size());
        for (int n = 1; n <= TForm1::SlotCount; ++n) {
            QWidget* slot = form->ButtonPanels[static_cast<std::size_t>(n)];
            EXPECT_FALSE(onBoard.intersects(QRect(slot->mapTo(form.get(), QPoint(0, 0)), slot->size()))) << n;
        }
    }
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
