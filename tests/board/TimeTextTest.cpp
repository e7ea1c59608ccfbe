#include "board/TimeText.h"
#include "platform/ScriptedDialogs.h"

#include <gtest/gtest.h>

TEST(TimeTextTest, SecondsShowAsMinutesUnderAnHourAndWithHoursFromOneHour)
{
    EXPECT_EQ(ConvertTime(0, "MM:SS"), "00:00");
    EXPECT_EQ(ConvertTime(7, "MM:SS"), "00:07");
    EXPECT_EQ(ConvertTime(60, "HH:MM:SS"), "01:00");
    EXPECT_EQ(ConvertTime(3599, "HH:MM:SS"), "59:59");
    EXPECT_EQ(ConvertTime(3600, "HH:MM:SS"), "1:00:00");
    EXPECT_EQ(ConvertTime(3725, "MM:SS"), "1:02:05");
    EXPECT_EQ(ConvertTime(36000 + 59, "HH:MM:SS"), "10:00:59");
    EXPECT_EQ(ConvertTime(-5, "HH:MM:SS"), "00:00");
}

TEST(TimeTextTest, TenthsFormatWritesThreeDigitsInTheLastField)
{
    EXPECT_EQ(ConvertTime(5, "HH:MM:SSS"), "00:005");
    EXPECT_EQ(ConvertTime(45, "HH:MM:SSS"), "00:045");
    EXPECT_EQ(ConvertTime(125, "HH:MM:SSS"), "00:125");
    EXPECT_EQ(ConvertTime(6005, "HH:MM:SSS"), "10:005");
    EXPECT_EQ(ConvertTime(36000 + 599, "HH:MM:SSS"), "1:00:599");
}

TEST(TimeTextTest, TimeTextsConvertBackToSeconds)
{
    ScriptedDialogs dialogs;
    bool shown = false;
    EXPECT_EQ(TimeTextToSeconds("1:02:05", dialogs, shown), 3725);
    EXPECT_EQ(TimeTextToSeconds("03:25", dialogs, shown), 205);
    EXPECT_EQ(TimeTextToSeconds(":45", dialogs, shown), 45);
    EXPECT_EQ(TimeTextToSeconds(" ", dialogs, shown), 0);
    EXPECT_EQ(TimeTextToSeconds("no colon", dialogs, shown), 0);
    for (int seconds : {0, 7, 59, 60, 3599, 3600, 3725, 86399}) {
        EXPECT_EQ(TimeTextToSeconds(ConvertTime(seconds, "HH:MM:SS"), dialogs, shown), seconds);
    }
    EXPECT_FALSE(shown);
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST(TimeTextTest, AnUnreadableTimeGivesMinusOneAndOnlyTheFirstShowsTheErrorBox)
{
    ScriptedDialogs dialogs;
    bool shown = false;
    EXPECT_EQ(TimeTextToSeconds("1:xx", dialogs, shown), -1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(TimeTextToSeconds("1:2:3:4", dialogs, shown), -1);
    EXPECT_EQ(TimeTextToSeconds("5:", dialogs, shown), -1);
    EXPECT_EQ(TimeTextToSeconds(":1:30", dialogs, shown), -1);
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].text, "There is an error in one of the sound buttons time display\r ");
    EXPECT_EQ(dialogs.Calls()[0].type, mtError);
}
