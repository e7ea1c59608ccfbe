#include "controls/SlideBar.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Records the bar's events in order, with the value seen at each one.
struct EventLog
{
    QStringList entries;

    void Attach(TzSlideBar& bar)
    {
        bar.OnChange = [this, &bar](QObject*) { entries << QString("Change %1").arg(bar.Value()); };
        bar.OnMinimum = [this](QObject*) { entries << "Minimum"; };
        bar.OnMaximum = [this](QObject*) { entries << "Maximum"; };
        bar.OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            entries << "MouseDown";
        };
        bar.OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            entries << "MouseUp";
        };
        bar.OnMouseUpTwo = [this, &bar](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            entries << QString("MouseUpTwo %1").arg(bar.Value());
        };
    }
};

void SendMouse(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

void Click(QWidget& w, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseButtonPress, p, button, button);
    SendMouse(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
}

void Key(QWidget& w, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

} // namespace

TEST(SlideBarValue, OutOfRangeWriteKeepsOldValueYetReportsChangeAndMaximum)
{
    TzSlideBar bar;
    bar.SetValue(10);
    EventLog log;
    log.Attach(bar);
    bar.SetValue(11);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_EQ(log.entries, QStringList({"Change 10", "Maximum"}));
}

TEST(SlideBarValue, WriteToMinimumReportsChangeThenMinimumAndSameValueReportsNothing)
{
    TzSlideBar bar;
    bar.SetValue(4);
    EventLog log;
    log.Attach(bar);
    bar.SetValue(0);
    bar.SetValue(0);
    EXPECT_EQ(log.entries, QStringList({"Change 0", "Minimum"}));
}

TEST(SlideBarValue, RangeWritersRefuseToCrossAndLeaveValueAlone)
{
    TzSlideBar bar;
    bar.SetValue(7);
    bar.SetMin(10);
    bar.SetMax(0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 10);
    bar.SetMax(5);
    EXPECT_EQ(bar.Max(), 5);
    EXPECT_EQ(bar.Value(), 7);
    bar.SetThickness(0);
    bar.SetThickness(11);
    EXPECT_EQ(bar.Thickness(), 2);
    bar.SetThickness(10);
    EXPECT_EQ(bar.Thickness(), 10);
}

TEST(SlideBarGeometry, OrientationFollowsEverySizeChange)
{
    TzSlideBar bar;
    EXPECT_EQ(bar.Orientation(), TOrientation::orHorizontal);
    bar.resize(20, 100);
    EXPECT_EQ(bar.Orientation(), TOrientation::orVertical);
    bar.resize(50, 50);
    EXPECT_EQ(bar.Orientation(), TOrientation::orHorizontal);
}

TEST(SlideBarGeometry, ThumbSitsWhereTheValuePutsItAndVerticalBarsCountUpwards)
{
    TzSlideBar bar;
    bar.SetValue(5);
    EXPECT_EQ(bar.ComputeThumbRect(), QRect(45, 0, 10, 20));
    bar.SetValue(10);
    EXPECT_EQ(bar.ComputeThumbRect().left(), 90);

    TzSlideBar band;
    band.SetThumbStyle(TThumbStyle::tsHorzHigh);
    band.resize(40, 200);
    band.SetMax(30);
    band.SetValue(30);
    EXPECT_EQ(band.ComputeThumbRect(), QRect(10, 0, 20, 10));
    band.SetValue(0);
    EXPECT_EQ(band.ComputeThumbRect(), QRect(10, 190, 20, 10));
    band.SetValue(15);
    EXPECT_EQ(band.ComputeThumbRect().top(), 95);
}

TEST(SlideBarGeometry, ValueFromPointRoundsHalvesToEven)
{
    TzSlideBar bar; // 100 wide, 0..10: a tenth of the width per step
    EXPECT_EQ(bar.ValueFromPoint(15, 5), 2);
    EXPECT_EQ(bar.ValueFromPoint(25, 5), 2);
    EXPECT_EQ(bar.ValueFromPoint(45, 5), 4);
    EXPECT_EQ(bar.ValueFromPoint(-40, 5), 0);
    EXPECT_EQ(bar.ValueFromPoint(400, 5), 10);
    bar.resize(20, 100);
    EXPECT_EQ(bar.ValueFromPoint(5, 0), 10);
    EXPECT_EQ(bar.ValueFromPoint(5, 70), 3);
}

TEST(SlideBarGeometry, BarSqueezedToNothingNeitherDividesByZeroNorMoves)
{
    TzSlideBar bar;
    bar.SetValue(3);
    bar.resize(0, 0);
    EXPECT_EQ(bar.ValueFromPoint(0, 0), 3);
    Click(bar, QPoint(0, 0));
    bar.resize(30, 0);
    bar.SetOrientation(TOrientation::orVertical);
    EXPECT_EQ(bar.ValueFromPoint(0, 0), bar.Value());
    const QImage image = bar.PaintToImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_GE(bar.Value(), 0);
    EXPECT_LE(bar.Value(), 10);
}

TEST(SlideBarKeys, PageStepIsATenthOfTheRangeButNeverBelowOne)
{
    TzSlideBar bar;
    bar.SetMax(5);
    Key(bar, Qt::Key_PageUp);
    EXPECT_EQ(bar.Value(), 1);
    bar.SetMax(100);
    Key(bar, Qt::Key_PageUp);
    EXPECT_EQ(bar.Value(), 11);
    bar.SetValue(95);
    Key(bar, Qt::Key_PageUp);
    EXPECT_EQ(bar.Value(), 100);
    Key(bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.Value(), 90);
    Key(bar, Qt::Key_Home);
    EXPECT_EQ(bar.Value(), 0);
    Key(bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.Value(), 0);
    Key(bar, Qt::Key_End);
    EXPECT_EQ(bar.Value(), 100);
}

TEST(SlideBarKeys, ArrowsStepByOneAndStayQuietAtTheEnds)
{
    TzSlideBar bar;
    EventLog log;
    log.Attach(bar);
    Key(bar, Qt::Key_Left);
    Key(bar, Qt::Key_Down);
    EXPECT_TRUE(log.entries.isEmpty());
    Key(bar, Qt::Key_Right);
    Key(bar, Qt::Key_Up);
    EXPECT_EQ(bar.Value(), 2);
    Key(bar, Qt::Key_Down);
    EXPECT_EQ(log.entries, QStringList({"Change 1", "Change 2", "Change 1"}));
}

TEST(SlideBarMouse, ClickAboveTheThumbOfAVerticalBarAddsOneBeforeMouseUpTwo)
{
    TzSlideBar band;
    band.SetThumbStyle(TThumbStyle::tsHorzHigh);
    band.resize(40, 200);
    band.SetMax(30);
    band.SetValue(15); // thumb rows 95..104
    EventLog log;
    log.Attach(band);
    Click(band, QPoint(20, 30));
    EXPECT_EQ(band.Value(), 16);
    Click(band, QPoint(20, 190));
    EXPECT_EQ(band.Value(), 15);
    EXPECT_EQ(log.entries, QStringList({"MouseDown", "MouseUp", "Change 16", "MouseUpTwo 16", "MouseDown",
                                        "MouseUp", "Change 15", "MouseUpTwo 15"}));
}

TEST(SlideBarMouse, ClickBesideTheThumbStepsTowardThePointerOnlyWithinRange)
{
    TzSlideBar bar;
    bar.SetValue(10); // thumb at 90..99
    Click(bar, QPoint(98, 10));
    EXPECT_EQ(bar.Value(), 10);
    Click(bar, QPoint(10, 10));
    EXPECT_EQ(bar.Value(), 9);
}

TEST(SlideBarMouse, RightButtonReleaseStillEndsWithMouseUpTwoAndLeavesTheValue)
{
    TzSlideBar bar;
    bar.SetValue(5);
    EventLog log;
    log.Attach(bar);
    Click(bar, QPoint(5, 10), Qt::RightButton);
    EXPECT_EQ(bar.Value(), 5);
    EXPECT_EQ(log.entries, QStringList({"MouseDown", "MouseUp", "MouseUpTwo 5"}));
}

TEST(SlideBarMouse, DraggingTheThumbFollowsThePointerAndSettlesOnRelease)
{
    TzSlideBar bar;
    bar.SetValue(5); // thumb at 45..54
    EventLog log;
    log.Attach(bar);
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(48, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(bar.Value(), 5); // the jump to 48 rounds to the same value
    SendMouse(bar, QEvent::MouseMove, QPoint(71, 10), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(bar.Value(), 7);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(80, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bar.Value(), 8);
    EXPECT_EQ(log.entries, QStringList({"MouseDown", "Change 7", "MouseUp", "Change 8", "MouseUpTwo 8"}));
    // Once released, moves no longer drag.
    SendMouse(bar, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(bar.Value(), 8);
}

TEST(SlideBarMouse, PressOnTheThumbJumpsToThePointOnlyWithJumpToMouse)
{
    TzSlideBar bar;
    bar.SetValue(5);
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(54, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(bar.Value(), 5);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(54, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bar.Value(), 5); // not moved: release writes nothing

    bar.SetJumpToMouse(false);
    bar.SetMax(100);
    bar.SetValue(50); // thumb at 45..54 again
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(54, 10), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(bar.Value(), 50);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(54, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bar.Value(), 50);
}
