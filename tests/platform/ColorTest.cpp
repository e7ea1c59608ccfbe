#include "platform/Color.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

TEST(Color, NamedColorsUseTheClassLibraryValues)
{
    EXPECT_EQ(clRed, 0x0000FF);
    EXPECT_EQ(clTeal, 0x808000);
    EXPECT_EQ(clAqua, 0xFFFF00);
    EXPECT_EQ(clMoneyGreen, 0xC0DCC0);
    EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
    EXPECT_EQ(clBtnFace, -16777201);
    EXPECT_EQ(clInfoBk, static_cast<TColor>(0xFF000018));
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(clDefault, 0x20000000);
}

TEST(Color, ColorToStringGivesTheNameOrEightUpperCaseHexDigits)
{
    EXPECT_EQ(ColorToString(clBlack), "clBlack");
    EXPECT_EQ(ColorToString(0xC0C0C0), "clSilver"); // the first name of a shared value
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clInfoBk), "clInfoBk");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x027280FA), "$027280FA");
    EXPECT_EQ(ColorToString(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(ColorToString(1), "$00000001");
}

TEST(Color, StringToColorAcceptsNamesHexAndDecimal)
{
    TColor c = 0;
    ASSERT_TRUE(StringToColor("clbtnface", c));
    EXPECT_EQ(c, clBtnFace);
    ASSERT_TRUE(StringToColor("$02FF9B37", c));
    EXPECT_EQ(c, 0x02FF9B37);
    ASSERT_TRUE(StringToColor("$FF00000F", c));
    EXPECT_EQ(c, clBtnFace);
    ASSERT_TRUE(StringToColor("-16777201", c));
    EXPECT_EQ(c, clBtnFace);
    ASSERT_TRUE(StringToColor("8421376", c));
    EXPECT_EQ(c, clTeal);
    c = 77;
    EXPECT_FALSE(StringToColor("clPink", c));
    EXPECT_FALSE(StringToColor("", c));
    EXPECT_FALSE(StringToColor("$", c));
    EXPECT_FALSE(StringToColor("$1FFFFFFFF", c));
    EXPECT_FALSE(StringToColor("12 apples", c));
    EXPECT_EQ(c, 77);
}

TEST(Color, EveryValueSurvivesTheTextRoundTrip)
{
    for (const TColor value :
         {clBlack, clWhite, clBtnFace, clMenuBar, cl3DDkShadow, clNone, clDefault,
          static_cast<TColor>(0x027280FA), static_cast<TColor>(0x80000000), -1, 0x123456}) {
        TColor back = 0;
        ASSERT_TRUE(StringToColor(ColorToString(value), back)) << ColorToString(value).toStdString();
        EXPECT_EQ(back, value);
    }
}

TEST(Color, ToQColorResolvesSystemColorsThroughThePalette)
{
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(ToQColor(clBtnFace), palette.color(QPalette::Active, QPalette::Button));
    EXPECT_EQ(ToQColor(clWindow), palette.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(ToQColor(clInfoBk), palette.color(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(0x02FF9B37), QColor(55, 155, 255));
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
    EXPECT_EQ(FromQColor(QColor(250, 128, 114)), 0x007280FA);
}
