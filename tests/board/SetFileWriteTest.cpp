#include "SetFileFixture.h"

#include "platform/Color.h"
#include "support/FullFileSystem.h"

namespace {

class SetFileWriteTest : public SetFileFixture
{
protected:
    // Group B page 12 with one button of every key, one without caption and one without time.
    void FillSamplePage()
    {
        settings.Personalization = "Home Game";
        board.PageName[2][12] = "Goals & More";
        board.PagePlay[2][12] = "T";
        board.RapidFire[2][12] = "F";
        board.PageShuffle[2][12] = "T";
        board.PageColor[2][12] = clRed;
        TSoundButtonCell full;
        full.ButtonCaption = "Goal\r\nHorn";
        full.ButtonFile = "C:\\Sounds\\horn.mp3";
        full.ButtonState = bstLocked;
        full.ButtonTime = "00:07";
        full.ButtonHotKey = "2F1";
        full.ButtonHotKeyInfo = "Ctrl + F1";
        full.ButtonNote = "Home goal";
        full.ButtonVolume = "80";
        full.ButtonLoop = "L";
        full.ButtonCustomCue = "Y";
        full.ButtonCueStart = 1000;
        full.ButtonCueEnd = 50000;
        full.ButtonCustomColor = 0x00123456;
        board.SetCell(2, 12, 1, full);
        board.ButtonFile[2][12][2] = "D:\\x.wav";
        board.ButtonTime[2][12][2] = "00:03";
        board.ButtonHotKey[2][12][2] = "0A";
        board.ButtonCaption[2][12][3] = "Whistle";
        board.ButtonCueEnd[2][12][3] = -5;
    }
};

} // namespace

TEST_F(SetFileWriteTest, WritesKeysInTableOrderUnderTheirConditionsByteForByte)
{
    FillSamplePage();
    board.SetFileName = PathOf("sample.set");
    board.BoardChanged = true;
    ASSERT_TRUE(setFile->SaveSetFile());
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_EQ(ReadBytes(board.SetFileName), Crlf("[Main]\n"
                                                 "CreatedBy=Rallybox\n"
                                                 "Personalization=Home Game\n"
                                                 "\n"
                                                 "[PageB12]\n"
                                                 "PageName=Goals & More\n"
                                                 "PagePlay=T\n"
                                                 "RapidFire=F\n"
                                                 "PageShuffle=T\n"
                                                 "PageColor=clRed\n"
                                                 "c1=Goal%%Horn\n"
                                                 "s1=C:\\Sounds\\horn.mp3\n"
                                                 "t1=00:07\n"
                                                 "h1=2F1\n"
                                                 "i1=Ctrl + F1\n"
                                                 "L1=L\n"
                                                 "n1=Home goal\n"
                                                 "v1=80\n"
                                                 "activity1=4\n"
                                                 "ci1=Y\n"
                                                 "cs1=1000\n"
                                                 "ce1=50000\n"
                                                 "co1=$00123456\n"
                                                 "s2=D:\\x.wav\n"
                                                 "h2=0A\n"
                                                 "c3=Whistle\n"
                                                 "t3= \n"
                                                 "\n"
                                                 "[PageQ19]\n"
                                                 "PageName= \n"
                                                 "PagePlay=F\n"
                                                 "RapidFire=F\n"
                                                 "PageShuffle=F\n"
                                                 "PageColor=clBlack\n"
                                                 "\n"));
    EXPECT_TRUE(TraceText().contains(" - SaveSetFile\r\n"));
}

TEST_F(SetFileWriteTest, BlankPagesAreSkippedAndGroupDPagesUseThePageQPrefix)
{
    board.PageName[1][1] = "   ";
    board.ButtonCaption[1][1][1] = "Hidden sound";
    board.ButtonFile[1][1][1] = "/snd/hidden.wav";
    board.PageName[4][3] = "Dance";
    board.PageName[1][18] = "Last A";
    board.PageName[10][1] = "First J";
    board.SetFileName = PathOf("prefix.set");
    ASSERT_TRUE(setFile->SaveSetFile());

    IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadSections(), QStringList({"Main", "Page18", "PageQ3", "PageQ19", "PageJ1"}));
    EXPECT_FALSE(QString::fromUtf8(ReadBytes(board.SetFileName)).contains("Hidden sound"));
}

TEST_F(SetFileWriteTest, AnEmptyBoardStillWritesTheCuePage)
{
    board.SetFileName = PathOf("empty.set");
    ASSERT_TRUE(setFile->SaveSetFile());
    IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadSections(), QStringList({"Main", "PageQ19"}));
    EXPECT_EQ(written.ReadString("PageQ19", "PageName", "?"), " ");
}

