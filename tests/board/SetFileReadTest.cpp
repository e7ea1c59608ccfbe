#include "SetFileFixture.h"

#include "board/SetFilePrefetch.h"
#include "platform/Color.h"

namespace {

using SetFileReadTest = SetFileFixture;

// Every field of every button of every page, all different, with states that read back as written.
void FillWholeBoard(Board& board)
{
    const int states[] = {1, 2, 4, 5, 6, 7, 8, 12, 10, 11};
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            const QString at = QString("%1-%2").arg(g).arg(p);
            board.PageName[g][p] = "Page " + at + " & co";
            board.PagePlay[g][p] = (p % 2) ? "T" : "F";
            board.RapidFire[g][p] = (p % 3) ? "F" : "T";
            board.PageShuffle[g][p] = (g % 2) ? "T" : "F";
            board.PageColor[g][p] = (p % 4 == 0) ? clBtnFace : RgbToColor(g * 20, p * 10, 7);
            for (int b = 1; b <= ButtonCount; ++b) {
                const QString id = at + "-" + QString::number(b);
                TSoundButtonCell c;
                c.ButtonCaption = (b % 5 == 0) ? "Top " + id + "\r\nBottom" : "Caption " + id;
                c.ButtonFile = "/sounds/" + id + ".mp3";
                c.ButtonState = states[(g + p + b) % 10];
                c.ButtonTime = QString("%1:%2").arg(b % 60, 2, 10, QChar('0')).arg(p, 2, 10, QChar('0'));
                c.ButtonHotKey = QString::number(b % 4) + QChar('A' + b % 26);
                c.ButtonHotKeyInfo = "info " + id;
                c.ButtonNote = "note " + id;
                c.ButtonVolume = QString::number(b * 2);
                c.ButtonLoop = (b % 2) ? "L" : "";
                c.ButtonCustomCue = (b % 3) ? "Y" : "N";
                c.ButtonCueStart = b * 4410;
                c.ButtonCueEnd = (b % 7) ? b * 441000 : 0;
                c.ButtonCustomColor = (b % 6) ? RgbToColor(b, g, p) : 0;
                board.SetCell(g, p, b, c);
            }
        }
    }
}

} // namespace

TEST_F(SetFileReadTest, AWholeBoardComesBackAsItWasSaved)
{
    FillWholeBoard(board);
    settings.Personalization = "Stadium";
    board.SetFileName = PathOf("whole.set");
    ASSERT_TRUE(setFile->SaveSetFile());

    Board reread;
    Settings otherSettings;
    SetFile reader(reread, otherSettings, dialogs, *tracer, folder.path());
    reread.SetFileName = board.SetFileName;
    reread.LastPageOfGroup.fill(7);
    ASSERT_TRUE(reader.LoadSetFile());

    EXPECT_EQ(otherSettings.Personalization, "Stadium");
    EXPECT_EQ(reread.LastPageOfGroup[10], 1);
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageCount; ++p) {
            ASSERT_EQ(reread.PageName[g][p], board.PageName[g][p]) << g << "/" << p;
            ASSERT_EQ(reread.PagePlay[g][p], board.PagePlay[g][p]);
            ASSERT_EQ(reread.RapidFire[g][p], board.RapidFire[g][p]);
            ASSERT_EQ(reread.PageShuffle[g][p], board.PageShuffle[g][p]);
            ASSERT_EQ(reread.PageColor[g][p], board.PageColor[g][p]);
            for (int b = 1; b <= ButtonCount; ++b) {
                ASSERT_EQ(reread.Cell(g, p, b), board.Cell(g, p, b)) << g << "/" << p << "/" << b;
            }
        }
    }
    EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(SetFileReadTest, StatesOfPlayingAndCuedButtonsAreMappedOnReading)
{
    ASSERT_TRUE(LoadText("[PageB2]\nPageName=States\n"
                         "activity1=3\nactivity2=9\nactivity3=13\nactivity4=0\nactivity5=10\n"
                         "activity6=12\nactivity7=7\nactivity8=-2\n"));
    EXPECT_EQ(board.ButtonState[2][2][1], bstPlayed);
    EXPECT_EQ(board.ButtonState[2][2][2], bstNeutral);
    EXPECT_EQ(board.ButtonState[2][2][3], bstHighlightedPlayed);
    EXPECT_EQ(board.ButtonState[2][2][4], 0);
    EXPECT_EQ(board.ButtonState[2][2][5], 10);
    EXPECT_EQ(board.ButtonState[2][2][6], bstHighlightedPlayed);
    EXPECT_EQ(board.ButtonState[2][2][7], bstPlaceMarker);
    EXPECT_EQ(board.ButtonState[2][2][8], -2);
    EXPECT_EQ(board.ButtonState[2][2][9], bstUnplayed);
}

