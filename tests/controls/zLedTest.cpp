#include "controls/zLed.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TColor PixelAt(const QImage& image, int x, int y)
{
    return FromQColor(QColor(image.pixel(x, y)));
}

struct Lamp
{
    LedColorType type;
    TColor lit;
    TColor unlit;
};

const Lamp kLamps[] = {
    {LedColorType::lctRed, 0x0000FF, 0x000080},      {LedColorType::lctBlue, 0xFF0000, 0x800000},
    {LedColorType::lctGreen, 0x00FF00, 0x008000},    {LedColorType::lctyellow, 0x00FFFF, 0x008080},
    {LedColorType::lctMangenta, 0xFF00FF, 0x800080}, {LedColorType::lctGrey, 0xC0C0C0, 0x000000},
    {LedColorType::lctCyan, 0xFFFF00, 0x808000},     {LedColorType::lctWhite, 0xFFFFFF, 0x808080},
    {LedColorType::lctUser, 0x0000FF, 0x000080},
};

// Length of the run of black pixels from the left edge along the middle row.
int BlackRunFromLeft(const QImage& image)
{
    const int y = image.height() / 2;
    int x = 0;
    while (x < image.width() && PixelAt(image, x, y) == clBlack) {
        ++x;
    }
    return x;
}

} // namespace

TEST(zLed, EachColourPaintsItsLitAndUnlitLampAtTheCentre)
{
    QWidget parent;
    TzLed led(&parent);
    for (const Lamp& lamp : kLamps) {
        led.SetLEDColor(lamp.type);
        led.SetEnabled(true);
        EXPECT_EQ(PixelAt(led.PaintToImage(), 8, 8), lamp.lit) << static_cast<int>(lamp.type);
        led.SetEnabled(false);
        EXPECT_EQ(PixelAt(led.PaintToImage(), 8, 8), lamp.unlit) << static_cast<int>(lamp.type);
    }
}

TEST(zLed, UserColoursComeFromTheEventsOnlyForTheUserLamp)
{
    TzLed led;
    led.OnGetOnColor = [](QObject*, TColor& c) { c = 0x123456; };
    led.OnGetOffColor = [](QObject*, TColor& c) { c = 0x654321; };
    led.SetEnabled(true);
    EXPECT_EQ(PixelAt(led.PaintToImage(), 8, 8), clRed);
    led.SetLEDColor(LedColorType::lctUser);
    EXPECT_EQ(PixelAt(led.PaintToImage(), 8, 8), 0x123456);
    led.SetEnabled(false);
    EXPECT_EQ(PixelAt(led.PaintToImage(), 8, 8), 0x654321);
}

TEST(zLed, RoundLampKeepsTheParentsColourInTheCornersAndOutlinesInBlack)
{
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(parent.backgroundRole(), QColor(0x11, 0x22, 0x33));
    parent.setPalette(palette);
    TzLed led(&parent);
    led.SetEnabled(true);
    const QImage image = led.PaintToImage();
    EXPECT_EQ(PixelAt(image, 0, 0), RgbToColor(0x11, 0x22, 0x33));
    EXPECT_EQ(PixelAt(image, 16, 16), RgbToColor(0x11, 0x22, 0x33));
    EXPECT_EQ(PixelAt(image, 0, 8), clBlack);
    EXPECT_EQ(PixelAt(image, 8, 0), clBlack);
    // The ring's upper left stays silver; the lens is ringed in black inside it.
    EXPECT_EQ(PixelAt(image, 3, 3), clSilver);
}

TEST(zLed, SteelLookTilesTheBackground)
{
    TzLed led;
    led.SetSteelLook(true);
    const QImage image = led.PaintToImage();
    EXPECT_EQ(PixelAt(image, 0, 0), clSilver);
    EXPECT_EQ(PixelAt(image, 1, 1), clWhite);
    EXPECT_EQ(PixelAt(image, 16, 0), clSilver);
}

