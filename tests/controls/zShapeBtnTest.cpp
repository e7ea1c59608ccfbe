#include "controls/zShapeBtn.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Press(QWidget* w, QPoint at)
{
    SendMouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
void Move(QWidget* w, QPoint at)
{
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
}
void Release(QWidget* w, QPoint at)
{
    SendMouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// A window with a plain widget under a shaped button of the cue editor's size.
struct Stack
{
    QWidget window;
    QWidget* beneath = new QWidget(&window);
    TzShapeBtn* button = new TzShapeBtn(&window);
    int beneathPresses = 0;

    explicit Stack(sbType shape)
    {
        window.resize(100, 60);
        beneath->setGeometry(10, 10, 39, 26);
        button->setGeometry(10, 10, 39, 26);
        button->SetShape(shape);
    }
};

} // namespace

TEST(zShapeBtn, RegionsHoldThePointsInsideTheShapeBeforeAnyPaint)
{
    TzShapeBtn button;
    button.resize(39, 26);
    button.SetShape(sbType::sbRTriangle);
    const QRegion& r = button.ShapeRegion();
    EXPECT_TRUE(r.contains(QPoint(3, 12)));
    EXPECT_TRUE(r.contains(QPoint(30, 12)));
    EXPECT_FALSE(r.contains(QPoint(35, 2)));
    EXPECT_FALSE(r.contains(QPoint(35, 23)));

    button.SetShape(sbType::sbDnTrapezoid);
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(19, 20)));
    EXPECT_FALSE(button.ShapeRegion().contains(QPoint(2, 22)));
    EXPECT_FALSE(button.ShapeRegion().contains(QPoint(36, 22)));

    button.SetShape(sbType::sbCircle);
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(19, 13)));
    EXPECT_FALSE(button.ShapeRegion().contains(QPoint(1, 1)));

    button.SetShape(sbType::sbPlus);
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(18, 2)));
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(2, 12)));
    EXPECT_FALSE(button.ShapeRegion().contains(QPoint(2, 2)));

    button.SetShape(sbType::sbRectangle);
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(0, 0)));
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(37, 24)));
}

TEST(zShapeBtn, CompassShapesShareTheRegionsOfTheirTriangles)
{
    const std::pair<sbType, sbType> pairs[] = {
        {sbType::sb000, sbType::sbUpTriangle},  {sbType::sb090, sbType::sbRTriangle},
        {sbType::sb180, sbType::sbDnTriangle},  {sbType::sb270, sbType::sbLTriangle},
        {sbType::sb045, sbType::sbUpRTriangle}, {sbType::sb135, sbType::sbDnRTriangle},
        {sbType::sb225, sbType::sbDnLTriangle}, {sbType::sb315, sbType::sbUpLTriangle},
    };
    TzShapeBtn a;
    TzShapeBtn b;
    for (const auto& [compass, triangle] : pairs) {
        a.SetShape(compass);
        b.SetShape(triangle);
        EXPECT_EQ(a.ShapeRegion(), b.ShapeRegion()) << static_cast<int>(compass);
        EXPECT_FALSE(a.ShapeRegion().isEmpty());
    }
}

TEST(zShapeBtn, TheRegionFollowsResizeAndOwnerDrawnRegions)
{
    TzShapeBtn button;
    button.SetShape(sbType::sbRTriangle);
    EXPECT_FALSE(button.ShapeRegion().contains(QPoint(60, 30)));
    button.resize(100, 60);
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(60, 30)));

    button.OnGetRegion = [](QObject*, QRegion& region, int, int) { region = QRegion(5, 5, 10, 10); };
    button.SetShape(sbType::sbOwnerDraw);
    EXPECT_TRUE(button.ShapeRegion().contains(QPoint(7, 7)));
    EXPECT_FALSE(button.ShapeRegion().contains(QPoint(50, 30)));
}

TEST(zShapeBtn, AClickOnTheTransparentCornerReachesTheControlBeneath)
{
    Stack stack(sbType::sbRTriangle);
    int clicks = 0;
    stack.button->OnClick = [&](QObject*) { ++clicks; };
    stack.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&stack.window));
    // Corner of the triangle's box: the widget under the point is the one beneath.
    EXPECT_EQ(stack.window.childAt(QPoint(10 + 35, 10 + 2)), stack.beneath);
    EXPECT_EQ(stack.window.childAt(QPoint(10 + 5, 10 + 12)), stack.button);
    // Through the window system, as a real click arrives.
    QTest::mouseClick(stack.window.windowHandle(), Qt::LeftButton, {}, QPoint(10 + 35, 10 + 2));
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(stack.window.windowHandle(), Qt::LeftButton, {}, QPoint(10 + 5, 10 + 12));
    EXPECT_EQ(clicks, 1);
}

