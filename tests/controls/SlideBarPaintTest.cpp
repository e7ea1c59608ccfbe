#include "controls/SlideBar.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

const QColor kBack(0x12, 0x34, 0x56);

// A bar on a window of a known colour, so background pixels can be told from drawn ones.
struct Fixture
{
    QWidget window;
    TzSlideBar* bar;

    Fixture()
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kBack);
        window.setPalette(palette);
        window.resize(300, 300);
        bar = new TzSlideBar(&window);
    }

    QImage Grab() const { return bar->grab().toImage(); }
};

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// A colour as it lands in a 32-bit image: palette colours carry more precision than that.
QColor Drawn(TColor color)
{
    return QColor(ToQColor(color).rgb());
}

} // namespace

TEST(SlideBarPaint, GrooveEdgesStopShortOfTheirEndPoints)
{
    Fixture f; // 100 x 20, thickness 2: x1 5, x2 95, y1 8, y2 11
    f.bar->SetTicks(false);
    f.bar->SetValue(5); // thumb at 45..54
    const QImage image = f.Grab();
    const QColor shadow = Drawn(clBtnShadow);
    const QColor light = Drawn(clBtnHighlight);
    ASSERT_NE(shadow, light);
    EXPECT_EQ(At(image, 5, 8), shadow);
    EXPECT_EQ(At(image, 20, 8), shadow);
    EXPECT_EQ(At(image, 5, 10), shadow);
    EXPECT_EQ(At(image, 5, 11), light);
    EXPECT_EQ(At(image, 94, 11), light);
    EXPECT_EQ(At(image, 95, 11), light);
    EXPECT_EQ(At(image, 95, 8), light);
    EXPECT_EQ(At(image, 95, 7), kBack);
    EXPECT_EQ(At(image, 96, 9), kBack);
    EXPECT_EQ(At(image, 4, 9), kBack);
    EXPECT_EQ(At(image, 20, 9), Drawn(clBtnFace));
    EXPECT_EQ(At(image, 94, 10), Drawn(clBtnFace));
}

TEST(SlideBarPaint, RaisedGrooveSwapsTheEdgeColoursAndFocusColoursTheInside)
{
    Fixture f;
    f.bar->SetTicks(false);
    f.bar->SetStyle(TBarStyle::bsRaised);
    f.bar->SetNonFocusColor(clYellow);
    const QImage image = f.Grab();
    EXPECT_EQ(At(image, 20, 8), Drawn(clBtnHighlight));
    EXPECT_EQ(At(image, 20, 11), Drawn(clBtnShadow));
    EXPECT_EQ(At(image, 20, 9), QColor(0xFF, 0xFF, 0x00));
}

TEST(SlideBarPaint, TicksSitEveryStepOnBothSidesWithTheirGaps)
{
    Fixture f; // spacing 90 / 10 = 9: ticks at x = 5 + 9n, the last at x2 - 1 = 94
    f.bar->SetValue(0);
    const QImage image = f.Grab();
    const QColor shadow = Drawn(clBtnShadow);
    const QColor light = Drawn(clBtnHighlight);
    for (int x : {14, 23, 86}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(At(image, x, 13), kBack);  // gap below the groove
        EXPECT_EQ(At(image, x, 14), shadow); // far side: rows 14..17
        EXPECT_EQ(At(image, x, 17), shadow);
        EXPECT_EQ(At(image, x + 1, 14), light);
        EXPECT_EQ(At(image, x, 18), kBack);
        EXPECT_EQ(At(image, x, 5), shadow); // near side: rows 5 down to 2
        EXPECT_EQ(At(image, x, 2), shadow);
        EXPECT_EQ(At(image, x, 1), kBack);
        EXPECT_EQ(At(image, x, 6), kBack);
    }
    EXPECT_EQ(At(image, 94, 15), shadow);
    EXPECT_EQ(At(image, 95, 15), light);
    EXPECT_EQ(At(image, 30, 15), kBack);
}

