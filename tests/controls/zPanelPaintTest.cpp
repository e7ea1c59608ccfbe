#include "controls/zPanel.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

QColor Drawn(TColor color)
{
    return QColor(ToQColor(color).rgb());
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A dial with a plain housing, so housing pixels can be told from drawn ones.
struct Dial
{
    TzPanelMeter meter;

    Dial()
    {
        meter.SetHouseStyle(TBrushStyle::bsSolid);
        meter.SetHouseColor(clTeal);
        meter.SetShadowColor(clNavy);
        meter.SetHighColor(clYellow);
    }

    QImage Grab() { return meter.grab().toImage(); }
};

// The main window's level dial: 96 x 63, 1..128, alert at 110, scale width 1.
void MakeLevelDial(TzPanelMeter& meter)
{
    meter.resize(96, 63);
    meter.SetMax(128);
    meter.SetMin(1);
    meter.SetAlert(110);
    meter.SetScaleWidth(1);
}

} // namespace

// Default 105 x 97: s 9, b 8, cx 52, base 73; the arc's x is round(52 sin) + 52 and its y
// 64 - d - round(48 cos).
TEST(zPanelPaint, HalfScalePutsTheNeedleStraightAboveTheCentre)
{
    Dial dial;
    dial.meter.SetValue(50);
    const QImage image = dial.Grab();
    const QColor hand = Drawn(0x008000);
    EXPECT_EQ(At(image, 52, 16), hand); // tip
    EXPECT_EQ(At(image, 52, 40), hand);
    EXPECT_EQ(At(image, 52, 64), hand); // the end point (52, 65) stays undrawn
    EXPECT_EQ(At(image, 52, 65), Drawn(clTeal));
    EXPECT_EQ(At(image, 51, 40), Drawn(0xFFFFFF));
    EXPECT_EQ(At(image, 53, 40), Drawn(0xFFFFFF));
    // The dial kept between value writes carries no needle: the old one is gone.
    dial.meter.SetValue(0);
    EXPECT_EQ(At(dial.Grab(), 52, 40), Drawn(0xFFFFFF));
}

TEST(zPanelPaint, EmptyAndFullScaleLieFiftyDegreesEitherSide)
{
    Dial dial;
    const QColor hand = Drawn(0x008000);
    dial.meter.SetValue(0);
    QImage image = dial.Grab();
    EXPECT_EQ(At(image, 12, 33), hand);
    EXPECT_NE(At(image, 92, 33), hand);
    dial.meter.SetValue(100);
    image = dial.Grab();
    EXPECT_EQ(At(image, 92, 33), hand);
    EXPECT_NE(At(image, 12, 33), hand);
}

TEST(zPanelPaint, ScaleStrokesAndTicksSitAtTheirHeightsInTheZoneColour)
{
    Dial dial;
    dial.meter.SetValue(50);
    const QImage image = dial.Grab();
    const QColor normal = Drawn(clBlack);
    const QColor alert = Drawn(0x0000FF);
    const QColor face = Drawn(0xFFFFFF);
    // 0 %: the arc point is (12, 33); the stroke runs from d = -2 up to, not including, d = 2.
    for (int y = 32; y <= 35; ++y) {
        EXPECT_EQ(At(image, 12, y), normal) << y;
    }
    EXPECT_EQ(At(image, 12, 31), face);
    EXPECT_EQ(At(image, 12, 30), normal); // tick dots at d = 3 and 4
    EXPECT_EQ(At(image, 12, 29), normal);
    EXPECT_EQ(At(image, 12, 28), face);
    EXPECT_EQ(At(image, 12, 36), face);
    // 100 % is past the alert level.
    for (int y = 32; y <= 35; ++y) {
        EXPECT_EQ(At(image, 92, y), alert) << y;
    }
    EXPECT_EQ(At(image, 92, 30), alert);
    EXPECT_EQ(At(image, 92, 31), face);
}

TEST(zPanelPaint, LevelDialChangesColourWhereTheAlertZoneStarts)
{
    TzPanelMeter meter;
    MakeLevelDial(meter);
    meter.SetValue(1);
    const QImage image = meter.grab().toImage();
    // 84 % (value 108) is at (75, 15), 85 % (values 109 and 110) at (76, 16); with scale width 1
    // a stroke covers d = -2 .. 0.
    EXPECT_EQ(At(image, 75, 17), Drawn(clBlack));
    EXPECT_EQ(At(image, 76, 18), Drawn(0x0000FF));
    // Without the alert the whole scale is in the normal colour.
    meter.SetUseAlert(false);
    EXPECT_EQ(At(meter.grab().toImage(), 76, 18), Drawn(clBlack));
}

TEST(zPanelPaint, LevelDialNeedleFollowsTheValue)
{
    TzPanelMeter meter;
    MakeLevelDial(meter);
    const QColor hand = Drawn(0x008000);
    meter.SetValue(109); // 85 %: 35 degrees right of straight up
    EXPECT_EQ(At(meter.grab().toImage(), 76, 16), hand);
    meter.SetValue(128);
    EXPECT_EQ(At(meter.grab().toImage(), 85, 21), hand);
    meter.SetValue(1);
    EXPECT_EQ(At(meter.grab().toImage(), 11, 21), hand);
}