TEST_F(SetFileReadTest, CaptionsTurnPercentPairsIntoLineBreaksAndTheFirstAmpersandIntoABlank)
{
    ASSERT_TRUE(LoadText("[Page1]\nPageName=Salt & Pepper\n"
                         "c1=Rock&Roll\nc2=Home%%Run & Walk\nc3=a&b&c\nc4=x%%y%%z\n"
                         "c5=Head%%"
                         "0123456789012345678901234567890123456789012345678901234567890123456789"
                         "0123456789012345678901234567890123456789\n"));
    EXPECT_EQ(board.PageName[1][1], "Salt & Pepper");
    EXPECT_EQ(board.ButtonCaption[1][1][1], "Rock Roll");
    EXPECT_EQ(board.ButtonCaption[1][1][2], "Home\r\nRun   Walk");
    EXPECT_EQ(board.ButtonCaption[1][1][3], "a b&c");
    EXPECT_EQ(board.ButtonCaption[1][1][4], "x\r\ny%%z");
    EXPECT_EQ(board.ButtonCaption[1][1][5].size(), 4 + 2 + 100);
}

TEST_F(SetFileReadTest, AbsentKeysTakeTheirEmptyValues)
{
    ASSERT_TRUE(LoadText("[Main]\nCreatedBy=Someone else\n[PageQ5]\nPageName=Only a name\n"));
    EXPECT_EQ(board.PageName[4][5], "Only a name");
    EXPECT_EQ(board.PageName[4][6], " ");
    EXPECT_EQ(board.PagePlay[4][5], "F");
    EXPECT_EQ(board.PageColor[4][5], 0);
    TSoundButtonCell expected;
    expected.ButtonCaption = expected.ButtonFile = expected.ButtonTime = " ";
    expected.ButtonHotKey = expected.ButtonHotKeyInfo = expected.ButtonNote = " ";
    expected.ButtonCustomCue = "N";
    EXPECT_EQ(board.Cell(4, 5, 1), expected);
    EXPECT_EQ(board.Cell(4, 5, 48), expected);
    EXPECT_EQ(settings.Personalization, "");
}

TEST_F(SetFileReadTest, ColoursAreReadFromNamesAndFromHex)
{
    ASSERT_TRUE(LoadText("[Page1]\nPageName=Colours\nPageColor=clbtnface\n"
                         "co1=clRed\nco2=$00FF8000\nco3=\nco4=$02FF9B37\n"));
    EXPECT_EQ(board.PageColor[1][1], clBtnFace);
    EXPECT_EQ(board.ButtonCustomColor[1][1][1], clRed);
    EXPECT_EQ(board.ButtonCustomColor[1][1][2], 0x00FF8000);
    EXPECT_EQ(board.ButtonCustomColor[1][1][3], 0);
    EXPECT_EQ(board.ButtonCustomColor[1][1][4], 0x02FF9B37);
}

TEST_F(SetFileReadTest, AValueThatDoesNotConvertTakesTheDefaultAndReadingGoesOn)
{
    ASSERT_TRUE(LoadText("[Page1]\nPageName=Bad values\nPageColor=clNoSuchColour\n"
                         "activity1=abc\ncs2=12x\nce3=9999999999\nco4=clNoSuchColour\n"
                         "c5=After the faults\nactivity5=2\ncs5=77\n"
                         "[PageJ18]\nPageName=Last page\nc48=Still read\n"));
    EXPECT_EQ(board.PageColor[1][1], 0);
    EXPECT_EQ(board.ButtonState[1][1][1], bstUnplayed);
    EXPECT_EQ(board.ButtonCueStart[1][1][2], 0);
    EXPECT_EQ(board.ButtonCueEnd[1][1][3], 0);
    EXPECT_EQ(board.ButtonCustomColor[1][1][4], 0);
    EXPECT_EQ(board.ButtonCaption[1][1][5], "After the faults");
    EXPECT_EQ(board.ButtonState[1][1][5], bstPlayed);
    EXPECT_EQ(board.ButtonCueStart[1][1][5], 77);
    EXPECT_EQ(board.ButtonCaption[10][18][48], "Still read");
    EXPECT_TRUE(dialogs.Calls().empty());

    const QString trace = TraceText();
    EXPECT_TRUE(trace.contains("\"abc\" of activity1 in [Page1]"));
    EXPECT_TRUE(trace.contains("\"12x\" of cs2 in [Page1]"));
    EXPECT_TRUE(trace.contains("\"9999999999\" of ce3 in [Page1]"));
    EXPECT_TRUE(trace.contains("\"clNoSuchColour\" of co4 in [Page1]"));
    EXPECT_TRUE(trace.contains("\"clNoSuchColour\" of PageColor in [Page1]"));
}