TEST(SlideBarPaint, OwnerDrawnTicksAreHandedTheirStartPointsAndDrawNothingThemselves)
{
    Fixture f;
    f.bar->SetMax(4);
    f.bar->SetStepPerTick(2);
    f.bar->SetTickStyle(TzTickStyle::tsOwnerDraw);
    std::vector<std::tuple<int, int, bool, int>> calls;
    f.bar->OnOwnerDraw = [&calls](QPainter&, int x, int y, bool left, int n) {
        calls.emplace_back(x, y, left, n);
    };
    const QImage image = f.Grab();
    // Spacing 90 / 4 = 22.5: values 0, 2, 4 at x 5, 50 and 94.
    const std::vector<std::tuple<int, int, bool, int>> expected{{5, 14, false, 0},  {5, 5, true, 0},
                                                                {50, 14, false, 1}, {50, 5, true, 1},
                                                                {94, 14, false, 2}, {94, 5, true, 2}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(At(image, 94, 15), kBack);
}

TEST(SlideBarPaint, DefaultThumbIsDrawnPixelForPixelAtItsValue)
{
    Fixture f;
    f.bar->SetColor(clLime);
    f.bar->SetValue(5); // thumb at (45, 0)
    const QImage image = f.Grab();
    const QColor gray(0x80, 0x80, 0x80), black(0, 0, 0), white(0xFF, 0xFF, 0xFF), face(0, 0xFF, 0);
    const auto thumb = [&](int x, int y) { return At(image, 45 + x, y); };
    EXPECT_EQ(thumb(0, 0), gray);
    EXPECT_EQ(thumb(9, 0), gray);
    EXPECT_EQ(thumb(8, 10), gray);
    EXPECT_EQ(thumb(8, 2), face); // the gray line stops short of its last point
    EXPECT_EQ(thumb(9, 19), black);
    EXPECT_EQ(thumb(0, 19), gray);
    EXPECT_EQ(thumb(4, 5), white);
    EXPECT_EQ(thumb(7, 1), white);
    EXPECT_EQ(thumb(8, 1), face);
    EXPECT_EQ(thumb(2, 10), face);
    EXPECT_EQ(At(image, 44, 0), kBack);
    EXPECT_EQ(At(image, 55, 0), kBack);
}

TEST(SlideBarPaint, VerticalBandThumbMovesUpWithTheValue)
{
    Fixture f;
    f.bar->SetThumbStyle(TThumbStyle::tsHorzHigh);
    f.bar->resize(40, 200);
    f.bar->SetMax(30);
    f.bar->SetTicks(false);
    f.bar->SetValue(30);
    QImage image = f.Grab();
    EXPECT_EQ(At(image, 10, 0), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(At(image, 29, 9), QColor(0, 0, 0));
    EXPECT_EQ(At(image, 12, 1), QColor(0xFF, 0xFF, 0xFF));
    f.bar->SetValue(0);
    image = f.Grab();
    EXPECT_EQ(At(image, 10, 190), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(At(image, 29, 199), QColor(0, 0, 0));
    // Vertical groove: x1 = (40 - 2) / 2 - 1 = 18, from y1 = 5 to y2 = 195.
    EXPECT_EQ(At(image, 18, 100), Drawn(clBtnShadow));
    EXPECT_EQ(At(image, 21, 100), Drawn(clBtnHighlight));
    EXPECT_EQ(At(image, 19, 100), Drawn(clBtnFace));
}

TEST(SlideBarPaint, PointedThumbLetsTheBackgroundThroughOutsideItsMask)
{
    Fixture f;
    f.bar->resize(200, 40);
    f.bar->SetThumbStyle(TThumbStyle::tsTop);
    f.bar->SetColor(clRed);
    f.bar->SetTicks(false);
    f.bar->SetSteelLook(true);
    f.bar->SetValue(0); // thumb at (0, 6), 11 x 27
    const QImage image = f.Grab();
    const QColor silver(0xC0, 0xC0, 0xC0), white(0xFF, 0xFF, 0xFF);
    EXPECT_EQ(At(image, 0, 6), silver); // the notch: steel shows through
    EXPECT_EQ(At(image, 1, 7), white);
    EXPECT_EQ(At(image, 9, 7), white);
    EXPECT_EQ(At(image, 5, 16), QColor(0xFF, 0, 0));
    EXPECT_EQ(At(image, 10, 32), QColor(0, 0, 0));
    EXPECT_EQ(At(image, 0, 20), QColor(0x80, 0x80, 0x80));
}

TEST(SlideBarPaint, SteelLookTilesTheBrushFromTheBarsCorner)
{
    Fixture f;
    f.bar->SetTicks(false);
    f.bar->SetSteelLook(true);
    f.bar->SetValue(10); // thumb out of the way at 90..99
    const QImage image = f.Grab();
    EXPECT_EQ(At(image, 1, 1), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(At(image, 17, 3), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(At(image, 0, 1), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(At(image, 16, 2), QColor(0xC0, 0xC0, 0xC0));
}

TEST(SlideBarPaint, EveryThumbStyleIsOpaqueWhereItsMaskIsBlackAndBlackElsewhere)
{
    for (int s = 0; s <= static_cast<int>(TThumbStyle::tsSquarehollowVLine); ++s) {
        SCOPED_TRACE(s);
        const SlideBarThumb t = BuildSlideBarThumb(static_cast<TThumbStyle>(s), QColor(0x10, 0x20, 0x30));
        ASSERT_EQ(t.Bitmap.size(), t.Mask.size());
        int opaque = 0;
        for (int y = 0; y < t.Mask.height(); ++y) {
            for (int x = 0; x < t.Mask.width(); ++x) {
                const QRgb m = t.Mask.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF);
                if (m == 0) {
                    ++opaque;
                } else {
                    ASSERT_EQ(t.Bitmap.pixel(x, y) & 0xFFFFFF, 0u);
                }
            }
        }
        EXPECT_GT(opaque, t.Mask.width() * t.Mask.height() / 3);
    }
    EXPECT_EQ(BuildSlideBarThumb(TThumbStyle::tsLeft, Qt::red).Bitmap.size(), QSize(27, 11));
    EXPECT_EQ(BuildSlideBarThumb(TThumbStyle::tsBottom, Qt::red).Bitmap.size(), QSize(11, 27));
    EXPECT_EQ(BuildSlideBarThumb(TThumbStyle::tsSquare, Qt::red).Bitmap.size(), QSize(20, 20));
}

TEST(SlideBarPaint, FocusedGrooveTakesTheFocusColourAndLosesItWithTheFocus)
{
    Fixture f;
    f.bar->SetTicks(false);
    f.bar->SetFocusColor(clFuchsia);
    auto* other = new QWidget(&f.window);
    other->setFocusPolicy(Qt::StrongFocus);
    f.window.show();
    f.window.activateWindow();
    QApplication::setActiveWindow(&f.window);
    f.bar->setFocus();
    ASSERT_TRUE(f.bar->hasFocus());
    EXPECT_EQ(At(f.Grab(), 20, 9), QColor(0xFF, 0, 0xFF));
    other->setFocus();
    EXPECT_EQ(At(f.Grab(), 20, 9), Drawn(clBtnFace));
}