TEST(zPanelPaint, BevelsFollowTheirPolylines)
{
    Dial dial;
    const QImage image = dial.Grab();
    const QColor shadow = Drawn(clNavy);
    const QColor high = Drawn(clYellow);
    const QColor black = Drawn(clBlack);
    EXPECT_EQ(At(image, 0, 10), shadow);
    EXPECT_EQ(At(image, 1, 10), high);
    EXPECT_EQ(At(image, 103, 10), shadow);
    EXPECT_EQ(At(image, 104, 10), black);
    EXPECT_EQ(At(image, 10, 0), shadow);
    EXPECT_EQ(At(image, 10, 1), high);
    EXPECT_EQ(At(image, 10, 95), shadow);
    EXPECT_EQ(At(image, 10, 96), black);
    EXPECT_EQ(At(image, 0, 96), shadow); // the black line's last point is not drawn
    EXPECT_EQ(At(image, 104, 0), black);
    // Around the face: shadow outside, black inside on the top and left; highlight right and below.
    EXPECT_EQ(At(image, 8, 30), shadow);
    EXPECT_EQ(At(image, 9, 30), black);
    EXPECT_EQ(At(image, 10, 30), Drawn(0xFFFFFF));
    EXPECT_EQ(At(image, 50, 7), shadow);
    EXPECT_EQ(At(image, 50, 8), black);
    EXPECT_EQ(At(image, 97, 30), high);
    EXPECT_EQ(At(image, 30, 66), high);
    EXPECT_EQ(At(image, 4, 4), Drawn(clTeal));
}

TEST(zPanelPaint, HubAndItsShadowLineShowOnlyWithShowAll)
{
    Dial dial;
    QImage image = dial.Grab();
    // Hub box (45, 75) - (59, 87); the lines at rows 81 and 80 cross it.
    EXPECT_EQ(At(image, 52, 78), Drawn(0x008000));
    EXPECT_EQ(At(image, 52, 75), Drawn(clBlack));
    EXPECT_EQ(At(image, 52, 81), Drawn(clYellow));
    EXPECT_EQ(At(image, 52, 80), Drawn(clNavy));
    EXPECT_EQ(At(image, 45, 75), Drawn(clTeal)); // outside the ellipse
    dial.meter.SetShowAll(false);
    image = dial.Grab();
    for (QPoint p : {QPoint(52, 78), QPoint(52, 75), QPoint(52, 81), QPoint(52, 80)}) {
        EXPECT_EQ(At(image, p.x(), p.y()), Drawn(clTeal)) << p.x() << "," << p.y();
    }
}

TEST(zPanelPaint, SteelLookFillsTheHousingWithTheSteelPattern)
{
    Dial dial;
    dial.meter.SetSteelLook(true);
    const QImage image = dial.Grab();
    EXPECT_EQ(At(image, 4, 4), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(At(image, 5, 5), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(At(image, 4, 5), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(At(image, 0, 10), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(At(image, 1, 10), QColor(0xFF, 0xFF, 0xFF));
}

TEST(zPanelPaint, CaptionSitsCentredAtTheBottomOfTheFace)
{
    Dial dial;
    dial.meter.SetShowAll(false);
    dial.meter.SetTicks(false);
    const QImage bare = dial.Grab();
    dial.meter.SetCaption(QStringLiteral("Left"));
    const QImage captioned = dial.Grab();
    QRect changed;
    for (int y = 0; y < bare.height(); ++y) {
        for (int x = 0; x < bare.width(); ++x) {
            if (bare.pixel(x, y) != captioned.pixel(x, y)) {
                changed |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(changed.isEmpty());
    // The face (10, 9) - (96, 65) shrunk by 2.
    EXPECT_TRUE(QRect(QPoint(12, 11), QPoint(93, 62)).contains(changed)) << changed.x() << "," << changed.y();
    EXPECT_GT(changed.bottom(), 50);
    EXPECT_NEAR((changed.left() + changed.right()) / 2.0, 52.5, 2.0);
}

TEST(zPanelPaint, EdgeMetersPlaceTheHandAlongAStraightScale)
{
    TzPanelMeter meter;
    meter.SetPanelType(zPanelType::zpEdgeVert);
    const QColor hand = Drawn(0x008000);
    // Face (22..83, 9..88); the scale runs from row 85 (0 %) to row 12 (100 %).
    meter.SetValue(0);
    EXPECT_EQ(At(meter.grab().toImage(), 30, 85), hand);
    meter.SetValue(100);
    EXPECT_EQ(At(meter.grab().toImage(), 30, 12), hand);
    meter.SetValue(45);
    QImage image = meter.grab().toImage();
    EXPECT_EQ(At(image, 30, 53), hand);
    EXPECT_EQ(At(image, 53, 60), Drawn(clBlack));  // normal part of the bar
    EXPECT_EQ(At(image, 53, 25), Drawn(0x0000FF)); // alert part, from 75 % up
    EXPECT_EQ(At(image, 30, 60), Drawn(0xFFFFFF)); // face

    meter.SetPanelType(zPanelType::zpEdgeHorz);
    meter.SetValue(0);
    EXPECT_EQ(At(meter.grab().toImage(), 13, 40), hand);
    meter.SetValue(100);
    image = meter.grab().toImage();
    EXPECT_EQ(At(image, 92, 40), hand);
    EXPECT_EQ(At(image, 85, 49), Drawn(0x0000FF));
    EXPECT_EQ(At(image, 30, 49), Drawn(clBlack));
}

TEST(zPanelPaint, EmptyRangeRestsTheNeedleAtTheStart)
{
    Dial dial;
    dial.meter.SetMax(40);
    dial.meter.SetMin(40);
    dial.meter.SetValue(40);
    dial.meter.SetStepPerTick(0);
    EXPECT_EQ(At(dial.Grab(), 12, 33), Drawn(0x008000));
}
