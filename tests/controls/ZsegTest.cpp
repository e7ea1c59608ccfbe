#include "controls/Zseg.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>

namespace {

// The meter as the main window sets it up for the output level.
void MakeLevelMeter(TzcPeakOmeter& meter)
{
    meter.SetMin(1);
    meter.SetMax(128);
    meter.SetColor2Pos(71);
    meter.SetColor3Pos(109);
}

} // namespace

TEST(ZsegProperties, ZoneStartsAreKeptAsPercentagesOfTheRange)
{
    TzcPeakOmeter meter;
    MakeLevelMeter(meter);
    EXPECT_EQ(meter.Color2Percent(), 55);
    EXPECT_EQ(meter.Color2Pos(), 71);
    EXPECT_EQ(meter.Color3Percent(), 85);
    EXPECT_EQ(meter.Color3Pos(), 109);

    meter.SetColor3Pos(200);
    EXPECT_EQ(meter.Color3Percent(), 100);
    EXPECT_EQ(meter.Color3Pos(), 128);

    // Value: 64 of 1..128 is 49 percent, which reads back as round(127 x 0.49 + 1) = 63.
    meter.SetValue(64);
    EXPECT_EQ(meter.ValuePercent(), 49);
    EXPECT_EQ(meter.Value(), 63);
    meter.SetValue(-5);
    EXPECT_EQ(meter.ValuePercent(), 0);
    EXPECT_EQ(meter.Value(), 1);
}

TEST(ZsegProperties, ReadingRoundsHalvesToEven)
{
    TzcPeakOmeter meter;
    meter.SetMax(2);
    meter.SetValue(1); // 50 percent of 0..2
    meter.SetMax(1);   // the percentage stays; 0.5 reads as 0
    EXPECT_EQ(meter.ValuePercent(), 50);
    EXPECT_EQ(meter.Value(), 0);
    meter.SetMax(3); // 1.5 reads as 2
    EXPECT_EQ(meter.Value(), 2);
}

TEST(ZsegProperties, RangeEndsCannotCrossAndDoNotMoveThePercentages)
{
    TzcPeakOmeter meter;
    meter.SetValue(40);
    meter.SetMin(150);
    EXPECT_EQ(meter.Min(), 100);
    meter.SetMin(0);
    meter.SetMax(-20);
    EXPECT_EQ(meter.Max(), 0);
    meter.SetMax(200);
    EXPECT_EQ(meter.ValuePercent(), 40);
    EXPECT_EQ(meter.Value(), 80);
}

TEST(ZsegProperties, ThirdZoneNeverStartsBeforeTheSecond)
{
    TzcPeakOmeter meter;
    meter.SetColor3Pos(30);
    EXPECT_EQ(meter.Color3Percent(), 75);
    meter.SetColor2Pos(95);
    EXPECT_EQ(meter.Color2Percent(), 95);
    EXPECT_EQ(meter.Color3Percent(), 95);
}

TEST(ZsegProperties, NumberOfBarsOutsideTenToAHundredIsRefused)
{
    TzcPeakOmeter meter;
    meter.SetNumberOfBars(9);
    EXPECT_EQ(meter.NumberOfBars(), 25);
    meter.SetNumberOfBars(0);
    EXPECT_EQ(meter.NumberOfBars(), 25);
    meter.SetNumberOfBars(101);
    EXPECT_EQ(meter.NumberOfBars(), 25);
    meter.SetNumberOfBars(10);
    EXPECT_EQ(meter.NumberOfBars(), 10);
    meter.SetNumberOfBars(100);
    EXPECT_EQ(meter.NumberOfBars(), 100);
    EXPECT_FALSE(meter.PaintToImage().isNull());
}

TEST(ZsegProperties, EmptyRangeReadsTheBottomAndNeverDividesByZero)
{
    TzcPeakOmeter meter;
    meter.SetValue(60);
    meter.SetMin(5);
    meter.SetMax(5);
    EXPECT_EQ(meter.Value(), 5);
    meter.SetValue(7);
    EXPECT_EQ(meter.ValuePercent(), 0);
    const QImage before = meter.PaintToImage();
    EXPECT_EQ(QColor(before.pixel(17, 148)), QColor(0x00, 0x20, 0x00)); // first segment unlit
    // Every zone start also reads as 0 percent: the whole bar is second zone, then third.
    meter.SetColor2Pos(9);
    EXPECT_EQ(meter.Color2Pos(), 5);
    EXPECT_EQ(meter.Color2Percent(), 0);
    const QImage after = meter.PaintToImage();
    EXPECT_EQ(QColor(after.pixel(17, 148)), QColor(0x20, 0x20, 0x00));
}

TEST(ZsegProperties, TheWidestRangeDoesNotOverflow)
{
    TzcPeakOmeter meter;
    meter.SetMin(INT_MIN);
    meter.SetMax(INT_MAX);
    meter.SetValue(INT_MAX);
    EXPECT_EQ(meter.ValuePercent(), 100);
    EXPECT_EQ(meter.Value(), INT_MAX);
    meter.SetValue(0);
    EXPECT_EQ(meter.ValuePercent(), 50);
    meter.SetValue(INT_MIN);
    EXPECT_EQ(meter.Value(), INT_MIN);
}

TEST(ZsegEvents, OnChangeFiresOnlyWhenThePercentageChanges)
{
    TzcPeakOmeter meter;
    meter.SetMax(1000);
    int changes = 0;
    meter.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &meter);
        ++changes;
    };
    meter.SetValue(500);
    EXPECT_EQ(changes, 1);
    meter.SetValue(505); // still 50 percent
    EXPECT_EQ(changes, 1);
    meter.SetValue(510);
    EXPECT_EQ(changes, 2);
    meter.SetColor2Pos(100); // zone writes are not value changes
    EXPECT_EQ(changes, 2);
}

TEST(ZsegEvents, AnUnchangedPercentageDoesNotRepaint)
{
    TzcPeakOmeter meter;
    meter.SetMax(1000);
    int paints = 0;
    meter.OnPaint = [&](QObject*) { ++paints; };
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    QTRY_VERIFY_WITH_TIMEOUT(paints > 0, 2000);

    meter.SetValue(500);
    QTRY_VERIFY_WITH_TIMEOUT(paints > 0, 2000);
    QCoreApplication::processEvents();
    paints = 0;
    meter.SetValue(504);
    meter.SetLitColor1(meter.LitColor1());
    meter.SetStyle(meter.Style());
    QCoreApplication::processEvents();
    QTest::qWait(30);
    EXPECT_EQ(paints, 0);

    meter.SetValue(800);
    QTRY_VERIFY_WITH_TIMEOUT(paints > 0, 2000);
}
