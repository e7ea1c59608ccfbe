#include "controls/Zseg.h"

#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

QColor Drawn(TColor color)
{
    return QColor(ToQColor(color).rgb());
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Centre of segment i (from 1) of a vertical meter: its rows run from
// Height - i x seg - 1 + gap up to Height - (i - 1) x seg - 2.
QPoint VerticalCentre(const TzcPeakOmeter& meter, int i)
{
    const int seg = (meter.height() - 2) / meter.NumberOfBars();
    return {meter.width() / 2, meter.height() - i * seg - 1 + seg / 2};
}

std::vector<QColor> VerticalSegments(TzcPeakOmeter& meter)
{
    const QImage image = meter.grab().toImage();
    std::vector<QColor> colours;
    for (int i = 1; i <= meter.NumberOfBars(); ++i) {
        const QPoint c = VerticalCentre(meter, i);
        colours.push_back(At(image, c.x(), c.y()));
    }
    return colours;
}

int LitCount(TzcPeakOmeter& meter)
{
    int lit = 0;
    for (const QColor& c : VerticalSegments(meter)) {
        const TColor t = FromQColor(c);
        lit += t == meter.LitColor1() || t == meter.LitColor2() || t == meter.LitColor3();
    }
    return lit;
}

} // namespace

TEST(ZsegPaint, HalfLevelLightsThirteenOfTwentyFiveSegments)
{
    TzcPeakOmeter meter;
    meter.SetValue(50);
    const std::vector<QColor> segments = VerticalSegments(meter);
    for (int i = 1; i <= 25; ++i) {
        const QColor expected = i <= 13  ? Drawn(0x00FF00)
                                : i < 20 ? Drawn(0x002000)
                                : i < 24 ? Drawn(0x002020)
                                         : Drawn(0x000020);
        EXPECT_EQ(segments[static_cast<std::size_t>(i - 1)], expected) << "segment " << i;
    }
}

TEST(ZsegPaint, FullLevelShowsTheThreeZonesInTheirLitColours)
{
    TzcPeakOmeter meter;
    meter.SetValue(100);
    const std::vector<QColor> segments = VerticalSegments(meter);
    // Thresholds step by 4: 76 is the first at or above 75, 92 the first at or above 90.
    for (int i = 1; i <= 25; ++i) {
        const QColor expected = i < 20 ? Drawn(clLime) : i < 24 ? Drawn(clYellow) : Drawn(clRed);
        EXPECT_EQ(segments[static_cast<std::size_t>(i - 1)], expected) << "segment " << i;
    }
}

TEST(ZsegPaint, ThirtySegmentsNeverReachAZoneStartingAtNinety)
{
    TzcPeakOmeter meter;
    meter.SetNumberOfBars(30); // step 3: thresholds 0 .. 87
    meter.SetValue(100);
    for (const QColor& c : VerticalSegments(meter)) {
        EXPECT_NE(c, Drawn(clRed));
    }
    EXPECT_EQ(VerticalSegments(meter).back(), Drawn(clYellow));
}

TEST(ZsegPaint, VerticalSegmentsLeaveOneGapRowAndABackgroundBorder)
{
    TzcPeakOmeter meter; // 34 x 152, seg 6
    meter.SetColor(clBlue);
    meter.SetValue(100);
    const QImage image = meter.grab().toImage();
    const QColor back = Drawn(clBlue);
    const QColor lime = Drawn(clLime);
    // Segment 1 covers rows 146..150, columns 1..32; row 145 is its gap.
    EXPECT_EQ(At(image, 1, 146), lime);
    EXPECT_EQ(At(image, 32, 150), lime);
    EXPECT_EQ(At(image, 0, 148), back);
    EXPECT_EQ(At(image, 33, 148), back);
    EXPECT_EQ(At(image, 17, 151), back);
    EXPECT_EQ(At(image, 17, 145), back);
    EXPECT_EQ(At(image, 17, 144), lime); // segment 2's bottom row
    // The last segment has no gap: rows 1..6 are all lit.
    EXPECT_EQ(At(image, 17, 1), Drawn(clRed));
    EXPECT_EQ(At(image, 17, 6), Drawn(clRed));
    EXPECT_EQ(At(image, 17, 0), back);
}

TEST(ZsegPaint, WithoutGapsSegmentsTouch)
{
    TzcPeakOmeter meter;
    meter.SetUseGap(false);
    meter.SetValue(100);
    const QImage image = meter.grab().toImage();
    EXPECT_EQ(At(image, 17, 145), Drawn(clLime));
}