TEST(zLed, LineWidthGrowsWithTheSizeUpToSixPixels)
{
    TzLed led;
    led.SetEnabled(true);
    // Outline, the notch across the ring and the lens's outline meet on the middle row: 3 x b.
    EXPECT_EQ(BlackRunFromLeft(led.PaintToImage()), 3);
    led.resize(68, 68);
    EXPECT_EQ(BlackRunFromLeft(led.PaintToImage()), 12);
    led.resize(120, 120);
    EXPECT_EQ(BlackRunFromLeft(led.PaintToImage()), 18);
    led.resize(240, 240);
    EXPECT_EQ(BlackRunFromLeft(led.PaintToImage()), 18);
    EXPECT_EQ(PixelAt(led.PaintToImage(), 120, 120), clRed);
}

TEST(zLed, SquareAndSimpleRoundLampsShowTheLampColour)
{
    TzLed led;
    led.resize(34, 34);
    led.SetEnabled(true);
    led.SetLedStyle(LedStyleType::lstSquare);
    QImage image = led.PaintToImage();
    EXPECT_EQ(PixelAt(image, 0, 0), clBlack);
    EXPECT_EQ(PixelAt(image, 17, 17), clRed);
    led.SetLedStyle(LedStyleType::lstSimpleRound);
    image = led.PaintToImage();
    EXPECT_EQ(PixelAt(image, 0, 17), clBlack);
    EXPECT_EQ(PixelAt(image, 5, 17), clRed);
}

TEST(zLed, WritingTheLitStateTwiceFiresOnChangeOnce)
{
    TzLed led;
    int changes = 0;
    led.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &led);
        ++changes;
    };
    led.SetEnabled(true);
    led.SetEnabled(true);
    EXPECT_EQ(changes, 1);
    led.ToggleLit();
    EXPECT_FALSE(led.Enabled());
    EXPECT_EQ(changes, 2);
}

TEST(zLed, BlinkTogglesOnEveryTickUntilSwitchedOffAndCanStartAgain)
{
    TzLed led;
    int changes = 0;
    led.OnChange = [&](QObject*) { ++changes; };
    led.SetBlinkInterval(20);
    led.SetBlink(true);
    ASSERT_NE(led.BlinkTimer(), nullptr);
    EXPECT_EQ(led.BlinkTimer()->interval(), 20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes >= 4; }, 5000));
    led.SwitchOff();
    EXPECT_FALSE(led.Enabled());
    EXPECT_FALSE(led.Blink());
    EXPECT_EQ(led.BlinkTimer(), nullptr);
    const int afterOff = changes;
    QTest::qWait(80);
    EXPECT_EQ(changes, afterOff);
    led.SetBlink(true);
    EXPECT_NE(led.BlinkTimer(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return changes >= afterOff + 2; }, 5000));
}

TEST(zLed, ANewIntervalRestartsARunningBlink)
{
    TzLed led;
    led.SetBlink(true);
    ASSERT_NE(led.BlinkTimer(), nullptr);
    EXPECT_EQ(led.BlinkTimer()->interval(), 500);
    led.SetBlinkInterval(250);
    ASSERT_NE(led.BlinkTimer(), nullptr);
    EXPECT_EQ(led.BlinkTimer()->interval(), 250);
    EXPECT_TRUE(led.BlinkTimer()->isActive());
}

TEST(zLed, AnIntervalOfZeroOrLessStartsNoTimer)
{
    TzLed led;
    led.SetBlinkInterval(0);
    led.SetBlink(true);
    EXPECT_TRUE(led.Blink());
    EXPECT_EQ(led.BlinkTimer(), nullptr);
    led.SetBlinkInterval(-5);
    EXPECT_EQ(led.BlinkTimer(), nullptr);
    led.SetBlinkInterval(100);
    EXPECT_NE(led.BlinkTimer(), nullptr);
}