TEST_F(SetFileReadTest, AMissingFileGivesAnEmptyBoardWithoutAMessage)
{
    board.PageName[3][3] = "From before";
    board.ButtonState[3][3][3] = bstLocked;
    board.SetFileName = PathOf("nowhere.set");
    EXPECT_TRUE(setFile->LoadSetFile());
    EXPECT_EQ(board.PageName[3][3], " ");
    EXPECT_EQ(board.ButtonState[3][3][3], bstUnplayed);
    EXPECT_EQ(board.RapidFire[3][3], "F");
    EXPECT_TRUE(dialogs.Calls().empty());
    ASSERT_NE(board.SetIniFile, nullptr);
    EXPECT_EQ(board.SetIniFile->FileName(), board.SetFileName);
}

TEST_F(SetFileReadTest, ABlankFileNameOpensDefaultSetInTheProgramFolder)
{
    WriteBytes(PathOf("Default.set"), Crlf("[PageC4]\nPageName=Default board\n"));
    board.SetFileName = "  ";
    ASSERT_TRUE(setFile->LoadSetFile());
    EXPECT_EQ(board.SetFileName, PathOf("Default.set"));
    EXPECT_EQ(board.PageName[3][4], "Default board");
}

TEST_F(SetFileReadTest, ABinaryFileGivesAnEmptyBoardAnErrorAndIsNeverOverwrittenByStates)
{
    board.PageName[1][1] = "From before";
    QByteArray binary("\x89PNG\r\n\x1a\n", 8);
    binary.append('\0');
    binary.append("[Page1]\r\nPageName=Hidden\r\n");
    board.SetFileName = PathOf("picture.set");
    WriteBytes(board.SetFileName, binary);

    EXPECT_FALSE(setFile->LoadSetFile());
    EXPECT_EQ(board.PageName[1][1], " ");
    EXPECT_EQ(dialogs.Texts(), QStringList({"Error in LOADSETFILE\r "}));
    EXPECT_TRUE(TraceText().contains("LoadSetFile - the set file could not be read: " + board.SetFileName));

    board.PageName[1][1] = "New page";
    board.ButtonCaption[1][1][1] = "New sound";
    board.ButtonState[1][1][1] = bstPlayed;
    EXPECT_FALSE(setFile->SaveActivityFile());
    EXPECT_EQ(ReadBytes(board.SetFileName), binary);
}

TEST_F(SetFileReadTest, NewSetErasesTheBoardButKeepsVolumesLoopsAndColours)
{
    WriteBytes(PathOf("newfile.set"),
               Crlf("[PageE2]\nPageName=Template\nPagePlay=T\nPageColor=clRed\n"
                    "c1=Cap\ns1=/x.wav\nv1=55\nL1=L\nco1=clAqua\nactivity1=4\nci1=Y\ncs1=5\n"));
    board.SetFileName = PathOf("current.set");
    ASSERT_TRUE(setFile->NewSet());
    EXPECT_EQ(board.SetFileName, PathOf("newfile.set"));
    EXPECT_EQ(board.PageName[5][2], "");
    EXPECT_EQ(board.PagePlay[5][2], "");
    EXPECT_EQ(board.PageColor[5][2], clRed);
    const TSoundButtonCell c = board.Cell(5, 2, 1);
    EXPECT_EQ(c.ButtonCaption, "");
    EXPECT_EQ(c.ButtonFile, "");
    EXPECT_EQ(c.ButtonCustomCue, "");
    EXPECT_EQ(c.ButtonState, bstUnplayed);
    EXPECT_EQ(c.ButtonCueStart, 0);
    EXPECT_EQ(c.ButtonVolume, "55");
    EXPECT_EQ(c.ButtonLoop, "L");
    EXPECT_EQ(c.ButtonCustomColor, clAqua);
}

TEST_F(SetFileReadTest, AFileChangedAfterItWasReadAheadIsReadAgain)
{
    board.SetFileName = PathOf("ahead.set");
    WriteBytes(board.SetFileName, Crlf("[Page1]\nPageName=Before\n"));
    SetFilePrefetch::Start(board.SetFileName);
    SetFilePrefetch::WaitForRead();
    WriteBytes(board.SetFileName, Crlf("[Page1]\nPageName=Changed since\n"));
    ASSERT_TRUE(setFile->LoadSetFile());
    EXPECT_EQ(board.PageName[1][1], QStringLiteral("Changed since"));
}