TEST(zShapeBtn, PressDragOutReleaseGivesNoClickAndDraggingBackInGivesOne)
{
    TzShapeBtn button;
    button.resize(39, 26);
    button.SetShape(sbType::sbRTriangle);
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };

    Press(&button, QPoint(5, 12));
    EXPECT_TRUE(button.Pressed());
    Move(&button, QPoint(36, 2));
    EXPECT_FALSE(button.Pressed());
    Release(&button, QPoint(36, 2));
    EXPECT_EQ(clicks, 0);

    Press(&button, QPoint(5, 12));
    Move(&button, QPoint(60, 40));
    Move(&button, QPoint(6, 13));
    EXPECT_TRUE(button.Pressed());
    Release(&button, QPoint(6, 13));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.Pressed());
}

TEST(zShapeBtn, ADisabledButtonIgnoresPressesAndIsNeverDrawnPressed)
{
    TzShapeBtn button;
    button.resize(39, 26);
    int clicks = 0;
    button.OnClick = [&](QObject*) { ++clicks; };
    Press(&button, QPoint(10, 10));
    EXPECT_TRUE(button.Pressed());
    button.setEnabled(false);
    EXPECT_FALSE(button.Pressed());
    Release(&button, QPoint(10, 10));
    Press(&button, QPoint(10, 10));
    EXPECT_FALSE(button.Pressed());
    Release(&button, QPoint(10, 10));
    EXPECT_EQ(clicks, 0);
}

TEST(zShapeBtn, PressingSwapsTheRectangleBevels)
{
    // Read from the screen: whatever clips the painting shows there, not in an image of the paint.
    QWidget window;
    window.resize(80, 60);
    auto* button = new TzShapeBtn(&window);
    button->setGeometry(10, 10, 25, 25);
    button->SetColor(clRed);
    button->SetHighLightColor(clWhite);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto onScreen = [&] { return window.grab(button->geometry()).toImage(); };
    QImage image = onScreen();
    EXPECT_EQ(FromQColor(QColor(image.pixel(1, 5))), clWhite);
    EXPECT_EQ(FromQColor(QColor(image.pixel(24, 5))), clBlack);
    EXPECT_EQ(FromQColor(QColor(image.pixel(5, 24))), clBlack);
    EXPECT_EQ(FromQColor(QColor(image.pixel(12, 12))), clRed);
    Press(button, QPoint(12, 12));
    image = onScreen();
    EXPECT_EQ(FromQColor(QColor(image.pixel(1, 5))), clBlack);
    EXPECT_EQ(FromQColor(QColor(image.pixel(24, 5))), clWhite);
    EXPECT_EQ(FromQColor(QColor(image.pixel(5, 24))), clWhite);
    Release(button, QPoint(12, 12));
    button->SetTransparent(true);
    image = button->PaintToImage();
    EXPECT_EQ(FromQColor(QColor(image.pixel(12, 12))), clRed); // nothing painted over the fill
    EXPECT_EQ(FromQColor(QColor(image.pixel(1, 5))), clRed);

    // The play triangle's lower edge is black along its whole length, up to the tip.
    button->SetTransparent(false);
    button->SetShape(sbType::sbRTriangle);
    button->setGeometry(10, 10, 39, 26);
    image = onScreen();
    for (int x = 1; x < 38; ++x) {
        const int y = 25 - 13 * x / 38;
        bool black = false;
        for (int dy = -1; dy <= 1; ++dy) {
            black = black || FromQColor(QColor(image.pixel(x, y + dy))) == clBlack;
        }
        EXPECT_TRUE(black) << "column " << x;
    }
    // Still only the shape is the hit area: the tip's corner lets the press through.
    Press(button, QPoint(37, 2));
    EXPECT_FALSE(button->Pressed());
}

TEST(zShapeBtn, PlusAndMinusAreClickedByTheirKeysInTheirWindow)
{
    QWidget window;
    auto* edit = new QLineEdit(&window);
    edit->setReadOnly(true);
    auto* plus = new TzShapeBtn(&window);
    auto* minus = new TzShapeBtn(&window);
    plus->SetShape(sbType::sbPlus);
    minus->SetShape(sbType::sbMinus);
    EXPECT_EQ(plus->AcceleratorKey(), QChar('+'));
    EXPECT_EQ(minus->AcceleratorKey(), QChar('-'));
    int plusClicks = 0;
    int minusClicks = 0;
    plus->OnClick = [&](QObject*) { ++plusClicks; };
    minus->OnClick = [&](QObject*) { ++minusClicks; };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_Plus, Qt::NoModifier);
    QTest::keyClick(&window, Qt::Key_Minus, Qt::NoModifier);
    QTest::keyClick(&window, Qt::Key_Minus, Qt::NoModifier);
    EXPECT_EQ(plusClicks, 1);
    EXPECT_EQ(minusClicks, 2);

    minus->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_Minus, Qt::NoModifier);
    EXPECT_EQ(minusClicks, 2);

    plus->SetShape(sbType::sbRectangle);
    EXPECT_EQ(plus->AcceleratorKey(), QChar(' '));
    QTest::keyClick(&window, Qt::Key_Plus, Qt::NoModifier);
    EXPECT_EQ(plusClicks, 1);
    plus->SetAcceleratorKey(QChar('p'));
    QTest::keyClick(&window, Qt::Key_P, Qt::NoModifier);
    EXPECT_EQ(plusClicks, 2);
}
