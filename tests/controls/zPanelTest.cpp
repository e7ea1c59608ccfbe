#include "controls/zPanel.h"
#include "controls/zPanelScale.h"
#include "support/PaintWatch.h"

#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace {

// Counts the events a meter raises.
struct EventLog
{
    int alerts = 0;
    int notAlerts = 0;
    int changes = 0;

    explicit EventLog(TzPanelMeter& meter)
    {
        meter.OnAlert = [this](QObject*) { ++alerts; };
        meter.OnNotAlert = [this](QObject*) { ++notAlerts; };
        meter.OnChange = [this](QObject*) { ++changes; };
    }
};

// The meter as the main window sets it up for the output level.
void MakeLevelMeter(TzPanelMeter& meter)
{
    meter.SetMax(128);
    meter.SetMin(1);
    meter.SetAlert(110);
}

} // namespace

TEST(zPanelProperties, ValueAndAlertStayWithinTheRange)
{
    TzPanelMeter meter;
    meter.SetValue(150);
    EXPECT_EQ(meter.Value(), 100);
    meter.SetValue(-3);
    EXPECT_EQ(meter.Value(), 0);
    meter.SetAlert(500);
    EXPECT_EQ(meter.Alert(), 100);
    meter.SetMin(200); // Min never passes Max
    EXPECT_EQ(meter.Min(), 100);
    EXPECT_EQ(meter.Value(), 100);
    meter.SetMin(0);
    meter.SetMax(-10);
    EXPECT_EQ(meter.Max(), 0);
}

TEST(zPanelProperties, ScaleWidthOutsideZeroToFiveIsRefused)
{
    TzPanelMeter meter;
    meter.SetScaleWidth(6);
    EXPECT_EQ(meter.ScaleWidth(), 2);
    meter.SetScaleWidth(-1);
    EXPECT_EQ(meter.ScaleWidth(), 2);
    meter.SetScaleWidth(0);
    EXPECT_EQ(meter.ScaleWidth(), 0);
    meter.SetScaleWidth(5);
    EXPECT_EQ(meter.ScaleWidth(), 5);
}

TEST(zPanelProperties, SteelLookTurnsTheBevelsGrayAndWhiteUntilABevelColourIsWritten)
{
    TzPanelMeter meter;
    meter.SetSteelLook(true);
    EXPECT_EQ(meter.ShadowColor(), 0x808080);
    EXPECT_EQ(meter.HighColor(), 0xFFFFFF);
    meter.SetShadowColor(clNavy);
    EXPECT_FALSE(meter.SteelLook());
    EXPECT_EQ(meter.ShadowColor(), clNavy);
    meter.SetSteelLook(true);
    meter.SetHighColor(clYellow);
    EXPECT_FALSE(meter.SteelLook());
    meter.SetSteelLook(false);
    EXPECT_EQ(meter.HighColor(), clYellow);
}

TEST(zPanelEvents, CrossingTheAlertLevelFiresOnceEachWay)
{
    TzPanelMeter meter;
    MakeLevelMeter(meter);
    EventLog log(meter);
    meter.SetValue(109);
    EXPECT_EQ(log.alerts, 0);
    meter.SetValue(110);
    EXPECT_EQ(log.alerts, 1);
    meter.SetValue(120);
    meter.SetValue(128);
    meter.SetValue(110);
    EXPECT_EQ(log.alerts, 1);
    EXPECT_EQ(log.notAlerts, 0);
    meter.SetValue(50);
    meter.SetValue(10);
    EXPECT_EQ(log.notAlerts, 1);
    meter.SetValue(115);
    EXPECT_EQ(log.alerts, 2);
    EXPECT_EQ(log.changes, 8);
}

TEST(zPanelEvents, WritingTheSameValueTwiceFiresOnChangeTwice)
{
    TzPanelMeter meter;
    EventLog log(meter);
    meter.SetValue(40);
    meter.SetValue(40);
    EXPECT_EQ(log.changes, 2);
}

TEST(zPanelEvents, ShrinkingTheRangePullsTheValueInWithItsAlertEvents)
{
    TzPanelMeter meter;
    MakeLevelMeter(meter);
    meter.SetValue(120);
    EventLog log(meter);
    meter.SetMax(100);
    EXPECT_EQ(meter.Value(), 100);
    EXPECT_EQ(log.notAlerts, 1);
    EXPECT_EQ(log.changes, 1);
    // Raising Min past the alert level drives the value up into the alert again.
    meter.SetMax(128);
    meter.SetMin(112);
    EXPECT_EQ(meter.Value(), 112);
    EXPECT_EQ(log.alerts, 1);
}

TEST(zPanelEvents, WithoutAlertNoAlertEventFires)
{
    TzPanelMeter meter;
    meter.SetUseAlert(false);
    EventLog log(meter);
    meter.SetValue(100);
    meter.SetValue(0);
    EXPECT_EQ(log.alerts + log.notAlerts, 0);
    EXPECT_EQ(log.changes, 2);
}