TEST(ZsegPaint, HorizontalLevelMeterFillsFromTheLeftAndLeavesTheRemainder)
{
    TzcPeakOmeter meter;
    meter.SetOrientation(zcpOrientation::zcpHorizontal);
    meter.resize(92, 18); // seg (92 - 2) div 25 = 3: two lit columns and a gap column each
    meter.SetMin(1);
    meter.SetMax(128);
    meter.SetColor2Pos(71);  // 55 percent
    meter.SetColor3Pos(109); // 85 percent
    meter.SetValue(128);
    const QImage image = meter.grab().toImage();
    const QColor back = Drawn(clBlack);
    EXPECT_EQ(At(image, 1, 9), Drawn(clLime));
    EXPECT_EQ(At(image, 2, 9), Drawn(clLime));
    EXPECT_EQ(At(image, 3, 9), back);
    EXPECT_EQ(At(image, 1, 1), Drawn(clLime));
    EXPECT_EQ(At(image, 1, 16), Drawn(clLime));
    EXPECT_EQ(At(image, 1, 0), back);
    EXPECT_EQ(At(image, 1, 17), back);
    // Segment 15 (threshold 56) is the first yellow one, segment 23 (threshold 88) the first red.
    EXPECT_EQ(At(image, 13 * 3 + 1, 9), Drawn(clLime));
    EXPECT_EQ(At(image, 14 * 3 + 1, 9), Drawn(clYellow));
    EXPECT_EQ(At(image, 21 * 3 + 1, 9), Drawn(clYellow));
    EXPECT_EQ(At(image, 22 * 3 + 1, 9), Drawn(clRed));
    // The last segment ends without a gap at column 75; columns 76 on stay background.
    EXPECT_EQ(At(image, 75, 9), Drawn(clRed));
    EXPECT_EQ(At(image, 76, 9), back);
    EXPECT_EQ(At(image, 90, 9), back);
}

TEST(ZsegPaint, RoundAndDotSegmentsLeaveTheirCornersToTheBackground)
{
    TzcPeakOmeter meter;
    meter.SetNumberOfBars(10); // seg 15, corner 5
    meter.SetValue(100);
    meter.SetColor(clBlue);
    for (zcDotStyle style : {zcDotStyle::zcdsRound, zcDotStyle::zcdsDot}) {
        meter.SetStyle(style);
        const QImage image = meter.grab().toImage();
        // Segment 1: rows 137..150 (the dot keeps its gap), columns 1..32.
        EXPECT_EQ(At(image, 1, 137), Drawn(clBlue)) << int(style);
        EXPECT_EQ(At(image, 32, 150), Drawn(clBlue)) << int(style);
        EXPECT_EQ(At(image, 17, 143), Drawn(clLime)) << int(style);
        EXPECT_EQ(At(image, 1, 143), Drawn(clLime)) << int(style);
    }
    meter.SetStyle(zcDotStyle::zcdsRound);
    QImage image = meter.grab().toImage();
    EXPECT_EQ(At(image, 17, 1), Drawn(clRed)); // the last rounded segment has no gap
    EXPECT_EQ(At(image, 5, 143), Drawn(clLime));
    meter.SetStyle(zcDotStyle::zcdsDot);
    image = meter.grab().toImage();
    EXPECT_EQ(At(image, 17, 1), Drawn(clBlue)); // dots keep the gap on the last one too
    EXPECT_EQ(At(image, 5, 143), Drawn(clLime));
    EXPECT_EQ(At(image, 3, 139), Drawn(clBlue)); // an ellipse cuts deeper than a rounded corner
}

TEST(ZsegPaint, ALouderLevelNeverLightsFewerSegments)
{
    TzcPeakOmeter meter;
    meter.SetMin(1);
    meter.SetMax(128);
    int previous = 0;
    for (int value = 1; value <= 128; ++value) {
        meter.SetValue(value);
        const int lit = LitCount(meter);
        EXPECT_GE(lit, previous) << value;
        previous = lit;
    }
    EXPECT_EQ(previous, 25);
    meter.SetValue(1);
    EXPECT_EQ(LitCount(meter), 0);
}

TEST(ZsegPaint, ColourWritesShowOnTheNextPaint)
{
    TzcPeakOmeter meter;
    meter.SetValue(10);
    meter.SetLitColor1(clFuchsia);
    meter.SetUnLitColor3(clAqua);
    const std::vector<QColor> segments = VerticalSegments(meter);
    EXPECT_EQ(segments.front(), Drawn(clFuchsia));
    EXPECT_EQ(segments.back(), Drawn(clAqua));
    int paints = 0;
    meter.OnPaint = [&](QObject*) { ++paints; };
    (void)meter.grab();
    EXPECT_EQ(paints, 1);
}