TEST_F(SetFileWriteTest, FurtherLineBreaksBecomeBlanksSoEveryKeyStaysOnOneLine)
{
    board.PageName[1][1] = "Line\r\nPage";
    board.ButtonCaption[1][1][1] = "One\r\nTwo\r\nThree\nFour";
    board.ButtonNote[1][1][1] = "Note\r\nmore";
    board.ButtonFile[1][1][1] = "/a\nb.wav";
    board.SetFileName = PathOf("breaks.set");
    ASSERT_TRUE(setFile->SaveSetFile());

    const QByteArray bytes = ReadBytes(board.SetFileName);
    EXPECT_TRUE(bytes.contains("\r\nc1=One%%Two Three Four\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nn1=Note more\r\n"));
    EXPECT_TRUE(bytes.contains("\r\ns1=/a b.wav\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nPageName=Line Page\r\n"));

    Board reread;
    SetFile reader(reread, settings, dialogs, *tracer, folder.path());
    reread.SetFileName = board.SetFileName;
    ASSERT_TRUE(reader.LoadSetFile());
    EXPECT_EQ(reread.ButtonCaption[1][1][1], "One\r\nTwo Three Four");
    EXPECT_EQ(reread.ButtonFile[1][1][1], "/a b.wav");
}

TEST_F(SetFileWriteTest, ACaptionKeepsAtMostOneHundredCharactersAfterItsLineBreak)
{
    board.PageName[1][1] = "Long";
    board.ButtonCaption[1][1][1] = "Head\r\n" + QString(150, 'x');
    board.SetFileName = PathOf("long.set");
    ASSERT_TRUE(setFile->SaveSetFile());
    IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadString("Page1", "c1", ""), "Head%%" + QString(100, 'x'));
}

TEST_F(SetFileWriteTest, SavingDropsEverythingTheFileHeldBefore)
{
    board.SetFileName = PathOf("old.set");
    WriteBytes(board.SetFileName, Crlf("[Stale]\nkey=value\n[Page2]\nPageName=Gone\n"));
    ASSERT_TRUE(setFile->LoadSetFile());
    board.PageName[1][2] = " ";
    ASSERT_TRUE(setFile->SaveSetFile());
    IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadSections(), QStringList({"Main", "PageQ19"}));
}

TEST_F(SetFileWriteTest, AFileThatCannotBeWrittenIsReportedAndTheBoardStaysChanged)
{
    WriteBytes(PathOf("plainfile"), "not a folder");
    board.PageName[1][1] = "Keep me";
    board.SetFileName = PathOf("plainfile/inside.set");
    board.BoardChanged = true;

    EXPECT_FALSE(setFile->SaveSetFile());
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Error in SaveSetFile\r "}));
    EXPECT_TRUE(
        TraceText().contains("SaveSetFile - the set file could not be written: " + board.SetFileName));
    EXPECT_EQ(ReadBytes(PathOf("plainfile")), "not a folder");

    // The same board saved under a good name afterwards is complete.
    board.SetFileName = PathOf("good.set");
    ASSERT_TRUE(setFile->SaveSetFile());
    EXPECT_FALSE(board.BoardChanged);
    EXPECT_EQ(IniFile(board.SetFileName).ReadString("Page1", "PageName", ""), "Keep me");
}

TEST_F(SetFileWriteTest, AFullDiskKeepsTheSetFileWholeAndSaysSo)
{
    FullFileSystem disk;
    RBX_SKIP_UNLESS_MOUNTED(disk);
    const QByteArray old =
        Crlf("[Main]\nCreatedBy=Rallybox\n\n[Page1]\nPageName=Kept\nc1=Goal\nactivity1=5\n\n");
    ASSERT_TRUE(disk.Put("Show.set", old));
    board.SetFileName = disk.FilePath("Show.set");
    ASSERT_TRUE(setFile->LoadSetFile());
    ASSERT_TRUE(disk.Fill());

    board.ButtonState[1][1][1] = bstUnplayed;
    EXPECT_FALSE(setFile->SaveActivityFile());
    board.BoardChanged = true;
    EXPECT_FALSE(setFile->SaveSetFile());
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(dialogs.Texts(), QStringList({"Error in SaveActivityFile\r ", "Error in SaveSetFile\r "}));
    EXPECT_EQ(ReadBytes(board.SetFileName), old);
}

TEST_F(SetFileWriteTest, ColoursAreWrittenAsNamesOrAsHex)
{
    board.PageName[1][1] = "Colours";
    board.PageColor[1][1] = clBtnFace;
    board.ButtonCustomColor[1][1][1] = clAqua;
    board.ButtonCustomColor[1][1][2] = 0x02FF9B37;
    board.ButtonCustomColor[1][1][3] = clBlack;
    board.SetFileName = PathOf("colours.set");
    ASSERT_TRUE(setFile->SaveSetFile());
    IniFile written(board.SetFileName);
    EXPECT_EQ(written.ReadString("Page1", "PageColor", ""), "clBtnFace");
    EXPECT_EQ(written.ReadString("Page1", "co1", ""), "clAqua");
    EXPECT_EQ(written.ReadString("Page1", "co2", ""), "$02FF9B37");
    EXPECT_FALSE(written.ValueExists("Page1", "co3"));
}