TEST(zPanelEvents, AValueWriteRepaintsAtOnce)
{
    TzPanelMeter meter;
    int paints = 0;
    meter.OnPaint = [&](QObject*) { ++paints; };
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    QCoreApplication::processEvents();
    paints = 0;
    meter.SetValue(30); // no event processing between the write and the check
    EXPECT_EQ(paints, 1);
    paints = 0;
    meter.SetFaceColor(clAqua); // other writers only queue a repaint
    EXPECT_EQ(paints, 0);
    QTRY_VERIFY_WITH_TIMEOUT(paints > 0, 2000);
    // Queued on request: the window's tick draws both meters in one paint.
    meter.SetQueuedPaints(true);
    paints = 0;
    meter.SetValue(60);
    EXPECT_EQ(paints, 0);
    QTRY_VERIFY_WITH_TIMEOUT(paints == 1, 2000);
}

TEST(zPanelEvents, ANeedleMovePaintsOnlyTheStripOfTheOldAndTheNewNeedle)
{
    TzPanelMeter meter;
    MakeLevelMeter(meter);
    meter.SetQueuedPaints(true);
    meter.SetValue(20);
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    QCoreApplication::processEvents();
    QImage shown = meter.PaintToImage();
    PaintWatch painted;
    meter.installEventFilter(&painted);
    meter.SetValue(30);
    QTRY_VERIFY_WITH_TIMEOUT(!painted.areas.isEmpty(), 2000);
    const QRect strip = painted.areas.front();
    // Both needles lean left of the hub and end at it: the dial's right half is not drawn again.
    EXPECT_LT(strip.right(), meter.width() / 2 + 1);
    EXPECT_GT(strip.top(), 0);
    // The strip drawn over the old picture gives the whole new one: no trace of the old needle.
    meter.render(&shown, strip.topLeft(), QRegion(strip));
    EXPECT_EQ(shown, meter.PaintToImage());
}

TEST(zPanelEvents, MouseEnterAndLeaveReachTheirHandlers)
{
    TzPanelMeter meter;
    int enters = 0;
    int leaves = 0;
    meter.OnMouseEnter = [&](QObject*) { ++enters; };
    meter.OnMouseLeave = [&](QObject*) { ++leaves; };
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&meter, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&meter, &leave);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

TEST(zPanelScale, EachPercentageKeepsTheColourOfItsLastValue)
{
    // 1..128 with the alert at 110: 109 and 110 share 85 percent, so that stroke is alert-coloured.
    const auto marks = zPanelScaleMarks({1, 128, 110, true, true, 10});
    ASSERT_EQ(marks.size(), 101u);
    EXPECT_EQ(marks[84].Percent, 84);
    EXPECT_FALSE(marks[84].StrokeAlert);
    EXPECT_TRUE(marks[85].StrokeAlert);
    EXPECT_EQ(zPanelPercent(109, 1, 128), 85);
    EXPECT_EQ(zPanelPercent(108, 1, 128), 84);
    // Ticks at 10, 20, ... 120: 120 is at 93 percent, in the alert zone.
    int ticks = 0;
    for (const auto& mark : marks) {
        ticks += mark.HasTick;
    }
    EXPECT_EQ(ticks, 12);
    EXPECT_TRUE(marks[static_cast<std::size_t>(zPanelPercent(120, 1, 128))].HasTick);
    EXPECT_TRUE(marks[static_cast<std::size_t>(zPanelPercent(120, 1, 128))].TickAlert);
    EXPECT_FALSE(marks[static_cast<std::size_t>(zPanelPercent(100, 1, 128))].TickAlert);
}

TEST(zPanelScale, TickStepsAndRangesThatWouldBreakTheDrawingAreSafe)
{
    EXPECT_EQ(zPanelScaleMarks({INT_MIN, INT_MAX, 0, true, true, 7}).size(), 101u);
    const auto empty = zPanelScaleMarks({5, 5, 5, true, true, 10});
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].Percent, 0);
    EXPECT_FALSE(empty[0].HasTick);
    EXPECT_EQ(zPanelPercent(5, 5, 5), 0);
    for (const auto& mark : zPanelScaleMarks({0, 100, 75, true, true, 0})) {
        EXPECT_FALSE(mark.HasTick);
    }
    // Negative values are multiples too: -20 and 0 of -20..0.
    int ticks = 0;
    for (const auto& mark : zPanelScaleMarks({-20, 0, 0, false, true, 20})) {
        ticks += mark.HasTick;
        EXPECT_FALSE(mark.StrokeAlert);
    }
    EXPECT_EQ(ticks, 2);
}

namespace {
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

// While nothing plays the progression timer sets the silent level on every tick: drawing the
// same needle again each time kept the idle program busy.
TEST(zPanelPainting, SameValueAgainIsNotDrawnAgainButAChangeIsAtOnce)
{
    TzPanelMeter meter;
    MakeLevelMeter(meter);
    EventLog log(meter);
    meter.resize(120, 80);
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    meter.SetValue(1);
    PaintCounter counter;
    meter.installEventFilter(&counter);
    const int changesBefore = log.changes;
    for (int i = 0; i < 50; ++i) {
        meter.SetValue(1);
    }
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(log.changes - changesBefore, 50) << "each setting still raises its change event";
    meter.SetValue(40);
    EXPECT_EQ(counter.paints, 1) << "a new value is drawn at once, not queued";
    EXPECT_EQ(meter.Value(), 40);
}
