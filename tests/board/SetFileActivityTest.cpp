#include "SetFileFixture.h"

namespace {

using SetFileActivityTest = SetFileFixture;

} // namespace

TEST_F(SetFileActivityTest, OnlyStatesAreWrittenBackAndEverythingElseInTheFileStays)
{
    ASSERT_TRUE(LoadText("[Main]\nCreatedBy=Rallybox\nExtra=kept\n"
                         "[Page1]\nPageName=Show\n"
                         "c1=Was locked\nactivity1=4\n"
                         "c2=Never played\n"
                         "c3=Now playing\n"
                         "c4=Odd value\nactivity4=zz\n"
                         "s5=/no/caption.wav\n"
                         "[Page2]\nPageName= \nc1=Blank page\n"));
    board.ButtonState[1][1][1] = bstUnplayed;
    board.ButtonState[1][1][3] = bstPlaying;
    board.ButtonState[1][1][4] = bstPlayed;
    board.ButtonState[1][1][5] = bstPlayed;
    board.ButtonState[1][2][1] = bstPlayed;
    board.ButtonCaption[1][1][2] = "Renamed in memory only";
    board.BoardChanged = true;

    ASSERT_TRUE(setFile->SaveActivityFile());
    EXPECT_FALSE(board.BoardChanged);

    const IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadString("Main", "Extra", ""), "kept");
    EXPECT_EQ(written.ReadString("Page1", "activity1", ""), "1");
    EXPECT_FALSE(written.ValueExists("Page1", "activity2"));
    EXPECT_EQ(written.ReadString("Page1", "c2", ""), "Never played");
    EXPECT_EQ(written.ReadString("Page1", "activity3", ""), "3");
    EXPECT_EQ(written.ReadString("Page1", "activity4", ""), "2");
    // A button without caption and a page without name keep their stored states.
    EXPECT_FALSE(written.ValueExists("Page1", "activity5"));
    EXPECT_FALSE(written.ValueExists("Page2", "activity1"));
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(SetFileActivityTest, AFailedWriteIsReportedAndTheBoardStaysChanged)
{
    ASSERT_TRUE(LoadText("[Page1]\nPageName=Show\nc1=Sound\n"));
    WriteBytes(PathOf("plainfile"), "not a folder");
    board.SetIniFile->Rename(PathOf("plainfile/inside.set"), false);
    board.ButtonState[1][1][1] = bstPlayed;
    board.BoardChanged = true;

    EXPECT_FALSE(setFile->SaveActivityFile());
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Error in SaveActivityFile\r "}));
}

TEST_F(SetFileActivityTest, WithoutAnOpenObjectTheFileIsReadFirstAndLeavingFreesIt)
{
    ASSERT_TRUE(LoadText("[Page1]\nPageName=Show\nc1=Sound\nn1=A note\n"));
    board.SetIniFile.reset();
    board.ButtonState[1][1][1] = bstLocked;
    ASSERT_TRUE(setFile->SaveActivityFile(true));
    EXPECT_EQ(board.SetIniFile, nullptr);
    const IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadString("Page1", "activity1", ""), "4");
    EXPECT_EQ(written.ReadString("Page1", "n1", ""), "A note");
}
